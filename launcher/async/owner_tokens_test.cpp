#include "launcher/async/owner_tokens.h"

#include <gtest/gtest.h>

namespace vcam::launcher {
namespace {

TEST(OwnerTokens, FirstTokenIsOneAndZeroIsNeverRegistered) {
  owner_tokens t;
  EXPECT_FALSE(t.is_registered(0));
  EXPECT_EQ(t.register_token(), 1u);
  EXPECT_FALSE(t.is_registered(0));
  EXPECT_TRUE(t.is_registered(1));
}

TEST(OwnerTokens, UnregisteredValuesAreNeverHandedOutAgain) {
  owner_tokens t;
  const auto a = t.register_token();
  t.unregister_token(a);
  const auto b = t.register_token();
  EXPECT_NE(a, b);
  EXPECT_FALSE(t.is_registered(a));
  EXPECT_TRUE(t.is_registered(b));
}

TEST(OwnerTokens, ClearForgetsEveryTokenButNotTheCounter) {
  owner_tokens t;
  const auto a = t.register_token();
  const auto b = t.register_token();
  t.clear();
  EXPECT_FALSE(t.is_registered(a));
  EXPECT_FALSE(t.is_registered(b));
  EXPECT_EQ(t.register_token(), b + 1);
}

TEST(OwnerTokens, UnregisteringAnUnknownTokenIsHarmless) {
  owner_tokens t;
  const auto a = t.register_token();
  t.unregister_token(a + 7);
  t.unregister_token(0);
  EXPECT_TRUE(t.is_registered(a));
}

}  // namespace
}  // namespace vcam::launcher
