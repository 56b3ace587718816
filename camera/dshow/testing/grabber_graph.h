#pragma once
// A source filter in the system's filter graph, feeding the system Sample
// Grabber (RGB24 video) and Null Renderer: what the graph tests of the base
// classes and of the camera build on.
#include <windows.h>
#include <dshow.h>
#include <qedit.h>

#include <gtest/gtest.h>

#include <wrl/client.h>

#include "camera/dshow/system_filters.h"
#include "camera/dshow/testing/sample_recorder.h"

namespace vcam::dshow::testing {

// The first pin of `filter` in the direction `wanted`, or null.
inline Microsoft::WRL::ComPtr<IPin> first_pin(IBaseFilter* filter, PIN_DIRECTION wanted) {
  Microsoft::WRL::ComPtr<IEnumPins> pins;
  if (FAILED(filter->EnumPins(&pins))) return nullptr;
  Microsoft::WRL::ComPtr<IPin> pin;
  while (pins->Next(1, pin.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
    PIN_DIRECTION direction{};
    if (SUCCEEDED(pin->QueryDirection(&direction)) && direction == wanted) return pin;
  }
  return nullptr;
}

class GrabberGraphFixture : public ::testing::Test {
 protected:
  // Makes the graph with the grabber and the renderer, and adds `source` as
  // `name`. Samples reach the recorder unless a test installs another
  // callback with UseCallback.
  void BuildGraph(IBaseFilter* source, const wchar_t* name) {
    source_filter_ = source;
    ASSERT_EQ(::CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&graph_)), S_OK);
    ASSERT_EQ(::CoCreateInstance(kSampleGrabberClsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&grabber_)),
              S_OK);
    ASSERT_EQ(::CoCreateInstance(kNullRendererClsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&renderer_)),
              S_OK);
    ASSERT_EQ(graph_->AddFilter(source, name), S_OK);
    ASSERT_EQ(graph_->AddFilter(grabber_.Get(), L"Grabber"), S_OK);
    ASSERT_EQ(graph_->AddFilter(renderer_.Get(), L"Renderer"), S_OK);
    Microsoft::WRL::ComPtr<ISampleGrabber> grab;
    ASSERT_EQ(grabber_.As(&grab), S_OK);
    AM_MEDIA_TYPE wanted{};
    wanted.majortype = MEDIATYPE_Video;
    wanted.subtype = MEDIASUBTYPE_RGB24;
    ASSERT_EQ(grab->SetMediaType(&wanted), S_OK);
    ASSERT_EQ(grab->SetCallback(&recorder_, 0), S_OK);
    ASSERT_EQ(graph_.As(&control_), S_OK);
  }

  // The grabber lets go of its callback while the callback still exists:
  // callbacks are members that go before the graph does.
  void TearDown() override {
    if (control_) control_->Stop();
    if (graph_ && source_filter_) graph_->RemoveFilter(source_filter_.Get());
    UseCallback(nullptr);
  }

  // Samples go to `callback` instead of the recorder; it must live until
  // TearDown, which lets go of it.
  HRESULT UseCallback(ISampleGrabberCB* callback) {
    if (!grabber_) return E_POINTER;
    Microsoft::WRL::ComPtr<ISampleGrabber> grab;
    const HRESULT hr = grabber_.As(&grab);
    return FAILED(hr) ? hr : grab->SetCallback(callback, 0);
  }

  // `source_pin` to the grabber, then the grabber to the renderer: the
  // grabber's output takes its type from its input, so it is connected after
  // the source and let go before it.
  HRESULT ConnectThroughGrabber(IPin* source_pin) {
    HRESULT hr = graph_->ConnectDirect(source_pin, first_pin(grabber_.Get(), PINDIR_INPUT).Get(), nullptr);
    if (FAILED(hr)) return hr;
    return graph_->ConnectDirect(first_pin(grabber_.Get(), PINDIR_OUTPUT).Get(),
                                 first_pin(renderer_.Get(), PINDIR_INPUT).Get(), nullptr);
  }
  HRESULT DisconnectThroughGrabber(IPin* source_pin) {
    for (IBaseFilter* filter : {renderer_.Get(), grabber_.Get()}) {
      for (PIN_DIRECTION direction : {PINDIR_INPUT, PINDIR_OUTPUT}) {
        Microsoft::WRL::ComPtr<IPin> pin = first_pin(filter, direction);
        if (pin) graph_->Disconnect(pin.Get());
      }
    }
    return graph_->Disconnect(source_pin);
  }

  Microsoft::WRL::ComPtr<IBaseFilter> source_filter_;
  Microsoft::WRL::ComPtr<IGraphBuilder> graph_;
  Microsoft::WRL::ComPtr<IBaseFilter> grabber_, renderer_;
  Microsoft::WRL::ComPtr<IMediaControl> control_;
  SampleRecorder recorder_;
};

}  // namespace vcam::dshow::testing
