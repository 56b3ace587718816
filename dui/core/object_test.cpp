#include <gtest/gtest.h>

#include "dui/core/attribute_names.h"
#include "dui/core/object.h"

namespace vcam::dui {
namespace {

TEST(ObjectProperties, AbsentPropertiesReportAbsenceAndReadersGetTheirDefault) {
  Object o;
  std::int32_t v = 7;
  EXPECT_FALSE(o.FindValue(attr::width, &v));
  EXPECT_EQ(v, 7);
  EXPECT_EQ(o.GetInt(attr::width, -1), -1);
  EXPECT_EQ(o.GetKeyword(attr::dock, Keyword::Left), Keyword::Left);
  EXPECT_FALSE(o.FindSize(attr::initSize, nullptr));
  EXPECT_FALSE(o.FindRect(attr::margin, nullptr));
  EXPECT_EQ(o.GetRect(attr::margin), Rect{});
  EXPECT_EQ(o.FindString(attr::text), nullptr);
}

TEST(ObjectProperties, LastAssignmentWinsInEachList) {
  Object o;
  o.SetValue(attr::width, 1);
  o.SetValue(attr::height, 2);
  o.SetValue(attr::width, 3);
  EXPECT_EQ(o.GetInt(attr::width, 0), 3);
  EXPECT_EQ(o.GetInt(attr::height, 0), 2);
  o.SetRect(attr::margin, {1, 2, 3, 4});
  o.SetRect(attr::margin, {5, 6, 7, 8});
  EXPECT_EQ(o.GetRect(attr::margin), (Rect{5, 6, 7, 8}));
  o.SetSize(attr::initSize, {1, 2});
  o.SetSize(attr::initSize, {3, 4});
  Size s;
  ASSERT_TRUE(o.FindSize(attr::initSize, &s));
  EXPECT_EQ(s, (Size{3, 4}));
  o.SetString(attr::text, u"a");
  o.SetString(attr::text, u"b");
  EXPECT_EQ(*o.FindString(attr::text), u"b");
}

TEST(ObjectProperties, KeysCompareByAddressNotByText) {
  static const char16_t other_width[] = u"width";
  Object o;
  o.SetValue(attr::width, 5);
  EXPECT_EQ(o.GetInt(other_width, -1), -1);
}

TEST(ObjectProperties, ListsAreSeparatePerKind) {
  Object o;
  o.SetValue(attr::margin, 9);
  EXPECT_FALSE(o.FindRect(attr::margin, nullptr));
  EXPECT_EQ(o.GetInt(attr::margin, 0), 9);
}

TEST(ObjectProperties, NullKeywordIsStoredAndDiffersFromAbsence) {
  Object o;
  o.SetKeyword(attr::horizontalAlign, Keyword::None);
  EXPECT_EQ(o.GetKeyword(attr::horizontalAlign, Keyword::Stretch), Keyword::None);
}

TEST(ObjectProperties, CopyTakesEveryListAndOverwritesOnlyTheSameKeys) {
  Object from;
  from.SetValue(attr::width, 190);
  from.SetKeyword(attr::horizontalAlign, Keyword::Left);
  from.SetSize(attr::initSize, {380, 200});
  from.SetRect(attr::margin, {1, 2, 3, 4});
  from.SetString(attr::text, u"OK");
  Object to;
  to.SetValue(attr::width, 5);
  to.SetValue(attr::height, 54);
  to.SetString(attr::text, u"old");
  to.CopyPropertiesFrom(from);
  EXPECT_EQ(to.GetInt(attr::width, 0), 190);
  EXPECT_EQ(to.GetInt(attr::height, 0), 54) << "a key the source lacks stays";
  EXPECT_EQ(to.GetKeyword(attr::horizontalAlign, Keyword::Stretch), Keyword::Left);
  Size size;
  ASSERT_TRUE(to.FindSize(attr::initSize, &size));
  EXPECT_EQ(size, (Size{380, 200}));
  EXPECT_EQ(to.GetRect(attr::margin), (Rect{1, 2, 3, 4}));
  ASSERT_NE(to.FindString(attr::text), nullptr);
  EXPECT_EQ(*to.FindString(attr::text), u"OK");
  from.SetString(attr::text, u"changed");
  EXPECT_EQ(*to.FindString(attr::text), u"OK") << "a copy, not a link";
  to.CopyPropertiesFrom(to);
  EXPECT_EQ(to.GetInt(attr::width, 0), 190) << "copying from itself changes nothing";
}

TEST(Keywords, ExactCaseSensitiveMatchOfTheThirteen) {
  EXPECT_EQ(FindKeyword(u"center"), Keyword::Center);
  EXPECT_EQ(FindKeyword(u"Center"), Keyword::None);
  EXPECT_EQ(FindKeyword(u"center "), Keyword::None);
  EXPECT_EQ(FindKeyword(u""), Keyword::None);
  int found = 0;
  for (auto text : {u"left", u"right", u"top", u"bottom", u"center", u"stretch", u"horizontal",
                    u"vertical", u"true", u"false", u"auto", u"always", u"never"}) {
    const Keyword k = FindKeyword(text);
    EXPECT_NE(k, Keyword::None) << found;
    EXPECT_EQ(KeywordText(k), text);
    ++found;
  }
  EXPECT_EQ(found, 13);
}

}  // namespace
}  // namespace vcam::dui
