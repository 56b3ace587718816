// COM for the whole test program: the multithreaded apartment, as filter
// graphs are driven from the test thread and from streaming threads.
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

namespace {

class ComEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_MULTITHREADED))); }
  void TearDown() override { ::CoUninitialize(); }
};

[[maybe_unused]] ::testing::Environment* const com_environment =
    ::testing::AddGlobalTestEnvironment(new ComEnvironment);

}  // namespace
