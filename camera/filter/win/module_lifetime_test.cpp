#include "camera/filter/win/module_lifetime.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vcam::camera {
namespace {

class RecordedConsumers : public ConsumerRecord {
 public:
  void addSelf(std::u16string_view path) override { calls.push_back(u"add " + std::u16string(path)); }
  void removeSelf(std::u16string_view path) override { calls.push_back(u"remove " + std::u16string(path)); }
  std::vector<std::u16string> calls;
};

TEST(ModuleLifetime, AttachAddsTheHostAndDetachRemovesTheSamePath) {
  RecordedConsumers consumers;
  ModuleLifetime lifetime(consumers);
  lifetime.attach(u"C:\\apps\\chat.exe");
  lifetime.detach();
  EXPECT_EQ(consumers.calls, (std::vector<std::u16string>{u"add C:\\apps\\chat.exe", u"remove C:\\apps\\chat.exe"}));
}

TEST(ModuleLifetime, UnreadableHostPathTouchesNothing) {
  RecordedConsumers consumers;
  ModuleLifetime lifetime(consumers);
  lifetime.attach(u"");
  lifetime.detach();
  EXPECT_TRUE(consumers.calls.empty());
}

}  // namespace
}  // namespace vcam::camera
