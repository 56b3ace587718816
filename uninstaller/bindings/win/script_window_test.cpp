// Script windows in real windows: control tables, the window methods, timers,
// events into the script, and the modal run that the title bar and Alt+F4
// cannot end.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "uninstaller/bindings/win/testing/bindings_test_support.h"
#include "tools/pack/resource_pack_writer.h"
#include "uninstaller/ui/win/embedded_ui_files.h"
#include "uninstaller/ui/win/link_label.h"
#include "uninstaller/bindings/win/control_tables.h"

namespace vcam::uninstaller {
namespace {

using testing::BindingsTest;

constexpr const wchar_t* kClass = L"WINDOW:234:000";

// Waits on its own thread for the script window with `title`, then runs
// `act` on it; the window's handle, or null when it never came.
class WindowDriver {
 public:
  template <typename Act>
  WindowDriver(const wchar_t* title, Act act)
      : thread_([this, title, act] {
          for (int i = 0; i < 1000 && !window_; ++i) {
            window_ = ::FindWindowW(kClass, title);
            if (!window_) ::Sleep(10);
          }
          if (window_) act(window_);
        }) {}
  ~WindowDriver() { join(); }
  void join() {
    if (thread_.joinable()) thread_.join();
  }
  HWND window() const { return window_; }

 private:
  std::atomic<HWND> window_{nullptr};
  std::thread thread_;
};

// Lets a script wait for the test's driver: a value under HKCU.
constexpr const wchar_t* kSignalKey = L"Software\\vcam-bindings-test";
void clear_signal() { ::RegDeleteTreeW(HKEY_CURRENT_USER, kSignalKey); }
void raise_signal(const wchar_t* name = L"done") {
  DWORD one = 1;
  ::RegSetKeyValueW(HKEY_CURRENT_USER, kSignalKey, name, REG_DWORD, &one, sizeof one);
}
constexpr const char* kWaitForSignal =
    "local function signalled(name) return regQueryInteger(HKEY_CURRENT_USER, [[Software\\vcam-bindings-test]], name or 'done') == 1 end\n";

using ScriptWindows = BindingsTest;

TEST_F(ScriptWindows, AControlReachedTwiceIsTheSameTableAndTablesGoWithTheirControls) {
  ASSERT_TRUE(run_window_script(R"(
    local w = createWindow("page.xml")
    local root = w:getRoot()
    local grid = w:getChild(1000)
    local b1 = w:getChild(1004)
    print("same " .. tostring(rawequal(b1, root:getChild(1004))) .. " " .. tostring(rawequal(b1, grid:getChild(1004))))
    print("parent " .. tostring(rawequal(b1:getParent(), grid)) .. " " .. tostring(rawequal(grid:getParent(), root)))
    print("first " .. tostring(rawequal(grid:getFirstChild(), w:getChild(1003))))
    print("last " .. tostring(rawequal(grid:getLastChild(), w:getChild(1006))))
    print("siblings " .. tostring(rawequal(w:getChild(1003):getNext(), b1)) .. " " .. tostring(rawequal(b1:getPrevious(), w:getChild(1003))))
    print("window " .. tostring(rawequal(b1:getWindow(), w)))
    print("missing " .. tostring(w:getChild(4242)) .. " " .. tostring(grid:getChild(1007)))
    local reg = debug.getregistry()
    local function count(t) local n = 0 for _ in pairs(t) do n = n + 1 end return n end
    print("tables " .. count(reg.__control[1]) .. " " .. count(reg.__control[2]))
    w:setTimer(10, function() w:endDialog(4) end)
    print("code " .. w:showDialog())
    print("after " .. count(reg.__control[1]) .. " " .. count(reg.__control[2]) .. " " .. #reg.__window .. " " .. #reg.__timer)
    print("stale " .. b1:getName() .. " " .. select('#', b1:getText()) .. " " .. select('#', w:getRoot()))
  )")) << output_.errors().front();
  for (const char* line : {"same true true", "parent true true", "first true", "last true", "siblings true true",
                           "window true", "missing nil nil", "tables 5 5", "code 4", "after 0 0 0 0",
                           "stale nil 0 0"})
    EXPECT_TRUE(printed(line)) << line << " in " << all_lines();
  EXPECT_TRUE(output_.errors().empty());
}

TEST_F(ScriptWindows, ClassMethodsFollowTheControlsClass) {
  ASSERT_TRUE(run_window_script(R"(
    local w = createWindow("page.xml")
    local root, button, bar, label = w:getRoot(), w:getChild(1004), w:getChild(1006), w:getChild(1007)
    print("panel " .. tostring(root.getFirstChild ~= nil) .. " " .. tostring(button.getFirstChild == nil))
    print("button " .. tostring(button.setCheck ~= nil) .. " " .. tostring(label.setCheck == nil))
    print("bar " .. tostring(bar.setRange ~= nil and bar.setPosition ~= nil))
    print("names " .. root:getName() .. " " .. button:getName() .. " " .. label:getName())
    print("check " .. tostring(button:getCheck()))
    button:setCheck(true)
    print("check " .. tostring(button:getCheck()))
    label:setText("100%")
    print("text " .. label:getText())
    local page2 = w:getChild(2000)
    print("visible " .. tostring(page2:getVisible()))
    page2:setVisible(true)
    print("visible " .. tostring(page2:getVisible()))
    button:setEnabled(false)
    print("enabled " .. tostring(button:getEnabled()))
    bar:setRange(19)
    bar:setPosition(25)
    print("not a control " .. select('#', button.getText({})) .. " " .. button.getName({}) .. " " .. select('#', w.getRoot({})))
  )"));
  for (const char* line : {"panel true true", "button true true", "bar true", "names Window Button Label",
                           "check false", "check true", "text 100%", "visible false", "visible true",
                           "enabled false", "not a control 0 nil 0"})
    EXPECT_TRUE(printed(line)) << line << " in " << all_lines();
  EXPECT_TRUE(output_.errors().empty());
}

TEST_F(ScriptWindows, TextBoxAndEditTextGoesThroughTheControlsOwnText) {
  ASSERT_TRUE(run_window_script(R"(
    local w = createWindow("page.xml")
    local box, edit, label = w:getChild(3003), w:getChild(3004), w:getChild(1007)
    print("names " .. box:getName() .. " " .. edit:getName())
    print("own " .. tostring(box.setText ~= label.setText) .. " " .. tostring(edit.getText ~= label.getText))
    print("empty [" .. box:getText() .. "] [" .. edit:getText() .. "]")
    box:setText("\228\189\160\229\165\189 box")
    edit:setText("line one\nline two")
    print("box " .. box:getText())
    print("edit " .. edit:getText():gsub("\r", ""):gsub("\n", "|"))
    print("label " .. label:getText())
    box:setText(string.rep("x", 2500))
    print("cut " .. #box:getText())
    box:setText()
    print("cleared [" .. box:getText() .. "]")
    edit:setText(42)
    print("number " .. edit:getText())
    print("not a box " .. select('#', box.getText(label)) .. " " .. select('#', edit.getText(box)))
  )")) << output_.errors().front();
  for (const char* line : {"names TextBox Edit", "own true true", "empty [] []", "box \xE4\xBD\xA0\xE5\xA5\xBD box",
                           "edit line one|line two", "label 00% ", "cut 1999", "cleared []", "number 42",
                           "not a box 0 0"})
    EXPECT_TRUE(printed(line)) << line << " in " << all_lines();
  EXPECT_TRUE(output_.errors().empty());
}

TEST_F(ScriptWindows, CenterScreenPlacesTheWindowFiftyPixelsAboveTheCentre) {
  ASSERT_TRUE(run_window_script(R"(
    local w = createWindow("page.xml")
    w:centerScreen()
    local x, y = w:getPosition()
    print("at " .. x .. " " .. y)
    w:setPosition(33, 44)
    x, y = w:getPosition()
    print("at " .. x .. " " .. y)
  )"));
  const int x = (::GetSystemMetrics(SM_CXSCREEN) - 300) / 2;
  const int y = (::GetSystemMetrics(SM_CYSCREEN) - 200 - 100) / 2;
  EXPECT_TRUE(printed("at " + std::to_string(x) + " " + std::to_string(y))) << all_lines();
  EXPECT_TRUE(printed("at 33 44")) << all_lines();
}

TEST_F(ScriptWindows, WindowsLeftOpenAreDestroyedWhenTheScriptEnds) {
  ASSERT_TRUE(run_window_script(R"(
    local w = createWindow("page.xml")
    w:setTitle("bindings-left-open")
    w:showWindow(4)
    w:getChild(1004):addHandler(30, function() end)
    w:setTimer(1000, function() end)
  )"));
  EXPECT_EQ(::FindWindowW(kClass, L"bindings-left-open"), nullptr);
}

TEST_F(ScriptWindows, AMissingLayoutEndsTheScriptWithAClearError) {
  EXPECT_FALSE(run_window_script("local w = createWindow('nowhere.xml') print('not reached')"));
  ASSERT_EQ(output_.errors().size(), 1u);
  EXPECT_NE(output_.errors()[0].find("cannot load the layout nowhere.xml"), std::string::npos) << output_.errors()[0];
  EXPECT_FALSE(printed("not reached"));
}

// A container as the build makes them, as text for the test's provider.
std::string container(const std::vector<std::pair<std::u16string, std::string>>& files) {
  tools::resource_pack_writer writer;
  std::string error;
  for (const auto& [name, text] : files)
    EXPECT_TRUE(writer.add(name, std::vector<unsigned char>(text.begin(), text.end()), true, &error)) << error;
  std::vector<unsigned char> out;
  EXPECT_TRUE(writer.finish(out, &error)) << error;
  return std::string(out.begin(), out.end());
}

TEST_F(ScriptWindows, LayoutsAndSkinComeFromTheEmbeddedContainers) {
  texts_.put(u"frame.lz", container({{u"mainframe.xml", testing::kPageLayout}, {u"proxywindow.xml", "<Window/>"}}));
  texts_.put(u"style.lz", container({{u"font.xml", R"(<Fonts><Font name="Default" face="Tahoma" size="12"/></Fonts>)"}}));
  ASSERT_TRUE(UseEmbeddedUiFiles(texts_));
  EXPECT_NE(dui::UiRuntime::Instance()->GetFont(u"Default"), nullptr);
  EXPECT_FALSE(run_window_script(R"(
    local w = createWindow("mainframe.xml")
    print("root " .. w:getRoot():getName() .. " " .. w:getChild(1004):getText())
    w = createWindow("page.xml")
    print("not reached")
  )"));
  EXPECT_TRUE(printed("root Window start")) << all_lines();
  EXPECT_FALSE(printed("not reached"));
  ASSERT_EQ(output_.errors().size(), 1u);
  EXPECT_NE(output_.errors()[0].find("cannot load the layout page.xml"), std::string::npos) << output_.errors()[0];
}

TEST_F(ScriptWindows, WithoutItsContainersTheUiHasNoFilesAndNoAbort) {
  EXPECT_FALSE(UseEmbeddedUiFiles(texts_));
  EXPECT_EQ(dui::UiRuntime::Instance()->LoadLayout(u"page.xml"), nullptr);
  EXPECT_EQ(dui::UiRuntime::Instance()->GetFont(u"Default"), nullptr);
  texts_.put(u"frame.lz", "not a container");
  EXPECT_FALSE(UseEmbeddedUiFiles(texts_)) << "style.lz is still missing";
  EXPECT_EQ(dui::UiRuntime::Instance()->LoadLayout(u"page.xml"), nullptr);
}

TEST_F(ScriptWindows, TimersTickUntilKilledAndAFailingTickIsReportedWithoutStoppingThem) {
  ASSERT_TRUE(run_window_script(R"(
    local w = createWindow("page.xml")
    local ticks, t = 0, nil
    t = w:setTimer(20, function()
      ticks = ticks + 1
      if ticks == 1 then error("tick fails") end
      if ticks == 3 then
        w:killTimer(t)
        w:setTimer(150, function() w:endDialog(6) end)
      end
    end)
    print("handle " .. type(t))
    print("code " .. w:showDialog())
    print("ticks " .. ticks)
  )"));
  EXPECT_TRUE(printed("handle number"));
  EXPECT_TRUE(printed("code 6"));
  EXPECT_TRUE(printed("ticks 3")) << all_lines();
  ASSERT_EQ(output_.errors().size(), 1u);
  EXPECT_NE(output_.errors()[0].find("window: "), std::string::npos);
  EXPECT_NE(output_.errors()[0].find("tick fails"), std::string::npos);
}

TEST_F(ScriptWindows, ClicksReachTheScriptsHandlersAndAFailingHandlerLeavesTheWindowWorking) {
  // A button's click asks where the cursor is, so each click waits for what
  // it needs rather than for a fixed time: the window shown (the script has
  // moved it by then), and the first click's handler done before the second.
  // A click that still goes astray ends the modal run with WM_QUIT, which
  // fails the test instead of leaving the dialog waiting for ever.
  WindowDriver driver(L"bindings-click", [this](HWND w) {
    for (int i = 0; i < 1000 && !::IsWindowVisible(w); ++i) ::Sleep(10);
    for (int n = 1; n <= 2; ++n) {
      // Button 1004 spans client x 100..180, y 10..40.
      POINT p{140, 25};
      ::ClientToScreen(w, &p);
      ::SetCursorPos(p.x, p.y);
      ::PostMessageW(w, WM_MOUSEMOVE, 0, MAKELPARAM(140, 25));
      ::PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(140, 25));
      ::PostMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(140, 25));
      const std::string line = "click " + std::to_string(n) + " true 30";
      for (int i = 0; i < 1000 && !printed(line); ++i) ::Sleep(10);
    }
    for (int i = 0; i < 1000 && ::IsWindow(w); ++i) ::Sleep(10);
    if (::IsWindow(w)) ::PostMessageW(w, WM_QUIT, 0, 0);
  });
  ASSERT_TRUE(run_window_script(R"(
    local w = createWindow("page.xml")
    w:setTitle("bindings-click")
    w:setPosition(100, 100)
    local b = w:getChild(1004)
    local clicks = 0
    b:addHandler(30, function(sender, event)
      clicks = clicks + 1
      print("click " .. clicks .. " " .. tostring(rawequal(sender, b)) .. " " .. event)
      if clicks == 1 then error("first click fails") end
      w:endDialog(3)
      return true
    end)
    print("code " .. w:showDialog())
  )"));
  driver.join();
  EXPECT_TRUE(printed("click 1 true 30")) << all_lines();
  EXPECT_TRUE(printed("click 2 true 30")) << all_lines();
  EXPECT_TRUE(printed("code 3"));
  ASSERT_EQ(output_.errors().size(), 1u);
  EXPECT_NE(output_.errors()[0].find("first click fails"), std::string::npos);
}

TEST_F(ScriptWindows, RemovedHandlersNoLongerRun) {
  WindowDriver driver(L"bindings-unrouted", [](HWND w) {
    POINT p{140, 25};
    ::ClientToScreen(w, &p);
    ::SetCursorPos(p.x, p.y);
    ::PostMessageW(w, WM_MOUSEMOVE, 0, MAKELPARAM(140, 25));
    ::PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(140, 25));
    ::PostMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(140, 25));
    ::Sleep(300);
    raise_signal();
  });
  clear_signal();
  ASSERT_TRUE(run_window_script(std::string(kWaitForSignal) + R"(
    local w = createWindow("page.xml")
    w:setTitle("bindings-unrouted")
    w:setPosition(100, 100)
    local b = w:getChild(1004)
    local function handler() print("clicked") end
    b:addHandler(30, handler)
    b:removeHandler(30, handler)
    w:setTimer(20, function() if signalled() then w:endDialog(1) end end)
    print("code " .. w:showDialog())
  )"));
  clear_signal();
  EXPECT_TRUE(printed("code 1"));
  EXPECT_FALSE(printed("clicked")) << all_lines();
}

// The layered window the script window owns: its shadow.
struct ShadowSearch {
  HWND owner;
  HWND found;
};
BOOL CALLBACK find_shadow(HWND w, LPARAM p) {
  auto* s = reinterpret_cast<ShadowSearch*>(p);
  if (::GetWindow(w, GW_OWNER) != s->owner || !(::GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_LAYERED)) return TRUE;
  s->found = w;
  return FALSE;
}
HWND shadow_of(HWND window) {
  ShadowSearch search{window, nullptr};
  ::EnumThreadWindows(::GetWindowThreadProcessId(window, nullptr), find_shadow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

TEST_F(ScriptWindows, AScriptWindowCarriesAShadowThatFollowsItAndGoesWithIt) {
  clear_signal();
  RECT window{}, shadow{}, moved{}, shadow_moved{};
  std::atomic<bool> found{false}, visible{false}, hidden{false};
  HWND shadow_window = nullptr;
  WindowDriver driver(L"bindings-shadow", [&](HWND w) {
    for (int i = 0; i < 200 && !::IsWindowVisible(w); ++i) ::Sleep(10);
    shadow_window = shadow_of(w);
    found = shadow_window != nullptr;
    if (found) {
      ::GetWindowRect(w, &window);
      ::GetWindowRect(shadow_window, &shadow);
      visible = ::IsWindowVisible(shadow_window) != 0;
      ::SetWindowPos(w, nullptr, 150, 170, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      ::GetWindowRect(w, &moved);
      ::GetWindowRect(shadow_window, &shadow_moved);
      ::ShowWindow(w, SW_HIDE);
      hidden = !::IsWindowVisible(shadow_window);
    }
    raise_signal();
  });
  ASSERT_TRUE(run_window_script(std::string(kWaitForSignal) + R"(
    local w = createWindow("page.xml")
    w:setTitle("bindings-shadow")
    w:setPosition(100, 100)
    w:setTimer(20, function() if signalled() then w:endDialog(1) end end)
    print("code " .. w:showDialog())
  )"));
  driver.join();
  clear_signal();
  EXPECT_TRUE(printed("code 1"));
  ASSERT_TRUE(found);
  EXPECT_TRUE(visible);
  EXPECT_EQ(shadow.left, window.left - 20);
  EXPECT_EQ(shadow.top, window.top - 14);
  EXPECT_EQ(shadow.right, window.right + 16);
  EXPECT_EQ(shadow.bottom, window.bottom + 21);
  EXPECT_EQ(moved.left, 150);
  EXPECT_EQ(shadow_moved.left, 130) << "the shadow follows a move";
  EXPECT_EQ(shadow_moved.top, 156);
  EXPECT_TRUE(hidden) << "and hides with the window";
  EXPECT_FALSE(::IsWindow(shadow_window)) << "and is destroyed with it";
}

TEST_F(ScriptWindows, TheTitleBarCloseAndAltF4DoNothingInTheModalRun) {
  clear_signal();
  std::atomic<bool> alive_after{false};
  WindowDriver driver(L"bindings-close", [&](HWND w) {
    // The title bar's close button sends; Alt+F4 posts through the default
    // key handling; WM_CLOSE may come either way.
    ::SendMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0);
    ::SendMessageW(w, WM_CLOSE, 0, 0);
    ::PostMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0);
    ::PostMessageW(w, WM_CLOSE, 0, 0);
    ::PostMessageW(w, WM_SYSKEYDOWN, VK_F4, 0x20000001);
    ::PostMessageW(w, WM_SYSKEYUP, VK_F4, 0xE0000001);
    // Everything posted has been handled once a later send returns.
    ::SendMessageW(w, WM_NULL, 0, 0);
    ::Sleep(100);
    ::SendMessageW(w, WM_NULL, 0, 0);
    alive_after = ::IsWindow(w) && ::IsWindowVisible(w);
    raise_signal();
  });
  ASSERT_TRUE(run_window_script(std::string(kWaitForSignal) + R"(
    -- WS_POPUP | WS_CAPTION | WS_SYSMENU: a title bar with a close button.
    local w = createWindow("page.xml", 0x80C80000)
    w:setTitle("bindings-close")
    w:setTimer(20, function() if signalled() then w:endDialog(7) end end)
    print("code " .. w:showDialog())
  )"));
  driver.join();
  clear_signal();
  ASSERT_NE(driver.window(), nullptr);
  EXPECT_TRUE(alive_after) << "the window was closed";
  EXPECT_TRUE(printed("code 7")) << all_lines();
  EXPECT_FALSE(::IsWindow(driver.window())) << "destroyed before showDialog returned";
}

TEST_F(ScriptWindows, TheOwnerIsDisabledDuringTheModalRunAndEnabledAfter) {
  clear_signal();
  std::atomic<int> during{-1}, after{-1};
  WindowDriver driver(L"bindings-owned", [&](HWND dialog) {
    const HWND owner = ::FindWindowW(kClass, L"bindings-owner");
    // Shown by the modal run, which disabled the owner first.
    for (int i = 0; i < 500 && !::IsWindowVisible(dialog); ++i) ::Sleep(10);
    during = owner ? ::IsWindowEnabled(owner) : -1;
    raise_signal(L"first");
    for (int i = 0; i < 500 && ::IsWindow(dialog); ++i) ::Sleep(10);
    after = owner ? ::IsWindowEnabled(owner) : -1;
    raise_signal(L"second");
  });
  ASSERT_TRUE(run_window_script(std::string(kWaitForSignal) + R"(
    local owner = createWindow("page.xml")
    owner:setTitle("bindings-owner")
    local dialog = createWindow("page.xml")
    dialog:setTitle("bindings-owned")
    dialog:setTimer(20, function() if signalled("first") then dialog:endDialog(9) end end)
    print("code " .. dialog:showDialog(owner))
    print("dialog " .. select('#', dialog:getRoot()))
    owner:setTimer(20, function() if signalled("second") then owner:endDialog(1) end end)
    owner:showDialog()
  )"));
  driver.join();
  clear_signal();
  EXPECT_TRUE(printed("code 9"));
  EXPECT_TRUE(printed("dialog 0")) << "the dialog's table is no window any more";
  EXPECT_EQ(during, 0) << "disabled while the dialog runs";
  EXPECT_EQ(after, 1) << "enabled again";
}

TEST_F(ScriptWindows, QuitEndsTheModalRunWithZeroDestroysTheWindowAndIsPostedAgain) {
  WindowDriver driver(L"bindings-quit", [](HWND w) { ::PostMessageW(w, WM_QUIT, 23, 0); });
  ASSERT_TRUE(run_window_script(R"(
    local w = createWindow("page.xml")
    w:setTitle("bindings-quit")
    print("code " .. w:showDialog())
    print("gone " .. select('#', w:getRoot()))
  )"));
  driver.join();
  EXPECT_TRUE(printed("code 0")) << all_lines();
  EXPECT_TRUE(printed("gone 0"));
  MSG msg{};
  ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "for the outer loop";
  EXPECT_EQ(msg.wParam, 23u);
}

TEST_F(ScriptWindows, APowerPointHasItsPlayMethodsAndAnEmptyOneRunsHarmlessly) {
  ASSERT_TRUE(run_window_script(R"(
    local w = createWindow("page.xml")
    local show = w:getChild(3000)
    print("methods " .. tostring(show.playStart ~= nil and show.playStop ~= nil) .. " " .. show:getName())
    show:playStart()
    w:setTimer(200, function() show:playStop() w:endDialog(1) end)
    print("code " .. w:showDialog())
  )"));
  EXPECT_TRUE(printed("methods true PowerPoint")) << all_lines();
  EXPECT_TRUE(printed("code 1"));
  EXPECT_TRUE(output_.errors().empty());
}

std::vector<std::u16string> opened_urls;
void record_url(std::u16string_view url) { opened_urls.emplace_back(url); }

TEST_F(ScriptWindows, ALinkLabelOpensItsUrlAndWithoutOneSwallowsThePress) {
  opened_urls.clear();
  dui::UiRuntime::Instance()->RegisterControlCreator(u"LinkLabel", std::make_unique<LinkLabelCreator>(&record_url));
  clear_signal();
  WindowDriver driver(L"bindings-links", [](HWND w) {
    for (POINT at : {POINT{40, 130}, POINT{130, 130}}) {
      POINT p = at;
      ::ClientToScreen(w, &p);
      ::SetCursorPos(p.x, p.y);
      ::PostMessageW(w, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
      ::PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
      ::PostMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    }
    ::SendMessageW(w, WM_NULL, 0, 0);
    raise_signal();
  });
  ASSERT_TRUE(run_window_script(std::string(kWaitForSignal) + R"(
    local w = createWindow("page.xml")
    w:setTitle("bindings-links")
    w:setPosition(100, 100)
    -- A press the link label did not swallow would reach the root.
    w:getRoot():addHandler(13, function() print("root pressed") end)
    w:setTimer(20, function() if signalled() then w:endDialog(1) end end)
    print("code " .. w:showDialog())
  )"));
  driver.join();
  clear_signal();
  EXPECT_TRUE(printed("code 1"));
  EXPECT_EQ(opened_urls, (std::vector<std::u16string>{u"http://127.0.0.1/"}));
  EXPECT_FALSE(printed("root pressed")) << all_lines();
}

// The flag word of a control as scripts and applications see it.
int external_flags(lua_State* L) {
  const dui::Control* c = control_at(L, 1);
  lua_pushnumber(L, c ? dui::UiProfile::Uninstaller().ExternalFlags(*c) : -1);
  return 1;
}

TEST_F(ScriptWindows, ControlsWithATableCarryTheScriptTableBitAndCheckedIsBit0x4000) {
  const luaL_Reg functions[] = {kWindowFunctions[0], kWindowFunctions[1], {"externalFlags", external_flags},
                                {nullptr, nullptr}};
  ASSERT_TRUE(run_window_script(R"(
    local w = createWindow("page.xml")
    local b = w:getChild(1004)
    print(string.format("flags %x", bit32.band(externalFlags(b), 0x44000)))
    b:setCheck(true)
    print(string.format("flags %x", bit32.band(externalFlags(b), 0x54000)))
  )", "", functions));
  EXPECT_TRUE(printed("flags 40000")) << all_lines();
  EXPECT_TRUE(printed("flags 44000")) << all_lines();
}

}  // namespace
}  // namespace vcam::uninstaller
