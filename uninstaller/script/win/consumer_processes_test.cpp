// The camera's consumer list as the uninstaller reads it, kept by a real
// process that loads the camera filter module, and the processes it ends.
#include "uninstaller/script/win/consumer_processes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "camera/channel/win/shared_region.h"
#include "camera/filter/win/filter_identity.h"
#include "common/testing/scratch_folder.h"
#include "uninstaller/script/win/testing/script_test_support.h"

namespace vcam::uninstaller {
namespace {

namespace fs = std::filesystem;
using testing::copy_peer;
using testing::lua_literal;
using testing::Peer;
using testing::ScriptRunner;

// The camera module of the test's own bitness, beside the test.
fs::path camera_module() { return fs::path(application_folder()) / camera::kModuleName; }

// Polls the list until it holds `path` (a loading consumer records itself
// at some moment the test cannot see); false after 30 s.
bool wait_listed(const fs::path& path) {
  for (int i = 0; i < 600; ++i) {
    const auto list = read_consumer_list();
    if (list && list->find(path.u16string() + u";") != std::u16string::npos) return true;
    ::Sleep(50);
  }
  return false;
}

class ConsumerProcesses : public ::testing::Test {
 protected:
  // Names of this process only, so that nothing else is ended by name.
  std::string tag_ = std::to_string(::GetCurrentProcessId());
  vcam::testing::ScratchFolder scratch_{"script_consumers_"};
  ScriptRunner script_;
};

TEST_F(ConsumerProcesses, AProcessThatLoadsTheCameraIsListedAndEndedWithTheCompanion) {
  const fs::path consumer = copy_peer(scratch_ / ("consumer_" + tag_ + ".exe"));
  const fs::path companion = copy_peer(scratch_ / "companion" / "ZeloVirtualCamera.exe");
  Peer user(consumer, L"load \"" + camera_module().wstring() + L"\"");
  Peer app(companion, L"wait");
  ASSERT_TRUE(user && app);
  ASSERT_TRUE(wait_listed(consumer)) << "the camera module never listed its host";

  EXPECT_EQ(script_.results("getRunningProcess():find(" + lua_literal(consumer.filename()) + ", 1, true) ~= nil"),
            "true");
  EXPECT_EQ(script_.results("killRunningProcess()"), "(none)");
  ASSERT_TRUE(user.ended(10000));
  ASSERT_TRUE(app.ended(10000));
  EXPECT_EQ(user.exit_code(), 0u);
  EXPECT_EQ(app.exit_code(), 0u);
}

TEST_F(ConsumerProcesses, AnEmptyListStillEndsTheCompanion) {
  const fs::path companion = copy_peer(scratch_ / "ZeloVirtualCamera.exe");
  Peer app(companion, L"wait");
  ASSERT_TRUE(app);
  const auto list = read_consumer_list();
  ASSERT_TRUE(list);
  ASSERT_TRUE(list->empty()) << "another consumer is running: " << utf16_to_utf8(*list);
  EXPECT_EQ(script_.results("getRunningProcess()"), "(none)");
  ASSERT_FALSE(script_.run("killRunningProcess()"));
  ASSERT_TRUE(app.ended(10000));
  EXPECT_EQ(app.exit_code(), 0u);
}

TEST_F(ConsumerProcesses, AnUnreadableListStillEndsTheCompanion) {
  const fs::path companion = copy_peer(scratch_ / "ZeloVirtualCamera.exe");
  Peer app(companion, L"wait");
  ASSERT_TRUE(app);
  // Another thread owns the list mutex for the whole call: the read gives up
  // after its bounded wait.
  UniqueHandle held(::CreateEventW(nullptr, TRUE, FALSE, nullptr)), release(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  std::thread holder([&] {
    camera::SharedRegion region(camera::kConsumerListNames, camera::kListRegionSize,
                                camera::SharedRegion::MutexLabel::Always);
    region.open();
    const MutexLock lock(region.mutex(), INFINITE);
    ::SetEvent(held.get());
    ::WaitForSingleObject(release.get(), INFINITE);
  });
  ::WaitForSingleObject(held.get(), INFINITE);
  EXPECT_FALSE(read_consumer_list());
  EXPECT_EQ(script_.results("getRunningProcess()"), "(none)");
  ASSERT_FALSE(script_.run("killRunningProcess()"));
  ::SetEvent(release.get());
  holder.join();
  ASSERT_TRUE(app.ended(10000));
  EXPECT_EQ(app.exit_code(), 0u);
}

TEST_F(ConsumerProcesses, EntriesAreEndedByFileNameWhereverTheyRunAndOnlyWhenTerminated) {
  // A private list, so the entries can be written by hand.
  const camera::RegionNames names{camera::kConsumerListNames.mutex + u"-script-test-" + utf8_to_utf16(tag_),
                                  camera::kConsumerListNames.region + u"-script-test-" + utf8_to_utf16(tag_)};
  camera::SharedRegion region(names, camera::kListRegionSize, camera::SharedRegion::MutexLabel::Always);
  ASSERT_TRUE(region.open());
  const fs::path listed = copy_peer(scratch_ / ("listed_" + tag_ + ".exe"));
  const fs::path unterminated = copy_peer(scratch_ / ("unterminated_" + tag_ + ".exe"));
  Peer a(listed, L"wait"), b(unterminated, L"wait");
  ASSERT_TRUE(a && b);
  const std::u16string text = u"C:\\elsewhere\\" + listed.filename().u16string() + u";" + unterminated.u16string();
  std::memcpy(region.view(), text.c_str(), (text.size() + 1) * sizeof(char16_t));
  EXPECT_EQ(read_consumer_list(names), text);
  kill_running_consumers(names);
  ASSERT_TRUE(a.ended(10000)) << "ended by its file name wherever it runs from";
  EXPECT_FALSE(b.ended(0)) << "an entry without its ';' is ignored";
}

}  // namespace
}  // namespace vcam::uninstaller
