#include "launcher/application/boot_sequence.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "launcher/application/exit_codes.h"
#include "launcher/application/launcher_texts.h"

namespace vcam::launcher {
namespace {

using trace = std::vector<std::string>;

// Every step records itself in one trace, so the tests can assert the order.
class recording_client_splash : public splash_window_interface {
 public:
  explicit recording_client_splash(trace& t) : trace_(t) {}
  void show_text(const char16_t*) override { trace_.push_back("client splash text"); }
  void hide(bool) override { trace_.push_back("client splash hide"); }

 private:
  trace& trace_;
};

class fake_world : public boot_platform,
                   public configuration_step,
                   public update_step,
                   public decoder_step,
                   public splash_port {
 public:
  // Platform
  bool initialize(std::u16string_view command_line) override {
    t.push_back("initialize");
    seen_command_line = command_line;
    return initialize_result;
  }
  std::u16string current_version() override { return u"6.0.0.5"; }
  std::u16string latest_version() override { return latest; }
  void stop_stale_processes() override { t.push_back("sweep"); }
  void shut_down_infrastructure() override { t.push_back("infrastructure down"); }
  void show_message(std::u16string_view text) override {
    t.push_back("message");
    messages.emplace_back(text);
  }
  client_outcome call_client(const ClientStartupBlock& b, splash_window_interface& splash) override {
    t.push_back("client");
    std::memcpy(&block_seen, &b, sizeof b);
    splash_seen = &splash;
    return outcome;
  }
  void relaunch() override { t.push_back("relaunch"); }

  // Configuration
  bool load(ClientStartupBlock& b, std::string& codecs, std::string& update) override {
    t.push_back("configuration");
    block_zero_when_loaded = std::all_of(reinterpret_cast<const unsigned char*>(&b),
                                         reinterpret_cast<const unsigned char*>(&b) + sizeof b,
                                         [](unsigned char c) { return c == 0; });
    if (!configuration_result) return false;
    b.url_news[0] = u'n';
    codecs = "https://codecs/";
    update = "https://update/";
    return true;
  }
  std::u16string url() override { return u"https://config/6.0.0.5.json"; }

  // Update
  bool check(const std::string& url_update, bool& mandatory) override {
    t.push_back("update check");
    update_url_seen = url_update;
    // The check may replace the latest version; the block keeps the earlier one.
    latest = u"7.0.0.0";
    mandatory = update_mandatory;
    return update_result;
  }
  void start_patcher() override { t.push_back("patcher"); }

  // Decoders
  bool synchronise(const std::string& url_codecs, std::u16string& error) override {
    t.push_back("decoders");
    codecs_url_seen = url_codecs;
    if (!decoders_result) error = u"disk full";
    return decoders_result;
  }

  // Splash
  void show_text(const char16_t* text) override {
    t.push_back("splash " + std::to_string(texts.size()));
    texts.emplace_back(text);
  }
  void hide(bool destroy) override { t.push_back(destroy ? "splash destroy" : "splash hide"); }
  splash_window_interface& client_interface() override { return client_splash; }

  int run(std::u16string_view command_line = u"") {
    return run_boot_sequence(*this, {*this, *this, *this, *this}, command_line);
  }

  trace t;
  bool initialize_result = true, configuration_result = true, update_result = false, update_mandatory = false,
       decoders_result = true;
  client_outcome outcome{client_outcome::returned_false};
  std::u16string latest = u"6.0.0.5";
  std::u16string seen_command_line;
  std::vector<std::u16string> messages, texts;
  ClientStartupBlock block_seen{};
  bool block_zero_when_loaded = false;
  splash_window_interface* splash_seen = nullptr;
  std::string update_url_seen, codecs_url_seen;
  recording_client_splash client_splash{t};
};

TEST(BootSequence, AFullBootRunsEveryStepInOrderAndCallsTheClientLast) {
  fake_world w;
  EXPECT_EQ(w.run(u"--open x"), exit_client_called);
  EXPECT_EQ(w.t, (trace{"initialize", "splash 0", "configuration", "splash 1", "update check", "splash 2", "sweep",
                        "decoders", "infrastructure down", "client"}));
  EXPECT_EQ(w.texts, (std::vector<std::u16string>{kSplashReadingConfiguration, kSplashReadingUpdate,
                                                  kSplashReadingDecoders}));
  EXPECT_EQ(w.update_url_seen, "https://update/");
  EXPECT_EQ(w.codecs_url_seen, "https://codecs/");
  EXPECT_EQ(w.seen_command_line, u"--open x");
  EXPECT_EQ(w.splash_seen, &w.client_splash) << "the client gets the splash's interface";
  EXPECT_TRUE(w.messages.empty());
}

TEST(BootSequence, TheClientGetsAZeroedBlockWithConfigurationVersionsAndCommandLine) {
  fake_world w;
  w.run(u"--open x");
  EXPECT_TRUE(w.block_zero_when_loaded);
  EXPECT_EQ(w.block_seen.url_news[0], u'n');
  EXPECT_EQ(std::u16string(w.block_seen.current_version), u"6.0.0.5");
  EXPECT_EQ(std::u16string(w.block_seen.latest_version), u"6.0.0.5") << "taken before the update check ran";
  EXPECT_EQ(std::u16string(w.block_seen.command_line), u"--open x");
}

TEST(BootSequence, ARefusedInitialisationEndsWith10001AndDoesNothingElse) {
  fake_world w;
  w.initialize_result = false;
  EXPECT_EQ(w.run(), exit_initialize_failed);
  EXPECT_EQ(w.t, trace{"initialize"});
}

TEST(BootSequence, NoConfigurationTearsDownThenNamesTheUrlAndEndsWith10002) {
  fake_world w;
  w.configuration_result = false;
  EXPECT_EQ(w.run(), exit_no_configuration);
  EXPECT_EQ(w.t, (trace{"initialize", "splash 0", "configuration", "infrastructure down", "splash destroy", "message"}));
  EXPECT_EQ(w.messages, std::vector<std::u16string>{u"加载配置文件失败，https://config/6.0.0.5.json"});
}

TEST(BootSequence, AnAcceptedUpdateStartsThePatcherAfterTheTeardownWith10003) {
  fake_world w;
  w.update_result = true;
  EXPECT_EQ(w.run(), exit_update_started);
  EXPECT_EQ(w.t, (trace{"initialize", "splash 0", "configuration", "splash 1", "update check", "infrastructure down",
                        "splash destroy", "patcher"}));
  EXPECT_TRUE(w.messages.empty());
}

TEST(BootSequence, ADeclinedMandatoryUpdateEndsWith10004Silently) {
  fake_world w;
  w.update_mandatory = true;
  EXPECT_EQ(w.run(), exit_mandatory_update);
  EXPECT_EQ(w.t, (trace{"initialize", "splash 0", "configuration", "splash 1", "update check", "infrastructure down",
                        "splash destroy"}));
  EXPECT_TRUE(w.messages.empty());
}

TEST(BootSequence, FailedDecodersTearDownThenShowTheErrorWith10005) {
  fake_world w;
  w.decoders_result = false;
  EXPECT_EQ(w.run(), exit_decoders_failed);
  EXPECT_EQ(w.t, (trace{"initialize", "splash 0", "configuration", "splash 1", "update check", "splash 2", "sweep",
                        "decoders", "infrastructure down", "splash destroy", "message"}));
  EXPECT_EQ(w.messages, std::vector<std::u16string>{u"解码器更新失败，disk full"});
}

TEST(BootSequence, OnlyATrueClientResultRelaunches) {
  fake_world yes;
  yes.outcome = {client_outcome::returned_true};
  EXPECT_EQ(yes.run(), exit_client_called);
  EXPECT_EQ(yes.t.back(), "relaunch");
  EXPECT_EQ(std::count(yes.t.begin(), yes.t.end(), "relaunch"), 1);

  fake_world no;
  EXPECT_EQ(no.run(), exit_client_called);
  EXPECT_EQ(no.t.back(), "client");
}

TEST(BootSequence, AMissingModuleOrEntryIsShownWithoutRelaunchAndStillEndsWith10000) {
  fake_world missing;
  missing.outcome = {client_outcome::not_loaded, 126};
  EXPECT_EQ(missing.run(), exit_client_called);
  EXPECT_EQ(missing.t.back(), "message");
  EXPECT_EQ(missing.messages, std::vector<std::u16string>{u"加载Zelo业务逻辑模块失败，请重新安装Olvana#1, 126"});

  fake_world no_entry;
  no_entry.outcome = {client_outcome::entry_missing};
  EXPECT_EQ(no_entry.run(), exit_client_called);
  EXPECT_EQ(no_entry.messages, std::vector<std::u16string>{u"加载Zelo业务逻辑模块失败，请重新安装Olvana#2"});
  EXPECT_EQ(std::count(no_entry.t.begin(), no_entry.t.end(), "relaunch"), 0);
}

TEST(ClientFailureText, ErrorNumbersAreDecimalAndSuccessHasNoText) {
  EXPECT_EQ(client_failure_text({client_outcome::not_loaded, 4294967295ul}),
            std::u16string(kClientNotLoadedText) + u"4294967295");
  EXPECT_EQ(client_failure_text({client_outcome::not_loaded, 0}), std::u16string(kClientNotLoadedText) + u"0");
  EXPECT_TRUE(client_failure_text({client_outcome::returned_true}).empty());
  EXPECT_TRUE(client_failure_text({client_outcome::returned_false}).empty());
}

}  // namespace
}  // namespace vcam::launcher
