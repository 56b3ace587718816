// Registration routines against the registry and filter mapper of the
// test's Wine prefix; every test removes what it registered.
#include "camera/dshow/filter_registration.h"

#include <gtest/gtest.h>

#include <string>

#include <wrl/client.h>

#include "camera/dshow/class_factory.h"
#include "camera/dshow/testing/class_registry.h"
#include "camera/dshow/testing/test_source.h"

namespace vcam::dshow {
namespace {

using testing::class_key_exists;
using testing::clsid_key;
using testing::listed;
using testing::read_class_value;
using testing::kTestSourceClsid;

constexpr CLSID kOtherClsid = {0x7C2E91F4, 0x0D1B, 0x4B8A, {0x83, 0x5E, 0xA9, 0x14, 0x62, 0x2F, 0xC0, 0x5D}};

const REGPINTYPES kPinTypes[] = {{&MEDIATYPE_Video, &MEDIASUBTYPE_RGB24}};
const REGFILTERPINS kPins[] = {{const_cast<LPWSTR>(L"Out"), FALSE, TRUE, FALSE, FALSE, &CLSID_NULL, nullptr, 1,
                                kPinTypes}};
const FilterSetup kSetup = {&kOtherClsid, L"Registration Test Filter", MERIT_DO_NOT_USE, 1, kPins};

IUnknown* create_nothing(HRESULT* hr) {
  *hr = E_NOTIMPL;
  return nullptr;
}
const CFactoryTemplate kTable[] = {{L"Registration Test Filter", &kOtherClsid, create_nothing, &kSetup}};

TEST(FilterRegistration, ServerKeysAreWrittenAndRemoved) {
  ASSERT_EQ(register_server(kTestSourceClsid, L"Test Source", L"C:\\x\\test.ax", L"Both"), S_OK);
  std::wstring value;
  ASSERT_TRUE(read_class_value(clsid_key(kTestSourceClsid), nullptr, &value));
  EXPECT_EQ(value, L"Test Source");
  ASSERT_TRUE(read_class_value(clsid_key(kTestSourceClsid, L"InprocServer32"), nullptr, &value));
  EXPECT_EQ(value, L"C:\\x\\test.ax");
  ASSERT_TRUE(read_class_value(clsid_key(kTestSourceClsid, L"InprocServer32"), L"ThreadingModel", &value));
  EXPECT_EQ(value, L"Both");

  EXPECT_EQ(unregister_server(kTestSourceClsid), S_OK);
  EXPECT_FALSE(class_key_exists(clsid_key(kTestSourceClsid)));
  EXPECT_EQ(unregister_server(kTestSourceClsid), S_OK) << "removing what is gone is done";
}

TEST(FilterRegistration, MapperListsTheFilterInTheDirectShowCategoryUntilRemoved) {
  ASSERT_EQ(register_filter_setup(kSetup, true), S_OK);
  EXPECT_TRUE(listed(CLSID_LegacyAmFilterCategory, L"Registration Test Filter"));
  EXPECT_EQ(register_filter_setup(kSetup, false), S_OK);
  EXPECT_FALSE(listed(CLSID_LegacyAmFilterCategory, L"Registration Test Filter"));
  EXPECT_EQ(register_filter_setup(kSetup, false), S_OK) << "removing what is gone is done";
}

// What the older mapper finds for an output pin of RGB24 video.
bool matched_by_mapper1(const CLSID& clsid) {
  Microsoft::WRL::ComPtr<IFilterMapper> mapper;
  if (FAILED(::CoCreateInstance(CLSID_FilterMapper, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterMapper,
                                reinterpret_cast<void**>(mapper.GetAddressOf()))))
    return false;
  Microsoft::WRL::ComPtr<IEnumRegFilters> filters;
  if (FAILED(mapper->EnumMatchingFilters(&filters, 0, FALSE, GUID_NULL, GUID_NULL, FALSE, TRUE, MEDIATYPE_Video,
                                         MEDIASUBTYPE_RGB24)))
    return false;
  REGFILTER* found = nullptr;
  ULONG fetched = 0;
  bool match = false;
  while (filters->Next(1, &found, &fetched) == S_OK && fetched == 1) {
    match = match || found->Clsid == clsid;
    ::CoTaskMemFree(found);
  }
  return match;
}

TEST(FilterRegistration, OlderMapperInterfaceRegistersTheFilterWithItsPins) {
  ASSERT_EQ(register_filter_setup_v1(kSetup, true), S_OK);
  EXPECT_TRUE(matched_by_mapper1(kOtherClsid));
  EXPECT_EQ(register_filter_setup_v1(kSetup, false), S_OK);
  EXPECT_FALSE(matched_by_mapper1(kOtherClsid));
  EXPECT_EQ(register_filter_setup_v1(kSetup, false), S_OK) << "removing what is gone is done";
}

TEST(FilterRegistration, ModuleRegistrationWritesBothAndRemovesBoth) {
  ASSERT_EQ(register_module(kTable, nullptr, true), S_OK);
  std::wstring path;
  ASSERT_TRUE(read_class_value(clsid_key(kOtherClsid, L"InprocServer32"), nullptr, &path));
  wchar_t self[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  EXPECT_EQ(::lstrcmpiW(path.c_str(), self), 0);
  EXPECT_TRUE(listed(CLSID_LegacyAmFilterCategory, L"Registration Test Filter"));

  ASSERT_EQ(register_module(kTable, nullptr, false), S_OK);
  EXPECT_FALSE(class_key_exists(clsid_key(kOtherClsid)));
  EXPECT_FALSE(listed(CLSID_LegacyAmFilterCategory, L"Registration Test Filter"));
}

}  // namespace
}  // namespace vcam::dshow
