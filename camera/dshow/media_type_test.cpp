#include "camera/dshow/media_type.h"

#include <gtest/gtest.h>

#include <atomic>

#include "camera/dshow/testing/video_types.h"

namespace vcam::dshow {
namespace {

using testing::rgb24_type;

// Counts references so the tests can see pUnk being held and released.
class CountedUnknown : public IUnknown {
 public:
  STDMETHODIMP QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  STDMETHODIMP_(ULONG) AddRef() override { return ++references; }
  STDMETHODIMP_(ULONG) Release() override { return --references; }
  std::atomic<ULONG> references{1};
};

TEST(MediaType, CopyIsDeepAndHoldsTheUnknown) {
  CountedUnknown unknown;
  CMediaType source = rgb24_type(64, 48);
  source->pUnk = &unknown;
  AM_MEDIA_TYPE copy{};
  ASSERT_EQ(copy_media_type(copy, source.get()), S_OK);
  EXPECT_EQ(unknown.references, 2u);
  ASSERT_NE(copy.pbFormat, nullptr);
  EXPECT_NE(copy.pbFormat, source->pbFormat);
  EXPECT_TRUE(media_types_equal(copy, source.get()));
  free_media_type(copy);
  EXPECT_EQ(copy.pbFormat, nullptr);
  EXPECT_EQ(copy.cbFormat, 0u);
  EXPECT_EQ(copy.pUnk, nullptr);
  EXPECT_EQ(unknown.references, 1u);
  source->pUnk = nullptr;
}

TEST(MediaType, CreatedTypeIsTaskAllocatedAndDeletable) {
  const CMediaType source = rgb24_type(32, 24);
  AM_MEDIA_TYPE* created = create_media_type(source.get());
  ASSERT_NE(created, nullptr);
  EXPECT_TRUE(media_types_equal(*created, source.get()));
  delete_media_type(created);
  delete_media_type(nullptr);
}

TEST(MediaType, EqualityLooksAtTheFormatBytes) {
  EXPECT_TRUE(media_types_equal(rgb24_type(64, 48).get(), rgb24_type(64, 48).get()));
  EXPECT_FALSE(media_types_equal(rgb24_type(64, 48).get(), rgb24_type(64, -48).get()));
  CMediaType other_subtype = rgb24_type(64, 48);
  other_subtype->subtype = MEDIASUBTYPE_RGB32;
  EXPECT_FALSE(media_types_equal(other_subtype.get(), rgb24_type(64, 48).get()));
  CMediaType no_format = rgb24_type(64, 48);
  free_media_type(no_format.get());
  EXPECT_FALSE(media_types_equal(no_format.get(), rgb24_type(64, 48).get()));
}

TEST(MediaType, PartialTypesMatchOnTheGuidsTheyName) {
  AM_MEDIA_TYPE partial{};
  EXPECT_TRUE(is_partially_specified(partial));
  EXPECT_TRUE(matches_partial(rgb24_type(64, 48).get(), partial));
  partial.majortype = MEDIATYPE_Video;
  partial.subtype = MEDIASUBTYPE_RGB24;
  EXPECT_TRUE(is_partially_specified(partial));
  EXPECT_TRUE(matches_partial(rgb24_type(64, 48).get(), partial));
  partial.subtype = MEDIASUBTYPE_RGB32;
  EXPECT_FALSE(matches_partial(rgb24_type(64, 48).get(), partial));
  EXPECT_FALSE(is_partially_specified(rgb24_type(64, 48).get()));
}

TEST(MediaType, OwnedValueCopiesMovesAndResets) {
  CMediaType a = rgb24_type(64, 48);
  CMediaType b = a;
  EXPECT_EQ(a, b);
  EXPECT_NE(a->pbFormat, b->pbFormat);
  CMediaType c = std::move(b);
  EXPECT_TRUE(b.empty());
  EXPECT_EQ(c, a);
  c = rgb24_type(32, 24);
  EXPECT_FALSE(c == a);
  c.reset();
  EXPECT_TRUE(c.empty());
  EXPECT_FALSE(c.has_format());
  EXPECT_EQ(c.set(a.get()), S_OK);
  EXPECT_EQ(c, a);
  EXPECT_EQ(c.set(c.get()), S_OK);
  EXPECT_EQ(c, a);
}

}  // namespace
}  // namespace vcam::dshow
