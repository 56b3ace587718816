// Which objects get the low mandatory label on open: the frame objects and the
// list region only when the call created them, the list mutex every time.
#include "camera/channel/win/integrity_label.h"

#include <windows.h>

#include <aclapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "camera/channel/win/channel_test_support.h"
#include "camera/channel/win/consumer_list.h"
#include "camera/channel/win/frame_channel.h"

namespace vcam::camera {
namespace {

using testing::test_names;
using testing::test_suffix;

// Names of the objects labelled since the last clear; the labeller is a plain
// function, so the record is too.
std::vector<std::u16string> g_labelled;
void record_label(HANDLE object, std::u16string_view name) {
  apply_low_integrity_label(object, name);
  g_labelled.emplace_back(name);
}

// True when the object's SACL holds a low mandatory label with no-write-up.
bool has_low_label(HANDLE object) {
  PACL sacl = nullptr;
  PSECURITY_DESCRIPTOR sd = nullptr;
  if (::GetSecurityInfo(object, SE_KERNEL_OBJECT, LABEL_SECURITY_INFORMATION, nullptr, nullptr, nullptr, &sacl,
                        &sd) != ERROR_SUCCESS)
    return false;
  const UniqueLocal owner(sd);
  for (DWORD i = 0; sacl && i < sacl->AceCount; ++i) {
    void* ace = nullptr;
    if (!::GetAce(sacl, i, &ace)) continue;
    auto* label = static_cast<SYSTEM_MANDATORY_LABEL_ACE*>(ace);
    if (label->Header.AceType != SYSTEM_MANDATORY_LABEL_ACE_TYPE) continue;
    PSID sid = &label->SidStart;
    const DWORD rid = *::GetSidSubAuthority(sid, *::GetSidSubAuthorityCount(sid) - 1);
    if (rid == SECURITY_MANDATORY_LOW_RID && (label->Mask & SYSTEM_MANDATORY_LABEL_NO_WRITE_UP)) return true;
  }
  return false;
}

class LabelTable : public ::testing::Test {
 protected:
  void SetUp() override { g_labelled.clear(); }
  bool labelled(const std::u16string& name) const {
    for (const auto& n : g_labelled)
      if (n == name) return true;
    return false;
  }
};

TEST_F(LabelTable, CreatedFrameObjectsAreLabelled) {
  const RegionNames names = test_names(kFrameChannelNames, test_suffix(u"label-new"));
  FrameChannel channel(names, record_label);
  ASSERT_TRUE(channel.open());
  EXPECT_TRUE(labelled(names.mutex));
  EXPECT_TRUE(labelled(names.region));
  EXPECT_EQ(g_labelled.size(), 2u);
}

TEST_F(LabelTable, FrameObjectsThatExistedAreLeftAlone) {
  const RegionNames names = test_names(kFrameChannelNames, test_suffix(u"label-old"));
  FrameChannel first(names);
  ASSERT_TRUE(first.open());
  FrameChannel second(names, record_label);
  ASSERT_TRUE(second.open());
  EXPECT_TRUE(g_labelled.empty());
}

TEST_F(LabelTable, ListMutexIsLabelledEvenWhenItExisted) {
  const RegionNames names = test_names(kConsumerListNames, test_suffix(u"label-list"));
  ConsumerList first(names, record_label);
  ASSERT_TRUE(first.open());
  EXPECT_TRUE(labelled(names.mutex));
  EXPECT_TRUE(labelled(names.region));
  g_labelled.clear();
  ConsumerList second(names, record_label);
  ASSERT_TRUE(second.open());
  EXPECT_EQ(g_labelled, std::vector<std::u16string>{names.mutex});
}

TEST_F(LabelTable, FrameMutexCreatedByOthersIsNotLabelledButTheNewRegionIs) {
  const RegionNames names = test_names(kFrameChannelNames, test_suffix(u"label-mix"));
  UniqueHandle mutex(::CreateMutexW(nullptr, FALSE, wide(names.mutex)));
  ASSERT_TRUE(mutex);
  FrameChannel channel(names, record_label);
  ASSERT_TRUE(channel.open());
  EXPECT_EQ(g_labelled, std::vector<std::u16string>{names.region});
}

// Where the system keeps labels (Windows; Wine accepts and drops them), the
// label that lands on the object is the low one with no-write-up.
TEST(IntegrityLabel, TheLabelIsLowWithNoWriteUp) {
  UniqueHandle probe(::CreateMutexW(nullptr, FALSE, nullptr));
  apply_low_integrity_label(probe.get(), u"");
  if (!has_low_label(probe.get())) {
    PACL sacl = nullptr;
    PSECURITY_DESCRIPTOR sd = nullptr;
    ASSERT_EQ(::GetSecurityInfo(probe.get(), SE_KERNEL_OBJECT, LABEL_SECURITY_INFORMATION, nullptr, nullptr, nullptr,
                                &sacl, &sd),
              static_cast<DWORD>(ERROR_SUCCESS));
    ::LocalFree(sd);
    GTEST_SKIP() << "this system accepts mandatory labels without keeping them";
  }
  const RegionNames names = test_names(kFrameChannelNames, test_suffix(u"label-real"));
  FrameChannel channel(names);
  ASSERT_TRUE(channel.open());
  UniqueHandle mutex(::OpenMutexW(READ_CONTROL, FALSE, wide(names.mutex)));
  EXPECT_TRUE(has_low_label(mutex.get()));
}

}  // namespace
}  // namespace vcam::camera
