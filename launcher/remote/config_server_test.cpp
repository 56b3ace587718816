#include "launcher/remote/config_server.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace vcam::launcher {
namespace {

const std::string kBuiltIn = "https://built.in/config/";

// Sets (or with an empty value removes) the variable for this process; on
// Windows _putenv updates the process environment as well as the C runtime's.
void set_variable(const std::string& value) {
#ifdef _WIN32
  ASSERT_EQ(::_putenv((std::string(kConfigServerVariable) + "=" + value).c_str()), 0);
#else
  if (value.empty()) {
    ASSERT_EQ(::unsetenv(kConfigServerVariable), 0);
  } else {
    ASSERT_EQ(::setenv(kConfigServerVariable, value.c_str(), 1), 0);
  }
#endif
}

TEST(ConfigurationBaseUrl, WithoutAnOverrideTheBuiltInOneIsUsed) {
  EXPECT_EQ(choose_configuration_base_url(std::nullopt, kBuiltIn), kBuiltIn);
}

TEST(ConfigurationBaseUrl, AUsableOverrideReplacesItAndGetsItsFinalSlash) {
  EXPECT_EQ(choose_configuration_base_url("https://127.0.0.1:4443/config/", kBuiltIn),
            "https://127.0.0.1:4443/config/");
  EXPECT_EQ(choose_configuration_base_url("https://127.0.0.1:4443/config", kBuiltIn),
            "https://127.0.0.1:4443/config/");
  EXPECT_EQ(choose_configuration_base_url("http://localhost", kBuiltIn), "http://localhost/");
}

TEST(ConfigurationBaseUrl, UnusableOverridesAreIgnored) {
  for (const std::string bad :
       {"", "ftp://h/config/", "https://", "https:///config/", "https://:443/", "https://h/con fig/",
        "https://h/config/?v=", "https://h/config/#x", "https://h/\x01/", "https://h\\config\\", "https://h/\xE4/",
        "HTTPS://h/config/", "h/config/"}) {
    EXPECT_EQ(choose_configuration_base_url(bad, kBuiltIn), kBuiltIn) << bad;
  }
}

TEST(ConfigurationBaseUrl, TheBuiltInUrlIsItselfUsable) {
  const std::string built_in(built_in_configuration_base_url());
  EXPECT_EQ(choose_configuration_base_url(built_in, "unused"), built_in);
  EXPECT_EQ(built_in.back(), '/');
}

TEST(ConfigurationBaseUrl, TheEnvironmentVariableIsReadAndTheOriginUsesIt) {
  set_variable("https://127.0.0.1:5000/config");
  EXPECT_EQ(configuration_server_override(), "https://127.0.0.1:5000/config");
  const remote_origin origin = launcher_remote_origin("6.0.0.5", u"/app/");
  EXPECT_EQ(remote_file_url(origin, ".json"), "https://127.0.0.1:5000/config/6.0.0.5.json");
  set_variable("");
  EXPECT_EQ(configuration_server_override(), std::nullopt);
  EXPECT_EQ(configuration_base_url(), built_in_configuration_base_url());
}

}  // namespace
}  // namespace vcam::launcher
