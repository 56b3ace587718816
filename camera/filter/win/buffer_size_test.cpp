// The camera pin's sample buffer request: one buffer of the connected
// picture, the downstream alignment and prefix kept, the allocator's
// refusals and short grants passed on as failures.
#include <windows.h>
#include <dshow.h>

#include <gtest/gtest.h>

#include <cstdint>

#include <wrl/client.h>

#include "camera/dshow/testing/recording_sink.h"
#include "camera/filter/win/testing/camera_instance.h"
#include "camera/filter/win/video_media_type.h"

namespace vcam::camera {
namespace {

using Microsoft::WRL::ComPtr;

// Answers SetProperties as told and records what it was asked; everything
// else is refused. Lives on the test's stack, so its count never frees it.
class ScriptedAllocator : public IMemAllocator {
 public:
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (iid != IID_IUnknown && iid != IID_IMemAllocator) return E_NOINTERFACE;
    *object = static_cast<IMemAllocator*>(this);
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }

  STDMETHODIMP SetProperties(ALLOCATOR_PROPERTIES* request, ALLOCATOR_PROPERTIES* actual) override {
    if (!request || !actual) return E_POINTER;
    ++calls;
    asked = *request;
    if (FAILED(result)) return result;
    *actual = *request;
    actual->cbBuffer -= shortfall;
    return result;
  }
  STDMETHODIMP GetProperties(ALLOCATOR_PROPERTIES*) override { return E_NOTIMPL; }
  STDMETHODIMP Commit() override { return E_NOTIMPL; }
  STDMETHODIMP Decommit() override { return E_NOTIMPL; }
  STDMETHODIMP GetBuffer(IMediaSample**, REFERENCE_TIME*, REFERENCE_TIME*, DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP ReleaseBuffer(IMediaSample*) override { return E_NOTIMPL; }

  HRESULT result = S_OK;
  long shortfall = 0;  // bytes the granted buffer falls short of the request
  int calls = 0;
  ALLOCATOR_PROPERTIES asked{};
};

class BufferSize : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(camera_.pin, nullptr); }
  void TearDown() override {
    camera_.pin->Disconnect();
    sink_->Pin()->Disconnect();
  }

  // Connects the camera to a recording sink at `width` x `height`.
  HRESULT ConnectAt(std::int32_t width, std::int32_t height) {
    const dshow::CMediaType type = make_video_type({width, height}, 15);
    const HRESULT hr = camera_.pin->SetFormat(const_cast<AM_MEDIA_TYPE*>(&type.get()));
    return FAILED(hr) ? hr : camera_.pin->Connect(sink_->Pin(), nullptr);
  }

  // What a downstream pin asks for before the camera decides.
  static ALLOCATOR_PROPERTIES downstream_request() {
    ALLOCATOR_PROPERTIES request{};
    request.cBuffers = 5;
    request.cbBuffer = 7;
    request.cbAlign = 16;
    request.cbPrefix = 8;
    return request;
  }

  testing::CameraInstance camera_;
  ComPtr<dshow::testing::RecordingSink> sink_{new dshow::testing::RecordingSink};
  ScriptedAllocator allocator_;
};

TEST_F(BufferSize, NullAllocatorOrNullRequestIsAPointerError) {
  ASSERT_EQ(ConnectAt(640, 480), S_OK);
  ALLOCATOR_PROPERTIES request = downstream_request();
  EXPECT_EQ(camera_.pin->DecideBufferSize(nullptr, &request), E_POINTER);
  EXPECT_EQ(camera_.pin->DecideBufferSize(&allocator_, nullptr), E_POINTER);
  EXPECT_EQ(camera_.pin->DecideBufferSize(nullptr, nullptr), E_POINTER);
  EXPECT_EQ(allocator_.calls, 0);
  EXPECT_EQ(request.cBuffers, 5) << "the request is left alone";
}

TEST_F(BufferSize, AsksForOneBufferOfTheConnectedPictureKeepingAlignmentAndPrefix) {
  ASSERT_EQ(ConnectAt(1280, 720), S_OK);
  ALLOCATOR_PROPERTIES request = downstream_request();
  EXPECT_EQ(camera_.pin->DecideBufferSize(&allocator_, &request), S_OK);
  ASSERT_EQ(allocator_.calls, 1);
  EXPECT_EQ(allocator_.asked.cBuffers, 1);
  EXPECT_EQ(allocator_.asked.cbBuffer, 1280 * 720 * 3);
  EXPECT_EQ(allocator_.asked.cbAlign, 16);
  EXPECT_EQ(allocator_.asked.cbPrefix, 8);
}

TEST_F(BufferSize, SmallestSizeAsksForItsOwnPicture) {
  ASSERT_EQ(ConnectAt(160, 120), S_OK);
  ALLOCATOR_PROPERTIES request = downstream_request();
  EXPECT_EQ(camera_.pin->DecideBufferSize(&allocator_, &request), S_OK);
  EXPECT_EQ(allocator_.asked.cbBuffer, 160 * 120 * 3);
}

TEST_F(BufferSize, AllocatorGrantingOneByteLessThanAskedFails) {
  ASSERT_EQ(ConnectAt(640, 480), S_OK);
  allocator_.shortfall = 1;
  ALLOCATOR_PROPERTIES request = downstream_request();
  EXPECT_EQ(camera_.pin->DecideBufferSize(&allocator_, &request), E_FAIL);
  allocator_.shortfall = 0;
  request = downstream_request();
  EXPECT_EQ(camera_.pin->DecideBufferSize(&allocator_, &request), S_OK) << "exactly the size asked is enough";
}

TEST_F(BufferSize, SetPropertiesErrorIsPassedOn) {
  ASSERT_EQ(ConnectAt(640, 480), S_OK);
  for (const HRESULT error : {VFW_E_ALREADY_COMMITTED, VFW_E_BADALIGN, E_OUTOFMEMORY}) {
    allocator_.result = error;
    ALLOCATOR_PROPERTIES request = downstream_request();
    EXPECT_EQ(camera_.pin->DecideBufferSize(&allocator_, &request), error);
  }
}

TEST_F(BufferSize, UnconnectedPinHasNoPictureToAskFor) {
  ALLOCATOR_PROPERTIES request = downstream_request();
  EXPECT_EQ(camera_.pin->DecideBufferSize(&allocator_, &request), E_UNEXPECTED);
  EXPECT_EQ(allocator_.calls, 0);
}

}  // namespace
}  // namespace vcam::camera
