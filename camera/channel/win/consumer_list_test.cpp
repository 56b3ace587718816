// The consumer list on real kernel objects, across processes started from one
// executable, as the filter module's attach and detach use it.
#include "camera/channel/win/consumer_list.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "camera/channel/win/channel_test_support.h"

namespace vcam::camera {
namespace {

using testing::NamedEvent;
using testing::Process;
using testing::RawView;
using testing::test_names;
using testing::test_suffix;

class ConsumerListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    list_.open();
    raw_ = std::make_unique<RawView>(names_.region, kListRegionSize);
    ASSERT_TRUE(*raw_);
  }
  std::u16string text() const { return std::u16string(reinterpret_cast<const char16_t*>(raw_->bytes())); }
  void set_text(std::u16string_view t) {
    std::memset(raw_->bytes(), 0, kListRegionSize);
    std::memcpy(raw_->bytes(), t.data(), t.size() * 2);
  }

  const std::u16string suffix_ = test_suffix(u"list");
  const RegionNames names_ = test_names(kConsumerListNames, suffix_);
  ConsumerList list_{names_};
  std::unique_ptr<RawView> raw_;
};

TEST_F(ConsumerListTest, FreshListIsEmptyAndUsable) {
  EXPECT_EQ(list_.usable_size(), 4096u);
  EXPECT_TRUE(raw_->all_zero());
}

TEST_F(ConsumerListTest, AddSelfRecordsThePathOnce) {
  list_.addSelf(u"C:\\Apps\\chat.exe");
  list_.addSelf(u"C:\\Apps\\chat.exe");
  EXPECT_EQ(text(), u"C:\\Apps\\chat.exe;");
}

TEST_F(ConsumerListTest, PathInsideALongerEntryCountsAsPresent) {
  set_text(u"C:\\Apps\\chat.exe.backup;");
  list_.addSelf(u"C:\\Apps\\chat.exe");
  EXPECT_EQ(text(), u"C:\\Apps\\chat.exe.backup;");
}

TEST_F(ConsumerListTest, RemovingTheOnlyEntryLeavesAZeroFilledText) {
  list_.addSelf(u"C:\\Apps\\chat.exe");
  list_.removeSelf(u"C:\\Apps\\chat.exe");
  EXPECT_TRUE(raw_->all_zero());
}

TEST_F(ConsumerListTest, TrailingUnterminatedPieceSurvivesARebuild) {
  set_text(u"C:\\Apps\\chat.exe;D:\\other.exe");
  list_.removeSelf(u"C:\\Apps\\chat.exe");
  EXPECT_EQ(text(), u"D:\\other.exe;");
}

TEST_F(ConsumerListTest, AddSelfEndsAnEntryAnotherPartyLeftUnterminated) {
  set_text(u"D:\\other.exe");
  list_.addSelf(u"C:\\Apps\\chat.exe");
  EXPECT_EQ(text(), u"D:\\other.exe;C:\\Apps\\chat.exe;");
  // And the rebuild on removal keeps the other entry ended.
  list_.removeSelf(u"C:\\Apps\\chat.exe");
  EXPECT_EQ(text(), u"D:\\other.exe;");
}

TEST_F(ConsumerListTest, RemoveOfAnAbsentPathLeavesTheTextAsItWas) {
  set_text(u";;D:\\other.exe");
  list_.removeSelf(u"C:\\Apps\\chat.exe");
  EXPECT_EQ(text(), u";;D:\\other.exe");
}

TEST_F(ConsumerListTest, ClosedListIsNotTouched) {
  list_.close();
  EXPECT_EQ(list_.usable_size(), 0u);
  set_text(u"C:\\Apps\\chat.exe;");
  list_.removeSelf(u"C:\\Apps\\chat.exe");
  EXPECT_EQ(text(), u"C:\\Apps\\chat.exe;");
}

TEST_F(ConsumerListTest, AddSelfOpensTheListFirst) {
  ConsumerList late(names_);
  EXPECT_EQ(late.usable_size(), 0u);
  late.addSelf(u"E:\\x.exe");
  EXPECT_EQ(late.usable_size(), 4096u);
  EXPECT_EQ(text(), u"E:\\x.exe;");
}

TEST_F(ConsumerListTest, TwoProcessesFromOneExecutableRecordOneEntryAndTheFirstToUnloadRemovesIt) {
  NamedEvent ready_a(u"ready-a"), go_a(u"go-a"), ready_b(u"ready-b"), go_b(u"go-b");
  const std::wstring s(wide(suffix_));
  Process a(L"channel_peer.exe", L"list " + s + L" " + ready_a.name() + L" " + go_a.name());
  ASSERT_TRUE(a);
  ASSERT_TRUE(ready_a.wait(20000));
  Process b(L"channel_peer.exe", L"list " + s + L" " + ready_b.name() + L" " + go_b.name());
  ASSERT_TRUE(b);
  ASSERT_TRUE(ready_b.wait(20000));

  const std::u16string peer_path = std::u16string(application_folder()) + u"channel_peer.exe";
  // The system reports the path with its own spelling; compare what matters.
  const std::u16string recorded = text();
  ASSERT_EQ(recorded.size(), peer_path.size() + 1) << "one entry for two processes";
  EXPECT_EQ(recorded.back(), u';');
  EXPECT_EQ(::CompareStringOrdinal(wide(recorded), static_cast<int>(peer_path.size()), wide(peer_path),
                                   static_cast<int>(peer_path.size()), TRUE),
            CSTR_EQUAL);

  go_a.set();
  ASSERT_EQ(a.wait(20000), 0);
  EXPECT_TRUE(raw_->all_zero()) << "removed although the second process still has it loaded";

  go_b.set();
  ASSERT_EQ(b.wait(20000), 0);
  EXPECT_TRUE(raw_->all_zero());
}

TEST_F(ConsumerListTest, ListMutexHeldElsewhereMakesAddAndRemoveSkipWithoutBlocking) {
  list_.addSelf(u"C:\\kept.exe");
  NamedEvent held(u"list-held"), release(u"list-release");
  Process peer(L"channel_peer.exe", L"hold " + std::wstring(wide(names_.mutex)) + L" " + held.name() + L" " + release.name());
  ASSERT_TRUE(peer);
  ASSERT_TRUE(held.wait(20000));

  const ULONGLONG before = ::GetTickCount64();
  list_.addSelf(u"C:\\new.exe");
  list_.removeSelf(u"C:\\kept.exe");
  ConsumerList other(names_);
  other.addSelf(u"C:\\other.exe");  // its open waits and fails too
  const ULONGLONG waited = ::GetTickCount64() - before;
  EXPECT_EQ(text(), u"C:\\kept.exe;");
  EXPECT_EQ(other.usable_size(), 0u);
  EXPECT_LT(waited, 2000u) << "three waits of 100 ms each";
  EXPECT_GE(waited, 240u);

  release.set();
  ASSERT_EQ(peer.wait(20000), 0);
  list_.addSelf(u"C:\\new.exe");
  EXPECT_EQ(text(), u"C:\\kept.exe;C:\\new.exe;");
}

TEST(ConsumerListHost, ExecutablePathIsTheMainModule) {
  const std::u16string path = host_executable_path();
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(path.substr(path.size() - 4), u".exe");
  EXPECT_NE(path.find(u'\\'), std::u16string::npos);
}

TEST(ConsumerListHost, HostPathIsWhatTheSystemReportsWithinTheBuffer) {
  wchar_t reported[1024] = {};
  const DWORD n = ::GetModuleFileNameW(nullptr, reported, 1024);
  ASSERT_GT(n, 0u);
  ASSERT_LT(n, kHostPathCapacity) << "the test runs from a path too long for this check";
  const HostPath path = HostPath::read();
  EXPECT_FALSE(path.empty());
  EXPECT_EQ(path.view(), std::u16string_view(reinterpret_cast<const char16_t*>(reported), n));
}

// The system's answer at the edge of the buffer, with this program's own
// path: a path longer than the 512-unit buffer cannot be started here, so
// the buffer is offered short instead. One unit more than the path holds it
// with its terminator; anything less has cut it, and a cut path would name
// another program, so nothing is kept.
TEST(ConsumerListHost, HostPathThatFillsTheBufferCountsAsCutAndIsEmpty) {
  const std::u16string full = host_executable_path();
  ASSERT_GT(full.size(), 1u);
  EXPECT_EQ(HostPath::read(full.size() + 1).view(), full);
  EXPECT_TRUE(HostPath::read(full.size()).empty());
  EXPECT_TRUE(HostPath::read(full.size() - 1).empty());
  EXPECT_TRUE(HostPath::read(0).empty());
  EXPECT_EQ(HostPath::read(kHostPathCapacity + 100).view(), full) << "never more than the buffer is offered";
}

TEST_F(ConsumerListTest, PathLongerThanTheRoomLeftIsNotAddedAndTheTextStaysTerminated) {
  set_text(u"C:\\kept.exe;");
  const std::size_t room = kListCapacity - 1 - std::u16string_view(u"C:\\kept.exe;").size();
  const std::u16string too_long = u"C:\\" + std::u16string(room - 3, u'p');  // its ";" does not fit
  list_.addSelf(too_long);
  EXPECT_EQ(text(), u"C:\\kept.exe;");
  const std::u16string fits = too_long.substr(0, too_long.size() - 1);
  list_.addSelf(fits);
  EXPECT_EQ(text(), u"C:\\kept.exe;" + fits + u";");
  EXPECT_EQ(reinterpret_cast<const char16_t*>(raw_->bytes())[kListCapacity - 1], u'\0');
}

TEST(ConsumerListHost, TheProductListTakesAndDropsThisProcess) {
  ConsumerList list;
  const std::u16string path = host_executable_path();
  list.addSelf(path);
  RawView raw(kConsumerListNames.region, kListRegionSize);
  ASSERT_TRUE(raw);
  auto text = [&] { return std::u16string(reinterpret_cast<const char16_t*>(raw.bytes())); };
  EXPECT_NE(text().find(path + u";"), std::u16string::npos);
  list.removeSelf(path);
  EXPECT_EQ(text().find(path + u";"), std::u16string::npos);
}

}  // namespace
}  // namespace vcam::camera
