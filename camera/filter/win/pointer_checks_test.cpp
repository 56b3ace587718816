// Every COM method of the camera's filter and pin checks its pointers before
// anything else and leaves its out-parameters alone when it fails.
#include <gtest/gtest.h>


#include <cstring>

#include <wrl/client.h>

#include "camera/dshow/testing/recording_sink.h"
#include "camera/filter/win/testing/camera_instance.h"
#include "camera/filter/win/video_media_type.h"

namespace vcam::camera {
namespace {

using Microsoft::WRL::ComPtr;

// A pointer whose every byte is 0x5A, whatever the pointer size: the same
// bytes a structure filled with memset(0x5A) holds in its pointer fields.
template <typename T>
T* sentinel() {
  return reinterpret_cast<T*>(static_cast<uintptr_t>(0x5A5A5A5A5A5A5A5Aull));
}

class PointerChecks : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(camera_.pin, nullptr); }
  IBaseFilter* filter() { return camera_.filter.Get(); }
  IPin* pin() { return camera_.pin; }
  testing::CameraInstance camera_;
};

TEST_F(PointerChecks, FilterMethods) {
  IBaseFilter* f = filter();
  EXPECT_EQ(f->QueryInterface(IID_IBaseFilter, nullptr), E_POINTER);
  EXPECT_EQ(f->GetClassID(nullptr), E_POINTER);
  EXPECT_EQ(f->GetState(0, nullptr), E_POINTER);
  EXPECT_EQ(f->GetSyncSource(nullptr), E_POINTER);
  EXPECT_EQ(f->EnumPins(nullptr), E_POINTER);
  IPin* found = sentinel<IPin>();
  EXPECT_EQ(f->FindPin(nullptr, &found), E_POINTER);
  EXPECT_EQ(f->FindPin(L"Capture", nullptr), E_POINTER);
  EXPECT_EQ(f->FindPin(L"Preview", &found), VFW_E_NOT_FOUND);
  EXPECT_EQ(found, sentinel<IPin>());
  EXPECT_EQ(f->QueryFilterInfo(nullptr), E_POINTER);
  EXPECT_EQ(f->QueryVendorInfo(nullptr), E_POINTER);
  LPWSTR vendor = sentinel<wchar_t>();
  EXPECT_EQ(f->QueryVendorInfo(&vendor), E_NOTIMPL);
  EXPECT_EQ(vendor, sentinel<wchar_t>());
  void* other = sentinel<void>();
  EXPECT_EQ(f->QueryInterface(IID_IPin, &other), E_NOINTERFACE);
  EXPECT_EQ(other, sentinel<void>());
}

TEST_F(PointerChecks, FilterMethodsThatTakeNull) {
  // A null clock or graph is a request, not a mistake.
  EXPECT_EQ(filter()->SetSyncSource(nullptr), S_OK);
  IReferenceClock* clock = sentinel<IReferenceClock>();
  ASSERT_EQ(filter()->GetSyncSource(&clock), S_OK);
  EXPECT_EQ(clock, nullptr);
  EXPECT_EQ(filter()->JoinFilterGraph(nullptr, nullptr), S_OK);
}

TEST_F(PointerChecks, PinMethods) {
  IPin* p = pin();
  EXPECT_EQ(p->QueryInterface(IID_IPin, nullptr), E_POINTER);
  EXPECT_EQ(p->Connect(nullptr, nullptr), E_POINTER);
  const dshow::CMediaType vga = make_video_type({640, 480}, 15);
  EXPECT_EQ(p->ReceiveConnection(nullptr, &vga.get()), E_POINTER);
  EXPECT_EQ(p->ReceiveConnection(p, nullptr), E_POINTER);
  EXPECT_EQ(p->ConnectedTo(nullptr), E_POINTER);
  EXPECT_EQ(p->ConnectionMediaType(nullptr), E_POINTER);
  EXPECT_EQ(p->QueryPinInfo(nullptr), E_POINTER);
  EXPECT_EQ(p->QueryDirection(nullptr), E_POINTER);
  EXPECT_EQ(p->QueryId(nullptr), E_POINTER);
  EXPECT_EQ(p->QueryAccept(nullptr), E_POINTER);
  EXPECT_EQ(p->EnumMediaTypes(nullptr), E_POINTER);
  EXPECT_EQ(p->QueryInternalConnections(nullptr, nullptr), E_POINTER);
  void* other = sentinel<void>();
  EXPECT_EQ(p->QueryInterface(IID_IBaseFilter, &other), E_NOINTERFACE);
  EXPECT_EQ(other, sentinel<void>());
}

TEST_F(PointerChecks, UnconnectedPinLeavesOutParametersAlone) {
  IPin* connected = sentinel<IPin>();
  EXPECT_EQ(pin()->ConnectedTo(&connected), VFW_E_NOT_CONNECTED);
  EXPECT_EQ(connected, sentinel<IPin>());
  AM_MEDIA_TYPE type;
  std::memset(&type, 0x5A, sizeof type);
  EXPECT_EQ(pin()->ConnectionMediaType(&type), VFW_E_NOT_CONNECTED);
  EXPECT_EQ(type.pbFormat, sentinel<BYTE>());
  EXPECT_EQ(type.cbFormat, 0x5A5A5A5Au);
  EXPECT_EQ(pin()->Disconnect(), S_FALSE);
}

TEST_F(PointerChecks, PinStateRefusals) {
  ComPtr<dshow::testing::RecordingSink> sink(new dshow::testing::RecordingSink);
  ASSERT_EQ(filter()->Pause(), S_OK);
  EXPECT_EQ(pin()->Connect(sink->Pin(), nullptr), VFW_E_NOT_STOPPED);
  ASSERT_EQ(filter()->Stop(), S_OK);
  ASSERT_EQ(pin()->Connect(sink->Pin(), nullptr), S_OK);
  EXPECT_EQ(pin()->Connect(sink->Pin(), nullptr), VFW_E_ALREADY_CONNECTED);
  ASSERT_EQ(filter()->Pause(), S_OK);
  EXPECT_EQ(pin()->Disconnect(), VFW_E_NOT_STOPPED);
  ASSERT_EQ(filter()->Stop(), S_OK);
  EXPECT_EQ(pin()->Disconnect(), S_OK);
  sink->Pin()->Disconnect();
}

TEST_F(PointerChecks, StreamConfigMethods) {
  CameraOutputPin* p = camera_.pin;
  EXPECT_EQ(p->SetFormat(nullptr), E_POINTER);
  EXPECT_EQ(p->GetFormat(nullptr), E_POINTER);
  int count = -7, size = -7;
  EXPECT_EQ(p->GetNumberOfCapabilities(nullptr, &size), E_POINTER);
  EXPECT_EQ(p->GetNumberOfCapabilities(&count, nullptr), E_POINTER);
  EXPECT_EQ(count, -7);
  EXPECT_EQ(size, -7);
  BYTE caps[128];
  EXPECT_EQ(p->GetStreamCaps(0, nullptr, caps), E_POINTER);
}

TEST_F(PointerChecks, EveryReturnedPointerIsOwnedByTheCaller) {
  LPWSTR id = nullptr;
  ASSERT_EQ(pin()->QueryId(&id), S_OK);
  EXPECT_STREQ(id, L"Capture");
  ::CoTaskMemFree(id);
  PIN_DIRECTION direction = PINDIR_INPUT;
  ASSERT_EQ(pin()->QueryDirection(&direction), S_OK);
  EXPECT_EQ(direction, PINDIR_OUTPUT);
  AM_MEDIA_TYPE* format = nullptr;
  ASSERT_EQ(camera_.pin->GetFormat(&format), S_OK);
  AM_MEDIA_TYPE* second = nullptr;
  ASSERT_EQ(camera_.pin->GetFormat(&second), S_OK);
  EXPECT_NE(format, second) << "each call gives a new copy";
  EXPECT_NE(format->pbFormat, second->pbFormat);
  dshow::delete_media_type(format);
  dshow::delete_media_type(second);
}

}  // namespace
}  // namespace vcam::camera
