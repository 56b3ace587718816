// The web browser control against a platform browser of the tests' own: made
// only in a platform window, placed over the control, told the remembered
// URL, hidden with the control and gone on detach; events come back as
// Notify. Without a browser it paints nothing and navigation fails.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dui/controls/web_browser.h"
#include "dui/runtime/ui_runtime.h"
#include "dui/testing/layout_text.h"
#include "dui/testing/recording_painter.h"
#include "dui/testing/test_platform.h"

namespace vcam::dui {
namespace {

using testing::AttachedTree;
using Log = std::vector<std::string>;

struct BrowserRecord {
  int made = 0;
  int asked = 0;
  bool alive = false;
  bool navigate_result = true;
  void* native_window = nullptr;
  BrowserEvents* events = nullptr;
  Log calls;
};

class FakeView : public BrowserView {
 public:
  explicit FakeView(BrowserRecord& record) : record_(record) { record_.alive = true; }
  ~FakeView() override { record_.alive = false; }
  void SetBounds(const Rect& r) override { record_.calls.push_back("bounds " + testing::Str(r)); }
  void SetVisible(bool visible) override { record_.calls.push_back(visible ? "show" : "hide"); }
  bool Navigate(std::u16string_view url) override {
    record_.calls.push_back("navigate " + std::string(url.begin(), url.end()));
    return record_.navigate_result;
  }

 private:
  BrowserRecord& record_;
};

// A platform with a browser when `has_browser`.
class BrowserPlatform : public testing::TestPlatform {
 public:
  BrowserPlatform(testing::TestPlatformState& state, BrowserRecord& record, bool has_browser)
      : TestPlatform(state), record_(record), has_browser_(has_browser) {}
  std::unique_ptr<BrowserView> CreateBrowserView(void* native_window, BrowserEvents& events) override {
    ++record_.asked;
    if (!has_browser_) return nullptr;
    ++record_.made;
    record_.native_window = native_window;
    record_.events = &events;
    return std::make_unique<FakeView>(record_);
  }

 private:
  BrowserRecord& record_;
  bool has_browser_;
};

constexpr std::string_view kBrowser =
    R"(<Grid><Grid margin="10,20,0,0"><WebBrowser id="1" width="200" height="100" margin="5,5,0,0" horizontalAlign="left" verticalAlign="top"/></Grid></Grid>)";

class Browser : public ::testing::Test {
 protected:
  void TearDown() override { Shutdown(); }
  void Start(bool has_browser) {
    ASSERT_TRUE(Initialize(u"browser", std::make_unique<BrowserPlatform>(state_, record_, has_browser)));
  }
  testing::TestPlatformState state_;
  BrowserRecord record_;
  int window_ = 0;  // stands for the platform window
};

TEST_F(Browser, WithoutABrowserEngineTheControlPaintsNothingAndNavigationFails) {
  Start(false);
  std::unique_ptr<Control> root = testing::BuildTree(kBrowser);
  testing::TestWindow window;
  window.native_handle = &window_;
  root->Attach(&window);
  auto* browser = static_cast<WebBrowser*>(window.GetChild(1));
  ASSERT_NE(browser, nullptr);
  EXPECT_EQ(record_.asked, 1);
  EXPECT_FALSE(browser->has_browser());
  EXPECT_FALSE(browser->Navigate(u"https://example.com/"));
  EXPECT_EQ(browser->url(), u"https://example.com/");
  testing::RecordingPainter painter;
  browser->Paint(painter, {0, 0, 200, 100}, {0, 0, 200, 100});
  EXPECT_TRUE(painter.log.empty());
  root->Detach();
}

TEST_F(Browser, NoPlatformWindowNoBrowser) {
  Start(true);
  AttachedTree tree(kBrowser);  // its window has no native handle
  auto* browser = static_cast<WebBrowser*>(tree.ById(1));
  EXPECT_EQ(record_.asked, 0);
  EXPECT_FALSE(browser->has_browser());
  EXPECT_FALSE(browser->Navigate(u"about:blank"));
}

TEST_F(Browser, TheBrowserCoversTheControlLoadsTheRememberedUrlAndGoesOnDetach) {
  Start(true);
  std::unique_ptr<Control> root = testing::BuildTree(kBrowser);
  testing::TestWindow window;
  window.native_handle = &window_;
  root->Attach(&window);
  auto* browser = static_cast<WebBrowser*>(window.GetChild(1));
  ASSERT_TRUE(browser->has_browser());
  EXPECT_EQ(record_.native_window, &window_);
  // Made hidden: the control is told it is visible right after its Attached.
  EXPECT_EQ(record_.calls, (Log{"bounds 0,0,0,0", "hide", "show"}));

  root->Measure(400, 300);
  root->Arrange(0, 0, 400, 300);
  testing::RecordingPainter painter;
  const Rect at = browser->GetWindowRect();
  EXPECT_EQ(at, (Rect{15, 25, 215, 125}));
  browser->Paint(painter, at, at);
  browser->Paint(painter, at, at);  // unchanged: not sent again
  EXPECT_TRUE(painter.log.empty());
  EXPECT_TRUE(browser->Navigate(u"about:blank"));
  record_.navigate_result = false;
  EXPECT_FALSE(browser->Navigate(u"bad:"));
  browser->SetVisible(false);
  EXPECT_EQ(record_.calls, (Log{"bounds 0,0,0,0", "hide", "show", "bounds 15,25,215,125", "navigate about:blank",
                                "navigate bad:", "hide"}));
  root->Detach();
  EXPECT_FALSE(record_.alive);

  // Attached again: a new browser, told the last URL.
  record_.calls.clear();
  browser->SetVisible(true);
  root->Attach(&window);
  EXPECT_EQ(record_.made, 2);
  EXPECT_EQ(record_.calls, (Log{"bounds 15,25,215,125", "hide", "navigate bad:", "show"}));
  root.reset();
  EXPECT_FALSE(record_.alive);
}

TEST_F(Browser, PageEventsArriveAsNotify) {
  Start(true);
  std::unique_ptr<Control> root = testing::BuildTree(kBrowser);
  testing::TestWindow window;
  window.native_handle = &window_;
  root->Attach(&window);
  auto* browser = static_cast<WebBrowser*>(window.GetChild(1));
  Log seen;
  browser->AddHandler(EventKind::Notify, &seen, [](void* context, Control*, EventArgs& args) {
    static_cast<Log*>(context)->push_back(std::to_string(args.param1) + " " + std::to_string(args.param2) +
                                          (args.routing == Routing::Direct ? " direct" : " routed"));
  });
  ASSERT_NE(record_.events, nullptr);
  record_.events->DocumentComplete(u"about:blank");
  record_.events->NavigateError(u"https://example.com/", 404);
  EXPECT_EQ(seen, (Log{"1 0 direct", "2 404 direct"}));
  EXPECT_EQ(browser->loaded_url(), u"about:blank");
  root->Detach();
}

}  // namespace
}  // namespace vcam::dui
