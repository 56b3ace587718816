#pragma once
// What the binding tests share: the toolkit in the uninstaller's profile
// with layouts from memory, a started UI dispatcher, a script host whose
// scripts come from memory (the bookkeeping functions of "UI.lua" in front
// of the window script), and a thread-safe record of printed lines and errors.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "dui/load/memory_file_source.h"
#include "dui/runtime/ui_runtime.h"
#include "dui/win/win_platform.h"
#include "uninstaller/bindings/testing/bookkeeping_state.h"
#include "uninstaller/bindings/win/script_functions.h"
#include "uninstaller/bindings/win/ui_dispatcher.h"
#include "uninstaller/resources/win/resource_provider.h"
#include "uninstaller/script/win/script_host.h"
#include "uninstaller/ui/win/uninstaller_controls.h"

namespace vcam::uninstaller::testing {

class SharedOutput : public ScriptOutput {
 public:
  void print_line(std::string_view text) override {
    std::lock_guard<std::mutex> guard(lock_);
    lines_.emplace_back(text);
  }
  void report_error(ScriptKind kind, std::string_view message) override {
    std::lock_guard<std::mutex> guard(lock_);
    errors_.push_back((kind == ScriptKind::window ? "window: " : "worker: ") + std::string(message));
  }
  std::vector<std::string> lines() {
    std::lock_guard<std::mutex> guard(lock_);
    return lines_;
  }
  std::vector<std::string> errors() {
    std::lock_guard<std::mutex> guard(lock_);
    return errors_;
  }

 private:
  std::mutex lock_;
  std::vector<std::string> lines_, errors_;
};

class ScriptTexts : public ResourceProvider {
 public:
  void put(std::u16string name, std::string text) {
    std::lock_guard<std::mutex> guard(lock_);
    texts_[std::move(name)] = std::move(text);
  }
  ResourceBuffer load(std::u16string_view name, std::size_t* size) override {
    std::lock_guard<std::mutex> guard(lock_);
    const auto found = texts_.find(std::u16string(name));
    if (found == texts_.end()) return nullptr;
    ResourceBuffer buffer = new_resource_buffer(found->second.size());
    std::memcpy(buffer.get(), found->second.data(), found->second.size());
    if (size) *size = found->second.size();
    return buffer;
  }

 private:
  std::mutex lock_;
  std::map<std::u16string, std::string> texts_;
};

// A page as the uninstaller's: ids 1000.. with buttons, a progress bar and
// a label, 300 x 200; ids 3000.. the other scriptable controls, kept clear of
// the places the tests click.
inline const char* kPageLayout = R"(<Window initSize="300,200">
  <Grid id="1000">
    <Button id="1003" text="cancel" width="80" height="30" horizontalAlign="left" verticalAlign="top" margin="10,10,0,0"/>
    <Button id="1004" text="start" width="80" height="30" horizontalAlign="left" verticalAlign="top" margin="100,10,0,0"/>
    <ProgressBar id="1006" width="200" height="9" horizontalAlign="left" verticalAlign="top" margin="10,60,0,0"/>
  </Grid>
  <Grid id="2000" visible="0"/>
  <Label id="1007" text="00% " horizontalAlign="left" verticalAlign="bottom"/>
  <PowerPoint id="3000" imagelist="" width="40" height="20" horizontalAlign="right" verticalAlign="top"/>
  <LinkLabel id="3001" text="link" url="http://127.0.0.1/" width="60" height="20" horizontalAlign="left" verticalAlign="top" margin="10,120,0,0"/>
  <LinkLabel id="3002" text="no link" width="60" height="20" horizontalAlign="left" verticalAlign="top" margin="100,120,0,0"/>
  <TextBox id="3003" width="80" height="20" horizontalAlign="right" verticalAlign="top" margin="0,30,5,0"/>
  <Edit id="3004" width="80" height="40" horizontalAlign="right" verticalAlign="top" margin="0,75,5,0"/>
</Window>)";

class BindingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dui::Initialize(u"bindings_test", std::make_unique<dui::WinPlatform>(), dui::UiProfile::Uninstaller()));
    auto layouts = std::make_unique<dui::MemoryFileSource>();
    layouts->Put(u"page.xml", kPageLayout);
    layouts->Put(u"proxywindow.xml", R"(<Window><Grid/></Window>)");
    dui::UiRuntime::Instance()->SetLayoutSource(std::move(layouts));
    register_uninstaller_controls(*dui::UiRuntime::Instance());
    ASSERT_TRUE(dispatcher_.start());
  }
  void TearDown() override {
    dispatcher_.stop();
    dui::Shutdown();
  }

  // Runs the window script (after the bookkeeping functions) to its end;
  // whether it ran without error.
  bool run_window_script(const std::string& script, const std::string& procedure = "",
                         const luaL_Reg* window_functions = kWindowFunctions) {
    texts_.put(u"UI.lua", bookkeeping_source() + "\n" + script);
    texts_.put(u"LG.lua", procedure);
    return host_.run_window_script(u"UI.lua", window_functions);
  }

  bool printed(const std::string& line) {
    const auto lines = output_.lines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }
  std::string all_lines() {
    std::string all;
    for (const auto& l : output_.lines()) all += l + "|";
    return all;
  }

  ScriptTexts texts_;
  SharedOutput output_;
  ScriptHost host_{&output_};
  UiDispatcher dispatcher_;
};

}  // namespace vcam::uninstaller::testing
