#include "launcher/update/update_offer.h"

#include <gtest/gtest.h>

#include "launcher/update/update_texts.h"

namespace vcam::launcher {
namespace {

update_config published(std::uint32_t flag, std::u16string version = u"3.0.0") {
  update_config c;
  c.flag = flag;
  c.size = 100;
  c.md5 = u"0123456789abcdef0123456789abcdef";
  c.version = std::move(version);
  return c;
}

TEST(IsUpdate, OnlyAnEqualTextMeansNoUpdate) {
  EXPECT_FALSE(is_update(u"2.1.0", u"2.1.0"));
  EXPECT_TRUE(is_update(u"2.2.0", u"2.1.0"));
  EXPECT_TRUE(is_update(u"1.0.0", u"2.1.0"));
  EXPECT_TRUE(is_update(u"2.1.0 ", u"2.1.0"));
  EXPECT_TRUE(is_update(u"2.1", u"2.1.0"));
  EXPECT_TRUE(is_update(u"", u"2.1.0"));
}

TEST(UpdatePrompt, AMandatoryUpdateHasOneButtonAndItsTitle) {
  const update_prompt p = make_update_prompt(published(1), std::string("a\r\n\r\nb\r\n"));
  EXPECT_TRUE(p.mandatory);
  EXPECT_EQ(p.buttons, 1);
  EXPECT_EQ(p.title, u"重要的升级");
  EXPECT_EQ(p.confirm_text, u"确定");
  EXPECT_EQ(p.cancel_text, u"取消");
  EXPECT_EQ(p.lines, (std::vector<std::u16string>{u"a", u"b"}));
}

TEST(UpdatePrompt, AnOptionalUpdateHasTwoButtonsAndItsTitle) {
  const update_prompt p = make_update_prompt(published(0), std::string("notes"));
  EXPECT_FALSE(p.mandatory);
  EXPECT_EQ(p.buttons, 2);
  EXPECT_EQ(p.title, u"消息");
  EXPECT_EQ(p.confirm_text, u"确定");
  EXPECT_EQ(p.cancel_text, u"取消");
  EXPECT_EQ(p.lines, std::vector<std::u16string>{u"notes"});
}

TEST(UpdatePrompt, WithoutNotesTheDefaultNoteNamesTheVersion) {
  const update_prompt mandatory = make_update_prompt(published(7, u"3.1.4"), std::nullopt);
  ASSERT_EQ(mandatory.lines.size(), 1u);
  EXPECT_EQ(mandatory.lines[0],
            u"我们为Olvana增加了新功能，老版本已不能正常使用。点击确认将为您升级到 3.1.4\uFF01");
  const update_prompt optional = make_update_prompt(published(0, u"3.1.4"), std::nullopt);
  ASSERT_EQ(optional.lines.size(), 1u);
  EXPECT_EQ(optional.lines[0], u"检测到新版本 3.1.4\uFF0C是否立即升级\uFF1F");
}

TEST(UpdatePrompt, NotesWithoutALineCountAsNone) {
  EXPECT_EQ(make_update_prompt(published(0, u"9"), std::string("")).lines,
            std::vector<std::u16string>{default_optional_note(u"9")});
  EXPECT_EQ(make_update_prompt(published(1, u"9"), std::string("\r\n\r\n")).lines,
            std::vector<std::u16string>{default_mandatory_note(u"9")});
}

TEST(UpdatePrompt, OnlyTheConfirmResultAccepts) {
  EXPECT_TRUE(prompt_accepted(1));
  for (int result : {0, 2, -1, 1002, 1003}) EXPECT_FALSE(prompt_accepted(result)) << result;
}

TEST(PatcherHandOff, UrlsParametersAndVerb) {
  EXPECT_EQ(patcher_url("https://u.test/update/", "3.0.0"), "https://u.test/update/3.0.0.exe");
  EXPECT_EQ(update_notes_url("https://cfg.test/config/", "3.0.0"), "https://cfg.test/config/3.0.0.log");
  EXPECT_EQ(patcher_parameters(4242), u"4242");
  EXPECT_EQ(patcher_parameters(4294967295ul), u"4294967295");
  EXPECT_EQ(std::u16string(kPatcherRelativePath), u"patch\\patch.exe");
  EXPECT_TRUE(patcher_needs_elevation(true, 6));
  EXPECT_TRUE(patcher_needs_elevation(true, 10));
  EXPECT_FALSE(patcher_needs_elevation(true, 5));
  EXPECT_FALSE(patcher_needs_elevation(false, 6));
}

}  // namespace
}  // namespace vcam::launcher
