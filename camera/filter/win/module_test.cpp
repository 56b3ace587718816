// vcam_source.ax as a COM server: its exports, loaded like any client loads
// it, and its registration by the system registration tool.
#include <windows.h>
#include <dshow.h>

#include <gtest/gtest.h>

#include <string>

#include <wrl/client.h>

#include "camera/channel/channel_names.h"
#include "camera/channel/win/channel_test_support.h"
#include "camera/channel/win/consumer_list.h"
#include "camera/dshow/testing/class_registry.h"
#include "camera/dshow/testing/device_names.h"
#include "camera/dshow/testing/filter_data.h"
#include "camera/filter/win/filter_identity.h"
#include "camera/filter/win/testing/registration_tool.h"
#include "common/win/folders.h"
#include "common/win/unique_handle.h"
#include "common/win/wide.h"

namespace vcam::camera {
namespace {

using dshow::testing::class_key_exists;
using dshow::testing::clsid_key;
using dshow::testing::listed;
using dshow::testing::read_class_value;
using dshow::testing::StoredFilter;
using Microsoft::WRL::ComPtr;

using GetClassObjectFn = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
using NoArgumentFn = HRESULT(WINAPI*)();

using testing::run_regsvr32;

std::wstring module_path() { return testing::camera_module_path(); }

class Module : public ::testing::Test {
 protected:
  void SetUp() override {
    module_.reset(::LoadLibraryW(module_path().c_str()));
    ASSERT_TRUE(module_) << "error " << ::GetLastError();
    get_class_object_ = reinterpret_cast<GetClassObjectFn>(
        reinterpret_cast<void*>(::GetProcAddress(module_.get(), "DllGetClassObject")));
    can_unload_now_ =
        reinterpret_cast<NoArgumentFn>(reinterpret_cast<void*>(::GetProcAddress(module_.get(), "DllCanUnloadNow")));
    ASSERT_NE(get_class_object_, nullptr);
    ASSERT_NE(can_unload_now_, nullptr);
    ASSERT_NE(::GetProcAddress(module_.get(), "DllRegisterServer"), nullptr);
    ASSERT_NE(::GetProcAddress(module_.get(), "DllUnregisterServer"), nullptr);
  }
  UniqueModule module_;
  GetClassObjectFn get_class_object_ = nullptr;
  NoArgumentFn can_unload_now_ = nullptr;
};

TEST_F(Module, UnknownClassIsNotAvailable) {
  void* object = reinterpret_cast<void*>(0x1234);
  EXPECT_EQ(get_class_object_(CLSID_FilterGraph, IID_IClassFactory, &object), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(object, reinterpret_cast<void*>(0x1234));
}

TEST_F(Module, OnlyFactoryInterfacesAreGiven) {
  void* object = reinterpret_cast<void*>(0x1234);
  EXPECT_EQ(get_class_object_(kFilterClsid, IID_IBaseFilter, &object), E_NOINTERFACE);
  EXPECT_EQ(get_class_object_(kFilterClsid, IID_IPin, &object), E_NOINTERFACE);
  EXPECT_EQ(object, reinterpret_cast<void*>(0x1234));
  ComPtr<IUnknown> unknown;
  EXPECT_EQ(get_class_object_(kFilterClsid, IID_PPV_ARGS(&unknown)), S_OK);
}

TEST_F(Module, CanUnloadOnlyAfterEveryObjectIsReleased) {
  EXPECT_EQ(can_unload_now_(), S_OK);
  ComPtr<IClassFactory> factory;
  ASSERT_EQ(get_class_object_(kFilterClsid, IID_PPV_ARGS(&factory)), S_OK);
  EXPECT_EQ(can_unload_now_(), S_FALSE);
  ComPtr<IBaseFilter> filter;
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_PPV_ARGS(&filter)), S_OK);
  factory.Reset();
  EXPECT_EQ(can_unload_now_(), S_FALSE);
  ComPtr<IEnumPins> pins;
  ASSERT_EQ(filter->EnumPins(&pins), S_OK);
  filter.Reset();
  EXPECT_EQ(can_unload_now_(), S_FALSE) << "the enumerator holds the filter";
  pins.Reset();
  EXPECT_EQ(can_unload_now_(), S_OK);

  ASSERT_EQ(get_class_object_(kFilterClsid, IID_PPV_ARGS(&factory)), S_OK);
  ASSERT_EQ(factory->LockServer(TRUE), S_OK);
  factory.Reset();
  EXPECT_EQ(can_unload_now_(), S_FALSE) << "a server lock keeps the module";
  ASSERT_EQ(get_class_object_(kFilterClsid, IID_PPV_ARGS(&factory)), S_OK);
  ASSERT_EQ(factory->LockServer(FALSE), S_OK);
  factory.Reset();
  EXPECT_EQ(can_unload_now_(), S_OK);
}

TEST_F(Module, FactoryMakesTheCamera) {
  ComPtr<IClassFactory> factory;
  ASSERT_EQ(get_class_object_(kFilterClsid, IID_PPV_ARGS(&factory)), S_OK);
  ComPtr<IBaseFilter> filter;
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_PPV_ARGS(&filter)), S_OK);
  FILTER_INFO info{};
  ASSERT_EQ(filter->QueryFilterInfo(&info), S_OK);
  EXPECT_STREQ(info.achName, L"ZeloCamV10");
  ComPtr<IPin> pin;
  EXPECT_EQ(filter->FindPin(L"Capture", &pin), S_OK);
  void* object = reinterpret_cast<void*>(0x1234);
  EXPECT_EQ(factory->CreateInstance(filter.Get(), IID_IUnknown, &object), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(object, reinterpret_cast<void*>(0x1234));
}

TEST(ModuleConsumers, LoadingListsTheHostAndUnloadingRemovesIt) {
  ::CoFreeUnusedLibrariesEx(0, 0);
  ASSERT_EQ(::GetModuleHandleW(module_path().c_str()), nullptr) << "the module is loaded already";
  const std::u16string self = host_executable_path();
  ASSERT_FALSE(self.empty());
  UniqueModule module(::LoadLibraryW(module_path().c_str()));
  ASSERT_TRUE(module);
  // Our own view keeps the list alive when the module lets go of it.
  testing::RawView list(kConsumerListNames.region, kListRegionSize);
  ASSERT_TRUE(list);
  auto text = [&] { return std::u16string(reinterpret_cast<const char16_t*>(list.bytes())); };
  EXPECT_NE(text().find(self + u";"), std::u16string::npos) << "listed while loaded";
  module.reset();
  ASSERT_EQ(::GetModuleHandleW(module_path().c_str()), nullptr);
  EXPECT_EQ(text().find(self), std::u16string::npos) << "gone after unloading";
}

class Registration : public ::testing::Test {
 protected:
  void TearDown() override {
    if (class_key_exists(clsid_key(kFilterClsid))) run_regsvr32(L"/s /u \"" + module_path() + L"\"");
  }
};

TEST_F(Registration, RegistrationToolRegistersAndUnregistersAllThree) {
  ASSERT_FALSE(class_key_exists(clsid_key(kFilterClsid))) << "registered by an earlier run";
  ASSERT_EQ(run_regsvr32(L"/s \"" + module_path() + L"\""), 0u);

  std::wstring value;
  ASSERT_TRUE(read_class_value(clsid_key(kFilterClsid), nullptr, &value));
  EXPECT_EQ(value, L"ZeloCamV10");
  ASSERT_TRUE(read_class_value(clsid_key(kFilterClsid, L"InprocServer32"), nullptr, &value));
  EXPECT_EQ(::lstrcmpiW(value.c_str(), module_path().c_str()), 0) << std::string(value.begin(), value.end());
  ASSERT_TRUE(read_class_value(clsid_key(kFilterClsid, L"InprocServer32"), L"ThreadingModel", &value));
  EXPECT_EQ(value, L"Both");
  EXPECT_TRUE(listed(CLSID_VideoInputDeviceCategory, L"ZeloCamV10"));
  EXPECT_TRUE(listed(CLSID_LegacyAmFilterCategory, L"ZeloCamV10"));

  ASSERT_EQ(run_regsvr32(L"/s /u \"" + module_path() + L"\""), 0u);
  EXPECT_FALSE(class_key_exists(clsid_key(kFilterClsid)));
  EXPECT_FALSE(listed(CLSID_VideoInputDeviceCategory, L"ZeloCamV10"));
  EXPECT_FALSE(listed(CLSID_LegacyAmFilterCategory, L"ZeloCamV10"));
}

// The mapper's record of the camera in `category`, read back through the
// device enumerator; fails the test when it is missing or unreadable.
StoredFilter stored_camera(const CLSID& category) {
  const auto data = dshow::testing::filter_data(category, L"ZeloCamV10");
  EXPECT_FALSE(data.empty()) << "no filter data";
  const auto parsed = dshow::testing::parse_filter_data(data);
  EXPECT_TRUE(parsed) << "unreadable filter data of " << data.size() << " bytes";
  return parsed.value_or(StoredFilter{});
}

void expect_one_rgb24_output_pin(const StoredFilter& filter) {
  ASSERT_EQ(filter.pins.size(), 1u);
  const auto& pin = filter.pins[0];
  EXPECT_EQ(pin.flags, static_cast<DWORD>(REG_PINFLAG_B_OUTPUT)) << "output, not rendered, not zero, not many";
  EXPECT_EQ(pin.mediums, 0u);
  ASSERT_EQ(pin.types.size(), 1u);
  EXPECT_EQ(pin.types[0].major, MEDIATYPE_Video);
  EXPECT_EQ(pin.types[0].minor, MEDIASUBTYPE_RGB24);
}

TEST_F(Registration, DeviceAndFilterCategoriesStoreTheirMeritsAndTheOneRgb24OutputPin) {
  ASSERT_EQ(run_regsvr32(L"/s \"" + module_path() + L"\""), 0u);

  const StoredFilter device = stored_camera(CLSID_VideoInputDeviceCategory);
  EXPECT_EQ(device.merit, 0x00800064u) << "preferred + 100";
  expect_one_rgb24_output_pin(device);

  const StoredFilter filter = stored_camera(CLSID_LegacyAmFilterCategory);
  EXPECT_EQ(filter.merit, 0x00200064u) << "do-not-use + 100";
  expect_one_rgb24_output_pin(filter);
}

TEST_F(Registration, RegisteredCameraOpensThroughTheDeviceEnumerator) {
  ASSERT_EQ(run_regsvr32(L"/s \"" + module_path() + L"\""), 0u);
  ComPtr<ICreateDevEnum> devices;
  ASSERT_EQ(::CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&devices)), S_OK);
  ComPtr<IEnumMoniker> monikers;
  ASSERT_EQ(devices->CreateClassEnumerator(CLSID_VideoInputDeviceCategory, &monikers, 0), S_OK);
  ComPtr<IMoniker> moniker;
  ComPtr<IBaseFilter> camera;
  while (!camera && monikers->Next(1, moniker.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
    ComPtr<IPropertyBag> bag;
    ASSERT_EQ(moniker->BindToStorage(nullptr, nullptr, IID_PPV_ARGS(&bag)), S_OK);
    VARIANT name;
    ::VariantInit(&name);
    if (SUCCEEDED(bag->Read(L"FriendlyName", &name, nullptr)) && name.vt == VT_BSTR &&
        std::wstring(name.bstrVal) == L"ZeloCamV10") {
      ASSERT_EQ(moniker->BindToObject(nullptr, nullptr, IID_PPV_ARGS(&camera)), S_OK);
    }
    ::VariantClear(&name);
  }
  ASSERT_NE(camera, nullptr);
  CLSID clsid{};
  ASSERT_EQ(camera->GetClassID(&clsid), S_OK);
  EXPECT_EQ(clsid, kFilterClsid);
}

}  // namespace
}  // namespace vcam::camera
