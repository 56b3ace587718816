// What the camera's pin offers and accepts: media types, stream
// capabilities, SetFormat's checks, the pin category and quality refusal.
#include <gtest/gtest.h>


#include <cstring>

#include <wrl/client.h>

#include "camera/filter/format_table.h"
#include "camera/pump/picture_geometry.h"
#include "camera/filter/win/camera_source_filter.h"
#include "camera/filter/win/filter_identity.h"
#include "camera/filter/win/testing/camera_instance.h"
#include "camera/filter/win/video_media_type.h"

namespace vcam::camera {
namespace {

using dshow::CMediaType;
using Microsoft::WRL::ComPtr;

class OutputPinFormats : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(pin_, nullptr); }
  testing::CameraInstance camera_;
  ComPtr<IBaseFilter>& filter_ = camera_.filter;
  CameraOutputPin*& pin_ = camera_.pin;
};

void expect_type_for(const AM_MEDIA_TYPE& type, FrameSize size) {
  EXPECT_EQ(type.majortype, MEDIATYPE_Video);
  EXPECT_EQ(type.subtype, MEDIASUBTYPE_RGB24);
  EXPECT_TRUE(type.bFixedSizeSamples);
  EXPECT_FALSE(type.bTemporalCompression);
  EXPECT_EQ(type.formattype, FORMAT_VideoInfo);
  EXPECT_EQ(type.pUnk, nullptr);
  ASSERT_EQ(type.cbFormat, 88u);
  const auto* info = reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat);
  const auto sample = static_cast<std::uint32_t>(dib_stride24(size.width) * static_cast<size_t>(size.height));
  EXPECT_EQ(type.lSampleSize, sample);
  EXPECT_EQ(info->rcSource.left | info->rcSource.top | info->rcSource.right | info->rcSource.bottom, 0);
  EXPECT_EQ(info->rcTarget.left | info->rcTarget.top | info->rcTarget.right | info->rcTarget.bottom, 0);
  EXPECT_EQ(info->dwBitRate, sample * 240);
  EXPECT_EQ(info->dwBitErrorRate, 0u);
  EXPECT_EQ(info->AvgTimePerFrame, 666'666);
  EXPECT_EQ(info->bmiHeader.biSize, 40u);
  EXPECT_EQ(info->bmiHeader.biWidth, size.width);
  EXPECT_EQ(info->bmiHeader.biHeight, size.height);
  EXPECT_EQ(info->bmiHeader.biPlanes, 1);
  EXPECT_EQ(info->bmiHeader.biBitCount, 24);
  EXPECT_EQ(info->bmiHeader.biCompression, static_cast<DWORD>(BI_RGB));
  EXPECT_EQ(info->bmiHeader.biSizeImage, sample);
  EXPECT_EQ(info->bmiHeader.biXPelsPerMeter | info->bmiHeader.biYPelsPerMeter, 0);
  EXPECT_EQ(info->bmiHeader.biClrUsed | info->bmiHeader.biClrImportant, 0u);
}

CMediaType type_of(FrameSize size) { return make_video_type(size, 15); }

TEST_F(OutputPinFormats, MediaTypesFollowTheTable) {
  for (int i = 0; i < kFormatCount; ++i) {
    SCOPED_TRACE(i);
    CMediaType type;
    ASSERT_EQ(pin_->GetMediaType(i, &type), S_OK);
    expect_type_for(type.get(), kFormatTable[static_cast<size_t>(i)]);
  }
  CMediaType type;
  ASSERT_EQ(pin_->GetMediaType(9, &type), S_OK);
  EXPECT_EQ(type->lSampleSize, 6'220'800u);
  EXPECT_EQ(pin_->GetMediaType(10, &type), VFW_S_NO_MORE_ITEMS);
  EXPECT_EQ(pin_->GetMediaType(-1, &type), E_INVALIDARG);
  EXPECT_EQ(pin_->GetMediaType(0, nullptr), E_POINTER);
}

TEST_F(OutputPinFormats, EnumeratorListsTheTenTypes) {
  ComPtr<IEnumMediaTypes> types;
  ASSERT_EQ(pin_->EnumMediaTypes(&types), S_OK);
  AM_MEDIA_TYPE* got[11] = {};
  ULONG fetched = 0;
  EXPECT_EQ(types->Next(11, got, &fetched), S_FALSE);
  ASSERT_EQ(fetched, 10u);
  for (ULONG i = 0; i < fetched; ++i) {
    expect_type_for(*got[i], kFormatTable[i]);
    dshow::delete_media_type(got[i]);
  }
}

TEST_F(OutputPinFormats, CapabilitiesOfEveryEntry) {
  int count = 0, size = 0;
  ASSERT_EQ(pin_->GetNumberOfCapabilities(&count, &size), S_OK);
  EXPECT_EQ(count, 10);
  EXPECT_EQ(size, 128);
  for (int i = 0; i < count; ++i) {
    SCOPED_TRACE(i);
    const FrameSize frame = kFormatTable[static_cast<size_t>(i)];
    AM_MEDIA_TYPE* type = nullptr;
    VIDEO_STREAM_CONFIG_CAPS caps{};
    ASSERT_EQ(pin_->GetStreamCaps(i, &type, reinterpret_cast<BYTE*>(&caps)), S_OK);
    expect_type_for(*type, frame);
    dshow::delete_media_type(type);
    EXPECT_EQ(caps.guid, FORMAT_VideoInfo);
    EXPECT_EQ(caps.VideoStandard, 0u);
    for (const SIZE& s : {caps.InputSize, caps.MinCroppingSize, caps.MaxCroppingSize, caps.MinOutputSize,
                          caps.MaxOutputSize}) {
      EXPECT_EQ(s.cx, frame.width);
      EXPECT_EQ(s.cy, frame.height);
    }
    EXPECT_EQ(caps.CropGranularityX, 1);
    EXPECT_EQ(caps.CropGranularityY, 1);
    EXPECT_EQ(caps.CropAlignX, 1);
    EXPECT_EQ(caps.CropAlignY, 1);
    EXPECT_EQ(caps.OutputGranularityX, 1);
    EXPECT_EQ(caps.OutputGranularityY, 1);
    EXPECT_EQ(caps.StretchTapsX | caps.StretchTapsY | caps.ShrinkTapsX | caps.ShrinkTapsY, 0);
    EXPECT_EQ(caps.MinFrameInterval, 333'333);
    EXPECT_EQ(caps.MaxFrameInterval, 666'666);
    EXPECT_EQ(caps.MinBitsPerSecond, frame.width * frame.height * 15 * 24);
    EXPECT_EQ(caps.MaxBitsPerSecond, frame.width * frame.height * 720);
  }
}

TEST_F(OutputPinFormats, VgaFiguresAreExact) {
  AM_MEDIA_TYPE* type = nullptr;
  VIDEO_STREAM_CONFIG_CAPS caps{};
  ASSERT_EQ(pin_->GetStreamCaps(0, &type, reinterpret_cast<BYTE*>(&caps)), S_OK);
  const auto* info = reinterpret_cast<const VIDEOINFOHEADER*>(type->pbFormat);
  EXPECT_EQ(type->lSampleSize, 921'600u);
  EXPECT_EQ(info->dwBitRate, 221'184'000u);
  EXPECT_EQ(info->AvgTimePerFrame, 666'666);
  EXPECT_EQ(caps.MinBitsPerSecond, 110'592'000);
  EXPECT_EQ(caps.MaxBitsPerSecond, 221'184'000);
  dshow::delete_media_type(type);
}

TEST_F(OutputPinFormats, StreamCapsRefusesIndexesOutsideTheTable) {
  AM_MEDIA_TYPE* type = reinterpret_cast<AM_MEDIA_TYPE*>(0x1234);
  BYTE caps[128];
  std::memset(caps, 0xAB, sizeof caps);
  EXPECT_EQ(pin_->GetStreamCaps(-1, &type, caps), E_INVALIDARG);
  EXPECT_EQ(pin_->GetStreamCaps(10, &type, caps), E_INVALIDARG);
  // The index is judged before the pointers.
  EXPECT_EQ(pin_->GetStreamCaps(10, nullptr, nullptr), E_INVALIDARG);
  EXPECT_EQ(pin_->GetStreamCaps(0, nullptr, caps), E_POINTER);
  EXPECT_EQ(pin_->GetStreamCaps(0, &type, nullptr), E_POINTER);
  EXPECT_EQ(type, reinterpret_cast<AM_MEDIA_TYPE*>(0x1234));
  EXPECT_EQ(caps[0], 0xAB);
  EXPECT_EQ(caps[127], 0xAB);
}

TEST_F(OutputPinFormats, ConfiguredTypeStartsAtVga) {
  AM_MEDIA_TYPE* type = nullptr;
  ASSERT_EQ(pin_->GetFormat(&type), S_OK);
  expect_type_for(*type, {640, 480});
  dshow::delete_media_type(type);
  CMediaType vga = type_of({640, 480});
  CMediaType other = type_of({800, 600});
  EXPECT_EQ(pin_->CheckMediaType(&vga.get()), S_OK);
  EXPECT_EQ(pin_->CheckMediaType(&other.get()), E_INVALIDARG);
}

TEST_F(OutputPinFormats, SetFormatChoosesTheSizeCheckMediaTypeAccepts) {
  CMediaType hd = type_of({1280, 720});
  ASSERT_EQ(pin_->SetFormat(&hd.get()), S_OK);
  EXPECT_EQ(pin_->CheckMediaType(&hd.get()), S_OK);
  CMediaType vga = type_of({640, 480});
  EXPECT_EQ(pin_->CheckMediaType(&vga.get()), E_INVALIDARG);
  AM_MEDIA_TYPE* configured = nullptr;
  ASSERT_EQ(pin_->GetFormat(&configured), S_OK);
  EXPECT_TRUE(dshow::media_types_equal(*configured, hd.get()));
  dshow::delete_media_type(configured);
}

TEST_F(OutputPinFormats, SetFormatIgnoresTheFrameRateInTheType) {
  CMediaType slow = type_of({320, 240});
  reinterpret_cast<VIDEOINFOHEADER*>(slow->pbFormat)->AvgTimePerFrame = 10'000'000;
  ASSERT_EQ(pin_->SetFormat(&slow.get()), S_OK);
  CMediaType usual = type_of({320, 240});
  EXPECT_EQ(pin_->CheckMediaType(&usual.get()), S_OK);
}

TEST_F(OutputPinFormats, SetFormatRefusesTypesOutsideTheTable) {
  CMediaType top_down = type_of({1280, 720});
  reinterpret_cast<VIDEOINFOHEADER*>(top_down->pbFormat)->bmiHeader.biHeight = -720;
  EXPECT_EQ(pin_->SetFormat(&top_down.get()), VFW_E_INVALIDMEDIATYPE);
  CMediaType rgb32 = type_of({640, 480});
  rgb32->subtype = MEDIASUBTYPE_RGB32;
  EXPECT_EQ(pin_->SetFormat(&rgb32.get()), VFW_E_INVALIDMEDIATYPE);
  CMediaType odd = type_of({800, 450});
  EXPECT_EQ(pin_->SetFormat(&odd.get()), VFW_E_INVALIDMEDIATYPE);
  CMediaType compressed = type_of({640, 480});
  compressed->bTemporalCompression = TRUE;
  EXPECT_EQ(pin_->SetFormat(&compressed.get()), VFW_E_INVALIDMEDIATYPE);
  CMediaType variable = type_of({640, 480});
  variable->bFixedSizeSamples = FALSE;
  EXPECT_EQ(pin_->SetFormat(&variable.get()), VFW_E_INVALIDMEDIATYPE);
  CMediaType other_format = type_of({640, 480});
  other_format->formattype = FORMAT_VideoInfo2;
  EXPECT_EQ(pin_->SetFormat(&other_format.get()), VFW_E_INVALIDMEDIATYPE);
  CMediaType audio = type_of({640, 480});
  audio->majortype = MEDIATYPE_Audio;
  EXPECT_EQ(pin_->SetFormat(&audio.get()), VFW_E_INVALIDMEDIATYPE);
  // A format block too short for a VIDEOINFOHEADER is refused, not read past.
  CMediaType short_block = type_of({640, 480});
  short_block->cbFormat = 40;
  EXPECT_EQ(pin_->SetFormat(&short_block.get()), VFW_E_INVALIDMEDIATYPE);
  short_block->cbFormat = 88;

  CMediaType no_block = type_of({640, 480});
  dshow::free_media_type(no_block.get());
  EXPECT_EQ(pin_->SetFormat(&no_block.get()), E_POINTER);
  EXPECT_EQ(pin_->SetFormat(nullptr), E_POINTER);

  CMediaType vga = type_of({640, 480});
  EXPECT_EQ(pin_->CheckMediaType(&vga.get()), S_OK) << "refusals leave the configured type";
}

TEST_F(OutputPinFormats, SetFormatOnlyWhileStopped) {
  CMediaType hd = type_of({1280, 720});
  ASSERT_EQ(filter_->Pause(), S_OK);
  EXPECT_EQ(pin_->SetFormat(&hd.get()), VFW_E_NOT_STOPPED);
  ASSERT_EQ(filter_->Run(0), S_OK);
  EXPECT_EQ(pin_->SetFormat(&hd.get()), VFW_E_NOT_STOPPED);
  // The stopped check comes before the type checks.
  CMediaType rgb32 = type_of({640, 480});
  rgb32->subtype = MEDIASUBTYPE_RGB32;
  EXPECT_EQ(pin_->SetFormat(&rgb32.get()), VFW_E_NOT_STOPPED);
  ASSERT_EQ(filter_->Stop(), S_OK);
  EXPECT_EQ(pin_->SetFormat(&hd.get()), S_OK);
}

TEST_F(OutputPinFormats, CheckMediaTypeRefusals) {
  CMediaType vga = type_of({640, 480});
  EXPECT_EQ(pin_->CheckMediaType(nullptr), E_POINTER);
  CMediaType compressed = vga;
  compressed->bTemporalCompression = TRUE;
  EXPECT_EQ(pin_->CheckMediaType(&compressed.get()), E_INVALIDARG);
  CMediaType variable = vga;
  variable->bFixedSizeSamples = FALSE;
  EXPECT_EQ(pin_->CheckMediaType(&variable.get()), E_INVALIDARG);
  CMediaType rgb32 = vga;
  rgb32->subtype = MEDIASUBTYPE_RGB32;
  EXPECT_EQ(pin_->CheckMediaType(&rgb32.get()), E_INVALIDARG);
  CMediaType no_block = vga;
  dshow::free_media_type(no_block.get());
  EXPECT_EQ(pin_->CheckMediaType(&no_block.get()), E_INVALIDARG);
  CMediaType top_down = vga;
  reinterpret_cast<VIDEOINFOHEADER*>(top_down->pbFormat)->bmiHeader.biHeight = -480;
  EXPECT_EQ(pin_->CheckMediaType(&top_down.get()), E_INVALIDARG);
  // Only width and height are compared with the configured type.
  CMediaType other_rate = vga;
  reinterpret_cast<VIDEOINFOHEADER*>(other_rate->pbFormat)->AvgTimePerFrame = 333'333;
  EXPECT_EQ(pin_->CheckMediaType(&other_rate.get()), S_OK);
}

TEST_F(OutputPinFormats, PinCategoryIsCapture) {
  ComPtr<IKsPropertySet> properties;
  ASSERT_EQ(static_cast<IPin*>(pin_)->QueryInterface(IID_PPV_ARGS(&properties)), S_OK);
  GUID category{};
  DWORD returned = 0;
  ASSERT_EQ(properties->Get(AMPROPSETID_Pin, AMPROPERTY_PIN_CATEGORY, nullptr, 0, &category, sizeof category,
                            &returned),
            S_OK);
  EXPECT_EQ(category, PIN_CATEGORY_CAPTURE);
  EXPECT_EQ(returned, 16u);
  ASSERT_EQ(properties->Get(AMPROPSETID_Pin, AMPROPERTY_PIN_CATEGORY, nullptr, 0, &category, sizeof category,
                            nullptr),
            S_OK);
  DWORD support = 0;
  ASSERT_EQ(properties->QuerySupported(AMPROPSETID_Pin, AMPROPERTY_PIN_CATEGORY, &support), S_OK);
  EXPECT_EQ(support, static_cast<DWORD>(KSPROPERTY_SUPPORT_GET));
}

TEST_F(OutputPinFormats, PinCategoryQueryWithAShortBuffer) {
  BYTE buffer[16];
  std::memset(buffer, 0xAB, sizeof buffer);
  DWORD returned = 0;
  EXPECT_EQ(pin_->Get(AMPROPSETID_Pin, AMPROPERTY_PIN_CATEGORY, nullptr, 0, buffer, 15, &returned), E_UNEXPECTED);
  EXPECT_EQ(returned, 16u) << "the needed size is reported with the refusal";
  EXPECT_EQ(buffer[0], 0xAB);
  returned = 0;
  EXPECT_EQ(pin_->Get(AMPROPSETID_Pin, AMPROPERTY_PIN_CATEGORY, nullptr, 0, nullptr, 0, &returned), S_OK);
  EXPECT_EQ(returned, 16u) << "a size query without a buffer";
}

TEST_F(OutputPinFormats, PropertyRefusals) {
  GUID category{};
  DWORD returned = 7, support = 7;
  EXPECT_EQ(pin_->Get(AMPROPSETID_Pin, AMPROPERTY_PIN_MEDIUM, nullptr, 0, &category, 16, &returned),
            E_PROP_ID_UNSUPPORTED);
  EXPECT_EQ(pin_->Get(PIN_CATEGORY_CAPTURE, AMPROPERTY_PIN_CATEGORY, nullptr, 0, &category, 16, &returned),
            E_PROP_SET_UNSUPPORTED);
  EXPECT_EQ(pin_->Get(AMPROPSETID_Pin, AMPROPERTY_PIN_CATEGORY, nullptr, 0, nullptr, 16, nullptr), E_POINTER);
  EXPECT_EQ(returned, 7u);
  EXPECT_EQ(pin_->QuerySupported(AMPROPSETID_Pin, AMPROPERTY_PIN_MEDIUM, &support), E_PROP_ID_UNSUPPORTED);
  EXPECT_EQ(pin_->QuerySupported(PIN_CATEGORY_CAPTURE, AMPROPERTY_PIN_CATEGORY, &support), E_PROP_SET_UNSUPPORTED);
  EXPECT_EQ(pin_->QuerySupported(AMPROPSETID_Pin, AMPROPERTY_PIN_CATEGORY, nullptr), E_POINTER);
  EXPECT_EQ(support, 7u);
  EXPECT_EQ(pin_->Set(AMPROPSETID_Pin, AMPROPERTY_PIN_CATEGORY, nullptr, 0, &category, 16), E_NOTIMPL);
}

TEST_F(OutputPinFormats, QualityMessagesAreRefused) {
  Quality quality{};
  quality.Type = Famine;
  quality.Proportion = 500;
  EXPECT_EQ(pin_->Notify(filter_.Get(), quality), E_FAIL);
  EXPECT_EQ(pin_->Notify(nullptr, quality), E_FAIL);
  ComPtr<IQualityControl> control;
  ASSERT_EQ(static_cast<IPin*>(pin_)->QueryInterface(IID_PPV_ARGS(&control)), S_OK);
  EXPECT_EQ(control->Notify(filter_.Get(), quality), E_FAIL);
  EXPECT_EQ(control->SetSink(nullptr), S_OK);
}

TEST_F(OutputPinFormats, ConfigurationInterfacesAreOnThePinOnly) {
  ComPtr<IPin> pin;
  ASSERT_EQ(filter_->FindPin(L"Capture", &pin), S_OK);
  ComPtr<IAMStreamConfig> config;
  ComPtr<IKsPropertySet> properties;
  ComPtr<IQualityControl> quality;
  ASSERT_EQ(pin.As(&config), S_OK);
  ASSERT_EQ(pin.As(&properties), S_OK);
  ASSERT_EQ(pin.As(&quality), S_OK);
  // Reachable from any of the pin's interfaces, and back.
  ComPtr<IKsPropertySet> from_config;
  EXPECT_EQ(config.As(&from_config), S_OK);
  ComPtr<IAMStreamConfig> from_properties;
  EXPECT_EQ(properties.As(&from_properties), S_OK);
  ComPtr<IAMStreamConfig> from_quality;
  EXPECT_EQ(quality.As(&from_quality), S_OK);
  ComPtr<IPin> back;
  EXPECT_EQ(config.As(&back), S_OK);
  ComPtr<IUnknown> identity1, identity2;
  ASSERT_EQ(config.As(&identity1), S_OK);
  ASSERT_EQ(pin.As(&identity2), S_OK);
  EXPECT_EQ(identity1.Get(), identity2.Get()) << "one IUnknown for the pin";

  ComPtr<IAMStreamConfig> filter_config;
  ComPtr<IKsPropertySet> filter_properties;
  EXPECT_EQ(filter_.As(&filter_config), E_NOINTERFACE);
  EXPECT_EQ(filter_.As(&filter_properties), E_NOINTERFACE);
}

TEST_F(OutputPinFormats, FilterIdentity) {
  CLSID clsid{};
  ASSERT_EQ(filter_->GetClassID(&clsid), S_OK);
  EXPECT_EQ(clsid, kFilterClsid);
  FILTER_INFO info{};
  ASSERT_EQ(filter_->QueryFilterInfo(&info), S_OK);
  EXPECT_STREQ(info.achName, L"ZeloCamV10");
  EXPECT_EQ(info.pGraph, nullptr);
  PIN_INFO pin_info{};
  ASSERT_EQ(pin_->QueryPinInfo(&pin_info), S_OK);
  EXPECT_STREQ(pin_info.achName, L"Capture");
  EXPECT_EQ(pin_info.dir, PINDIR_OUTPUT);
  EXPECT_EQ(pin_info.pFilter, filter_.Get());
  pin_info.pFilter->Release();
  ComPtr<IEnumPins> pins;
  ASSERT_EQ(filter_->EnumPins(&pins), S_OK);
  IPin* all[2] = {};
  ULONG fetched = 0;
  EXPECT_EQ(pins->Next(2, all, &fetched), S_FALSE);
  ASSERT_EQ(fetched, 1u) << "one pin";
  all[0]->Release();
}

}  // namespace
}  // namespace vcam::camera
