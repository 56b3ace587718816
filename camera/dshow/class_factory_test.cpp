#include "camera/dshow/class_factory.h"

#include <gtest/gtest.h>

#include <new>

#include <wrl/client.h>

#include "camera/dshow/testing/test_source.h"

namespace vcam::dshow {
namespace {

using Microsoft::WRL::ComPtr;
using testing::kTestSourceClsid;
using testing::TestSource;

IUnknown* create_test_source(HRESULT* hr) {
  auto* source = new (std::nothrow) TestSource({});
  if (!source) *hr = E_OUTOFMEMORY;
  return static_cast<IBaseFilter*>(source);
}

IUnknown* create_nothing(HRESULT* hr) {
  *hr = E_OUTOFMEMORY;
  return nullptr;
}

const CFactoryTemplate kTable[] = {
    {L"Test Source", &kTestSourceClsid, create_test_source, nullptr},
};

constexpr CLSID kFailingClsid = {0x1D5C0A8E, 0x33B1, 0x4F0E, {0xA2, 0x61, 0x0C, 0x5B, 0x8E, 0x11, 0x7F, 0x40}};
const CFactoryTemplate kFailingTable[] = {{L"Nothing", &kFailingClsid, create_nothing, nullptr}};

TEST(ClassFactory, UnknownClassIsNotAvailable) {
  void* object = reinterpret_cast<void*>(0x1234);
  EXPECT_EQ(get_class_object(kTable, CLSID_FilterGraph, IID_IClassFactory, &object), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(object, reinterpret_cast<void*>(0x1234));
}

TEST(ClassFactory, OnlyFactoryInterfacesAreHandedOut) {
  void* object = reinterpret_cast<void*>(0x1234);
  EXPECT_EQ(get_class_object(kTable, kTestSourceClsid, IID_IBaseFilter, &object), E_NOINTERFACE);
  // The interface is checked before the class.
  EXPECT_EQ(get_class_object(kTable, CLSID_FilterGraph, IID_IBaseFilter, &object), E_NOINTERFACE);
  EXPECT_EQ(object, reinterpret_cast<void*>(0x1234));
  EXPECT_EQ(get_class_object(kTable, kTestSourceClsid, IID_IClassFactory, nullptr), E_POINTER);
  ComPtr<IUnknown> unknown;
  EXPECT_EQ(get_class_object(kTable, kTestSourceClsid, IID_IUnknown, &unknown), S_OK);
  EXPECT_NE(unknown, nullptr);
}

TEST(ClassFactory, ModuleCanUnloadOnlyWhenNothingIsAlive) {
  ASSERT_EQ(can_unload_now(), S_OK);
  ComPtr<IClassFactory> factory;
  ASSERT_EQ(get_class_object(kTable, kTestSourceClsid, IID_PPV_ARGS(&factory)), S_OK);
  EXPECT_EQ(can_unload_now(), S_FALSE) << "a live factory keeps the module";

  ComPtr<IBaseFilter> filter;
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_PPV_ARGS(&filter)), S_OK);
  factory.Reset();
  EXPECT_EQ(can_unload_now(), S_FALSE) << "a live filter keeps the module";
  ComPtr<IPin> pin;
  ASSERT_EQ(filter->FindPin(L"Out", &pin), S_OK);
  filter.Reset();
  EXPECT_EQ(can_unload_now(), S_FALSE) << "a pin holds its filter";
  pin.Reset();
  EXPECT_EQ(can_unload_now(), S_OK);
}

TEST(ClassFactory, LockServerKeepsTheModule) {
  ComPtr<IClassFactory> factory;
  ASSERT_EQ(get_class_object(kTable, kTestSourceClsid, IID_PPV_ARGS(&factory)), S_OK);
  EXPECT_EQ(factory->LockServer(TRUE), S_OK);
  factory.Reset();
  EXPECT_EQ(can_unload_now(), S_FALSE);
  lock_module(false);
  EXPECT_EQ(can_unload_now(), S_OK);
  lock_module(false);  // an unbalanced unlock is ignored
  lock_module(true);
  EXPECT_EQ(can_unload_now(), S_FALSE);
  lock_module(false);
  EXPECT_EQ(can_unload_now(), S_OK);
}

TEST(ClassFactory, CreateInstanceRefusesAggregationAndUnknownInterfaces) {
  ComPtr<IClassFactory> factory;
  ASSERT_EQ(get_class_object(kTable, kTestSourceClsid, IID_PPV_ARGS(&factory)), S_OK);
  void* object = reinterpret_cast<void*>(0x1234);
  EXPECT_EQ(factory->CreateInstance(factory.Get(), IID_IUnknown, &object), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IClassFactory, &object), E_NOINTERFACE);
  EXPECT_EQ(object, reinterpret_cast<void*>(0x1234));
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IBaseFilter, nullptr), E_POINTER);
  factory.Reset();
  EXPECT_EQ(can_unload_now(), S_OK) << "the refused object was deleted";
}

TEST(ClassFactory, CreationFailureIsReported) {
  ComPtr<IClassFactory> factory;
  ASSERT_EQ(get_class_object(kFailingTable, kFailingClsid, IID_PPV_ARGS(&factory)), S_OK);
  ComPtr<IUnknown> object;
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_PPV_ARGS(&object)), E_OUTOFMEMORY);
  EXPECT_EQ(object, nullptr);
}

}  // namespace
}  // namespace vcam::dshow
