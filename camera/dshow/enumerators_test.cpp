#include <gtest/gtest.h>

#include <wrl/client.h>

#include "camera/dshow/media_type.h"
#include "camera/dshow/testing/test_source.h"
#include "camera/dshow/testing/video_types.h"

namespace vcam::dshow {
namespace {

using Microsoft::WRL::ComPtr;
using testing::rgb24_type;
using testing::TestSource;
using testing::TestStreamOptions;

ComPtr<TestSource> source_with_types(int count) {
  TestStreamOptions options;
  for (int i = 0; i < count; ++i) options.offered.push_back(rgb24_type(16 * (i + 1), 8));
  return new TestSource(std::move(options));
}

TEST(EnumPins, ListsThePinsOnceThenReportsTheEnd) {
  ComPtr<TestSource> source = source_with_types(1);
  ComPtr<IEnumPins> pins;
  ASSERT_EQ(source->EnumPins(&pins), S_OK);
  IPin* got[2] = {};
  ULONG fetched = 99;
  EXPECT_EQ(pins->Next(2, got, &fetched), S_FALSE);
  ASSERT_EQ(fetched, 1u);
  EXPECT_EQ(got[0], static_cast<IPin*>(source->Stream()));
  got[0]->Release();
  EXPECT_EQ(pins->Next(1, got, nullptr), S_FALSE);
  EXPECT_EQ(pins->Reset(), S_OK);
  EXPECT_EQ(pins->Skip(1), S_OK);
  EXPECT_EQ(pins->Skip(1), S_FALSE);
}

TEST(EnumPins, ArgumentsAreChecked) {
  ComPtr<TestSource> source = source_with_types(1);
  ComPtr<IEnumPins> pins;
  ASSERT_EQ(source->EnumPins(&pins), S_OK);
  IPin* got[2] = {};
  EXPECT_EQ(pins->Next(1, nullptr, nullptr), E_POINTER);
  EXPECT_EQ(pins->Next(2, got, nullptr), E_INVALIDARG) << "several items need a count";
  EXPECT_EQ(got[0], nullptr);
  EXPECT_EQ(pins->Clone(nullptr), E_POINTER);
  EXPECT_EQ(source->EnumPins(nullptr), E_POINTER);
}

TEST(EnumPins, CloneKeepsThePosition) {
  ComPtr<TestSource> source = source_with_types(1);
  source->AddSecondPin();
  ComPtr<IEnumPins> pins;
  ASSERT_EQ(source->EnumPins(&pins), S_OK);
  ASSERT_EQ(pins->Skip(1), S_OK);
  ComPtr<IEnumPins> clone;
  ASSERT_EQ(pins->Clone(&clone), S_OK);
  ComPtr<IPin> pin;
  ASSERT_EQ(clone->Next(1, &pin, nullptr), S_OK);
  PIN_INFO info{};
  ASSERT_EQ(pin->QueryPinInfo(&info), S_OK);
  info.pFilter->Release();
  EXPECT_STREQ(info.achName, L"Out2");
}

TEST(EnumPins, ChangedPinsPutTheEnumeratorOutOfSyncUntilReset) {
  ComPtr<TestSource> source = source_with_types(1);
  ComPtr<IEnumPins> pins;
  ASSERT_EQ(source->EnumPins(&pins), S_OK);
  source->AddSecondPin();
  ComPtr<IPin> pin;
  EXPECT_EQ(pins->Next(1, &pin, nullptr), VFW_E_ENUM_OUT_OF_SYNC);
  EXPECT_EQ(pins->Skip(1), VFW_E_ENUM_OUT_OF_SYNC);
  ComPtr<IEnumPins> clone;
  EXPECT_EQ(pins->Clone(&clone), VFW_E_ENUM_OUT_OF_SYNC);
  ASSERT_EQ(pins->Reset(), S_OK);
  IPin* got[3] = {};
  ULONG fetched = 0;
  EXPECT_EQ(pins->Next(3, got, &fetched), S_FALSE);
  EXPECT_EQ(fetched, 2u);
  for (ULONG i = 0; i < fetched; ++i) got[i]->Release();
}

TEST(EnumMediaTypes, HandsOutTaskAllocatedCopiesInOrder) {
  ComPtr<TestSource> source = source_with_types(3);
  ComPtr<IEnumMediaTypes> types;
  ASSERT_EQ(source->Stream()->EnumMediaTypes(&types), S_OK);
  AM_MEDIA_TYPE* got[4] = {};
  ULONG fetched = 0;
  EXPECT_EQ(types->Next(4, got, &fetched), S_FALSE);
  ASSERT_EQ(fetched, 3u);
  for (ULONG i = 0; i < fetched; ++i) {
    EXPECT_TRUE(media_types_equal(*got[i], rgb24_type(16 * static_cast<LONG>(i + 1), 8).get()));
    delete_media_type(got[i]);
  }
  EXPECT_EQ(types->Next(1, got, nullptr), S_FALSE);
}

TEST(EnumMediaTypes, SkipResetAndClone) {
  ComPtr<TestSource> source = source_with_types(3);
  ComPtr<IEnumMediaTypes> types;
  ASSERT_EQ(source->Stream()->EnumMediaTypes(&types), S_OK);
  EXPECT_EQ(types->Skip(4), S_FALSE);
  EXPECT_EQ(types->Skip(2), S_OK);
  ComPtr<IEnumMediaTypes> clone;
  ASSERT_EQ(types->Clone(&clone), S_OK);
  AM_MEDIA_TYPE* got = nullptr;
  ASSERT_EQ(clone->Next(1, &got, nullptr), S_OK);
  EXPECT_TRUE(media_types_equal(*got, rgb24_type(48, 8).get()));
  delete_media_type(got);
  EXPECT_EQ(types->Skip(1), S_OK);
  EXPECT_EQ(types->Skip(1), S_FALSE);
  ASSERT_EQ(types->Reset(), S_OK);
  ASSERT_EQ(types->Next(1, &got, nullptr), S_OK);
  EXPECT_TRUE(media_types_equal(*got, rgb24_type(16, 8).get()));
  delete_media_type(got);
  EXPECT_EQ(types->Next(1, nullptr, nullptr), E_POINTER);
  AM_MEDIA_TYPE* two[2] = {};
  EXPECT_EQ(types->Next(2, two, nullptr), E_INVALIDARG);
  EXPECT_EQ(types->Clone(nullptr), E_POINTER);
}

}  // namespace
}  // namespace vcam::dshow
