#include "launcher/async/win/message_window.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "launcher/log/testing/log_capture.h"

namespace vcam::launcher {
namespace {

const std::u16string kClass = u"zelovcam_launcher_mq";

// Dispatches this thread's messages until `done` holds or 10 s passed.
template <typename Done>
bool pump_until(Done done) {
  const DWORD start = ::GetTickCount();
  while (!done()) {
    if (::GetTickCount() - start > 10000) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
  }
  return true;
}

void pump_pending() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
}

class MessageWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(create_message_window(kClass));
  }
  void TearDown() override { destroy_message_window(); }
  // The log lines written so far, each as "level text".
  std::vector<std::string> lines() const {
    std::vector<std::string> out;
    for (const auto& l : log_.lines()) out.push_back(std::to_string(l.level) + " " + l.text);
    return out;
  }

  log_capture log_;
};

TEST_F(MessageWindowTest, WindowIsAHiddenOnePixelPopupOfItsOwnClass) {
  message_window* mw = current_message_window();
  ASSERT_NE(mw, nullptr);
  const HWND w = mw->window();
  ASSERT_NE(w, nullptr);
  wchar_t title[16] = {};
  ::GetWindowTextW(w, title, 16);
  EXPECT_STREQ(title, L"fake");
  EXPECT_FALSE(::IsWindowVisible(w));
  EXPECT_EQ(static_cast<DWORD>(::GetWindowLongW(w, GWL_STYLE)) & WS_POPUP, static_cast<DWORD>(WS_POPUP));
  RECT r{};
  ::GetWindowRect(w, &r);
  EXPECT_EQ(r.right - r.left, 1);
  EXPECT_EQ(r.bottom - r.top, 1);
  wchar_t cls[64] = {};
  ::GetClassNameW(w, cls, 64);
  EXPECT_STREQ(cls, L"zelovcam_launcher_mq");
  EXPECT_EQ(::GetClassLongW(w, GCL_STYLE) & CS_OWNDC, static_cast<DWORD>(CS_OWNDC));
}

TEST_F(MessageWindowTest, SecondWindowIsRefusedAndTheClassIsReusedAfterDestroy) {
  EXPECT_FALSE(create_message_window(kClass));
  destroy_message_window();
  EXPECT_EQ(current_message_window(), nullptr);
  ASSERT_TRUE(create_message_window(kClass)) << "the class stays registered and is reused";
}

TEST_F(MessageWindowTest, CallableFromAWorkerRunsOnTheUiThread) {
  const auto token = register_owner_token();
  std::atomic<DWORD> ran_on{0};
  std::thread worker([&] { post_to_ui(token, [&] { ran_on = ::GetCurrentThreadId(); }); });
  worker.join();
  EXPECT_EQ(ran_on.load(), 0u) << "nothing runs before the UI thread dispatches";
  ASSERT_TRUE(pump_until([&] { return ran_on != 0; }));
  EXPECT_EQ(ran_on.load(), ::GetCurrentThreadId());
  EXPECT_TRUE(lines().empty());
}

TEST_F(MessageWindowTest, UnregisteredAndZeroTokensAreNeverRun) {
  const auto live = register_owner_token();
  const auto gone = register_owner_token();
  std::vector<std::string> ran;
  post_to_ui(0, [&] { ran.push_back("zero"); });
  post_to_ui(gone, [&] { ran.push_back("gone"); });
  post_to_ui(live + 1000, [&] { ran.push_back("never registered"); });
  post_to_ui(live, [&] { ran.push_back("live"); });
  unregister_owner_token(gone);
  ASSERT_TRUE(pump_until([&] { return !ran.empty(); }));
  pump_pending();
  EXPECT_EQ(ran, std::vector<std::string>{"live"});
}

TEST_F(MessageWindowTest, CallablesPostedDuringADrainRunInTheSameDrain) {
  const auto token = register_owner_token();
  std::vector<int> ran;
  post_to_ui(token, [&] {
    ran.push_back(1);
    post_to_ui(token, [&] { ran.push_back(2); });
  });
  current_message_window()->drain();
  EXPECT_EQ(ran, (std::vector<int>{1, 2}));
}

TEST_F(MessageWindowTest, DestroyRunsQueuedCallablesWhoseTokenIsStillRegistered) {
  const auto live = register_owner_token();
  const auto gone = register_owner_token();
  std::vector<std::string> ran;
  post_to_ui(live, [&] { ran.push_back("live"); });
  post_to_ui(gone, [&] { ran.push_back("gone"); });
  unregister_owner_token(gone);
  destroy_message_window();
  EXPECT_EQ(ran, std::vector<std::string>{"live"});
}

TEST_F(MessageWindowTest, PostingAfterDestroyDropsAndFreesTheCallable) {
  const auto token = register_owner_token();
  destroy_message_window();
  auto witness = std::make_shared<int>(0);
  bool ran = false;
  post_to_ui(token, [&ran, witness] { ran = true; });
  EXPECT_EQ(witness.use_count(), 1) << "the dropped callable was freed";
  ASSERT_TRUE(create_message_window(kClass));
  pump_pending();
  EXPECT_FALSE(ran);
}

TEST_F(MessageWindowTest, TenThousandCallablesFromFourWorkersKeepEachWorkersOrder) {
  const auto token = register_owner_token();
  constexpr int kWorkers = 4, kEach = 2500;
  std::vector<std::vector<int>> seen(kWorkers);  // touched on the UI thread only
  int total = 0;
  std::vector<std::thread> workers;
  for (int w = 0; w < kWorkers; ++w)
    workers.emplace_back([&, w] {
      for (int i = 0; i < kEach; ++i)
        post_to_ui(token, [&, w, i] {
          seen[w].push_back(i);
          ++total;
        });
    });
  const bool all = pump_until([&] { return total == kWorkers * kEach; });
  for (auto& t : workers) t.join();
  pump_pending();
  ASSERT_TRUE(all) << total << " of " << kWorkers * kEach << " ran";
  for (int w = 0; w < kWorkers; ++w) {
    ASSERT_EQ(seen[w].size(), static_cast<std::size_t>(kEach));
    for (int i = 0; i < kEach; ++i) ASSERT_EQ(seen[w][i], i) << "worker " << w;
  }
  EXPECT_TRUE(lines().empty()) << "no wake failed";
}

// Makes the first `failures` posts fail with `error`; counts posts and pauses
// instead of sleeping.
class failing_wake final : public window_wake_port {
 public:
  failing_wake(message_window& owner, int failures, DWORD error)
      : window_wake_port(owner), failures_(failures), error_(error) {}
  bool post() override {
    ++posts;
    if (failures_-- > 0) {
      ::SetLastError(error_);
      return false;
    }
    return window_wake_port::post();
  }
  void pause(unsigned ms) override { pauses.push_back(ms); }

  std::atomic<int> posts{0};
  std::vector<unsigned> pauses;

 private:
  std::atomic<int> failures_;
  DWORD error_;
};

failing_wake& install_failing_wake(int failures, DWORD error) {
  message_window* mw = current_message_window();
  auto port = std::make_unique<failing_wake>(*mw, failures, error);
  failing_wake& ref = *port;
  mw->set_wake_port(std::move(port));
  return ref;
}

const std::string kErrorLine = "600 \"message_window_wakeup\",\"zelovcam_launcher_mq\",";
const std::string kGaveUp = "600 \"message_window_wakeup\",\"zelovcam_launcher_mq\",\"PostMessage failed\"";

TEST_F(MessageWindowTest, FullQueueOnAWorkerIsRetriedUntilThePostGoesThrough) {
  failing_wake& wake = install_failing_wake(3, ERROR_NOT_ENOUGH_QUOTA);
  const auto token = register_owner_token();
  bool ran = false;
  std::thread worker([&] { post_to_ui(token, [&] { ran = true; }); });
  worker.join();
  EXPECT_EQ(wake.posts.load(), 4);
  EXPECT_EQ(wake.pauses, (std::vector<unsigned>{50, 50, 50}));
  EXPECT_EQ(lines(), std::vector<std::string>{kErrorLine + "1816"});
  EXPECT_TRUE(pump_until([&] { return ran; }));
}

TEST_F(MessageWindowTest, FullQueueOnAWorkerGivesUpAfterFiveRetriesAndKeepsTheEntry) {
  failing_wake& wake = install_failing_wake(6, ERROR_NOT_ENOUGH_QUOTA);
  const auto token = register_owner_token();
  std::vector<int> ran;
  std::thread worker([&] { post_to_ui(token, [&] { ran.push_back(1); }); });
  worker.join();
  EXPECT_EQ(wake.posts.load(), 6);
  EXPECT_EQ(wake.pauses, std::vector<unsigned>(5, 50));
  EXPECT_EQ(lines(), (std::vector<std::string>{kErrorLine + "1816", kGaveUp}));
  pump_pending();
  EXPECT_TRUE(ran.empty()) << "no wake reached the window";
  // The next successful wake runs both entries, in order.
  std::thread second([&] { post_to_ui(token, [&] { ran.push_back(2); }); });
  second.join();
  EXPECT_TRUE(pump_until([&] { return ran.size() == 2; }));
  EXPECT_EQ(ran, (std::vector<int>{1, 2}));
}

TEST_F(MessageWindowTest, OtherPostErrorOnAWorkerIsLoggedTwiceWithoutRetry) {
  failing_wake& wake = install_failing_wake(1, ERROR_ACCESS_DENIED);
  const auto token = register_owner_token();
  std::thread worker([&] { post_to_ui(token, [] {}); });
  worker.join();
  EXPECT_EQ(wake.posts.load(), 1);
  EXPECT_TRUE(wake.pauses.empty());
  EXPECT_EQ(lines(), (std::vector<std::string>{kErrorLine + "5", kGaveUp}));
}

TEST_F(MessageWindowTest, FailedWakeOnTheUiThreadDrainsThroughTheTimer) {
  failing_wake& wake = install_failing_wake(1, ERROR_NOT_ENOUGH_QUOTA);
  const auto token = register_owner_token();
  bool ran = false;
  post_to_ui(token, [&] { ran = true; });
  EXPECT_EQ(wake.posts.load(), 1);
  EXPECT_TRUE(wake.pauses.empty()) << "the UI thread never sleeps on a failed wake";
  EXPECT_EQ(lines(), std::vector<std::string>{kErrorLine + "1816"});
  // No wake message is queued: only the timer can run the callable.
  MSG msg;
  EXPECT_FALSE(::PeekMessageW(&msg, current_message_window()->window(), kWakeMessage, kWakeMessage, PM_NOREMOVE));
  bool timer_seen = false;
  const DWORD start = ::GetTickCount();
  while (!ran && ::GetTickCount() - start < 10000) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_TIMER && msg.wParam == kFallbackTimer) timer_seen = true;
      ::DispatchMessageW(&msg);
    }
  }
  EXPECT_TRUE(ran);
  EXPECT_TRUE(timer_seen);
  EXPECT_EQ(lines().size(), 1u);
}

}  // namespace
}  // namespace vcam::launcher

namespace vcam::launcher {
namespace {

// Records any wake that finds the window or its class name already gone, or
// whose post fails because the window was destroyed under it. Each wake
// lingers a little so that a destroy racing with it would land inside.
class checking_wake : public window_wake_port {
 public:
  using window_wake_port::window_wake_port;
  bool post() override {
    ::Sleep(1);
    if (!owner_.window() || owner_.class_name().empty()) torn.fetch_add(1);
    const bool posted = window_wake_port::post();
    if (!posted) torn.fetch_add(1);
    return posted;
  }
  std::atomic<int> torn{0};
};

TEST(MessageWindowDestroy, NoWakeSeesAHalfDestroyedWindowWhileWorkersPost) {
  for (int round = 0; round < 10; ++round) {
    ASSERT_TRUE(create_message_window(u"zelovcam_launcher_mq"));
    message_window* w = current_message_window();
    auto wake = std::make_unique<checking_wake>(*w);
    checking_wake& seen = *wake;
    w->set_wake_port(std::move(wake));
    const auto token = register_owner_token();
    std::atomic<int> started{0};
    std::vector<std::thread> workers;
    for (int i = 0; i < 3; ++i)
      workers.emplace_back([&] {
        started.fetch_add(1);
        for (int n = 0; n < 200; ++n) post_to_ui(token, [] {});
      });
    while (started.load() < 3) ::Sleep(0);
    ::Sleep(5);
    w->destroy();  // still published: workers go on posting into a closed window
    for (auto& t : workers) t.join();
    EXPECT_EQ(seen.torn.load(), 0) << "round " << round;
    destroy_message_window();
  }
}

}  // namespace
}  // namespace vcam::launcher
