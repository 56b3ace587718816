#pragma once
// The interned attribute names. Property lists are keyed by the address of
// these strings, so a key compares by pointer; the setter registry maps the
// text of an attribute to the one canonical string here.

namespace vcam::dui::attr {

// Text attributes.
inline constexpr char16_t img[] = u"img";
inline constexpr char16_t upSkin[] = u"upSkin";
inline constexpr char16_t downSkin[] = u"downSkin";
inline constexpr char16_t overSkin[] = u"overSkin";
inline constexpr char16_t disabledSkin[] = u"disabledSkin";
inline constexpr char16_t upIcon[] = u"upIcon";
inline constexpr char16_t overIcon[] = u"overIcon";
inline constexpr char16_t downIcon[] = u"downIcon";
inline constexpr char16_t disabledIcon[] = u"disabledIcon";
inline constexpr char16_t checkedUpIcon[] = u"checkedUpIcon";
inline constexpr char16_t checkedOverIcon[] = u"checkedOverIcon";
inline constexpr char16_t checkedDownIcon[] = u"checkedDownIcon";
inline constexpr char16_t checkedDisabledIcon[] = u"checkedDisabledIcon";
inline constexpr char16_t cloUpSkin[] = u"cloUpSkin";
inline constexpr char16_t cloOverSkin[] = u"cloOverSkin";
inline constexpr char16_t cloDownSkin[] = u"cloDownSkin";
inline constexpr char16_t dropBtn[] = u"dropBtn";
inline constexpr char16_t barSkin[] = u"barSkin";
inline constexpr char16_t trackSkin[] = u"trackSkin";
inline constexpr char16_t thumbUpSkin[] = u"thumbUpSkin";
inline constexpr char16_t thumbOverSkin[] = u"thumbOverSkin";
inline constexpr char16_t thumbDownSkin[] = u"thumbDownSkin";
inline constexpr char16_t checkedUpSkin[] = u"checkedUpSkin";
inline constexpr char16_t checkedDownSkin[] = u"checkedDownSkin";
inline constexpr char16_t checkedOverSkin[] = u"checkedOverSkin";
inline constexpr char16_t checkedDisabledSkin[] = u"checkedDisabledSkin";
inline constexpr char16_t upArrowUpSkin[] = u"upArrowUpSkin";
inline constexpr char16_t upArrowOverSkin[] = u"upArrowOverSkin";
inline constexpr char16_t upArrowDownSkin[] = u"upArrowDownSkin";
inline constexpr char16_t upArrowDisabledSkin[] = u"upArrowDisabledSkin";
inline constexpr char16_t downArrowUpSkin[] = u"downArrowUpSkin";
inline constexpr char16_t downArrowOverSkin[] = u"downArrowOverSkin";
inline constexpr char16_t downArrowDownSkin[] = u"downArrowDownSkin";
inline constexpr char16_t downArrowDisabledSkin[] = u"downArrowDisabledSkin";
inline constexpr char16_t thumbUpIcon[] = u"thumbUpIcon";
inline constexpr char16_t thumbOverIcon[] = u"thumbOverIcon";
inline constexpr char16_t thumbDownIcon[] = u"thumbDownIcon";
inline constexpr char16_t tooltip[] = u"tooltip";
inline constexpr char16_t style[] = u"style";
inline constexpr char16_t text[] = u"text";
inline constexpr char16_t icon[] = u"icon";
inline constexpr char16_t font[] = u"font";
inline constexpr char16_t offIcon[] = u"offIcon";
inline constexpr char16_t offText[] = u"offText";
inline constexpr char16_t src[] = u"src";
inline constexpr char16_t grayTip[] = u"grayTip";
inline constexpr char16_t progressbkimg[] = u"progressbkimg";
inline constexpr char16_t progressimg[] = u"progressimg";

// Integer attributes.
inline constexpr char16_t downOffset[] = u"downOffset";
inline constexpr char16_t iconGap[] = u"iconGap";
inline constexpr char16_t multiline[] = u"multiline";
inline constexpr char16_t disabledAlpha[] = u"disabledAlpha";
inline constexpr char16_t id[] = u"id";
inline constexpr char16_t x[] = u"x";
inline constexpr char16_t y[] = u"y";
inline constexpr char16_t width[] = u"width";
inline constexpr char16_t height[] = u"height";
inline constexpr char16_t rows[] = u"rows";
inline constexpr char16_t columns[] = u"columns";
inline constexpr char16_t tabHeight[] = u"tabHeight";
inline constexpr char16_t tabOffset[] = u"tabOffset";
inline constexpr char16_t itemHeight[] = u"itemHeight";

// Rectangle attributes.
inline constexpr char16_t scaleGrid[] = u"scaleGrid";
inline constexpr char16_t margin[] = u"margin";
inline constexpr char16_t thumbScaleGrid[] = u"thumbScaleGrid";
inline constexpr char16_t padding[] = u"padding";
inline constexpr char16_t progressbkScaleGrid[] = u"progressbkScaleGrid";
inline constexpr char16_t progressmargin[] = u"progressmargin";
inline constexpr char16_t progressScaleGrid[] = u"progressScaleGrid";

// Size attributes.
inline constexpr char16_t initSize[] = u"initSize";
inline constexpr char16_t roundCorner[] = u"roundCorner";

// Colour attributes.
inline constexpr char16_t textColor[] = u"textColor";
inline constexpr char16_t color[] = u"color";

// Keyword attributes.
inline constexpr char16_t textPlacement[] = u"textPlacement";
inline constexpr char16_t horizontalAlign[] = u"horizontalAlign";
inline constexpr char16_t verticalAlign[] = u"verticalAlign";
inline constexpr char16_t dock[] = u"dock";
inline constexpr char16_t orientation[] = u"orientation";
inline constexpr char16_t tabPlacement[] = u"tabPlacement";
inline constexpr char16_t textAlign[] = u"textAlign";
inline constexpr char16_t scrollvertical[] = u"scrollvertical";

// Read by the scroll panel but not settable from a layout.
inline constexpr char16_t scrollhorizontal[] = u"scrollhorizontal";

// Attributes of the uninstaller's vocabulary only.
inline constexpr char16_t imagelist[] = u"imagelist";      // text
inline constexpr char16_t url[] = u"url";                  // text
inline constexpr char16_t textspace[] = u"textspace";      // integer
inline constexpr char16_t texteditable[] = u"texteditable";  // integer
inline constexpr char16_t textpadding[] = u"textpadding";  // size

// Flag attributes: no setter; "1" sets the flag, anything else clears it.
inline constexpr char16_t visible[] = u"visible";
inline constexpr char16_t enabled[] = u"enabled";
inline constexpr char16_t transparent[] = u"transparent";

}  // namespace vcam::dui::attr
