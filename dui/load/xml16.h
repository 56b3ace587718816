#pragma once
// rapidxml over UTF-16 text. Include this header, never <rapidxml/rapidxml.hpp>
// directly, wherever rapidxml is used with char16_t.
//
// rapidxml classifies characters through 256-entry tables indexed by the low
// byte of the character, so for UTF-16 text a character such as U+4E22 looks
// like '"' and ends an attribute value, and U+4E3C looks like '<'. The
// specialisations below classify every character above U+00FF as an ordinary
// name or text character, and write character references as UTF-16.
#include <rapidxml/rapidxml.hpp>

#include <string_view>

namespace rapidxml {

#define VCAM_XML16_PRED(pred, table, wide_value)                                            \
  template <>                                                                               \
  inline unsigned char xml_document<char16_t>::pred::test(char16_t ch) {                    \
    return ch < 256 ? internal::lookup_tables<0>::table[ch] : static_cast<unsigned char>(wide_value); \
  }
VCAM_XML16_PRED(whitespace_pred, lookup_whitespace, 0)
VCAM_XML16_PRED(node_name_pred, lookup_node_name, 1)
VCAM_XML16_PRED(attribute_name_pred, lookup_attribute_name, 1)
VCAM_XML16_PRED(text_pred, lookup_text, 1)
VCAM_XML16_PRED(text_pure_no_ws_pred, lookup_text_pure_no_ws, 1)
VCAM_XML16_PRED(text_pure_with_ws_pred, lookup_text_pure_with_ws, 1)
#undef VCAM_XML16_PRED

#define VCAM_XML16_QUOTED(pred, quote, table)                                          \
  template <>                                                                          \
  template <>                                                                          \
  inline unsigned char xml_document<char16_t>::pred<quote>::test(char16_t ch) {        \
    return ch < 256 ? internal::lookup_tables<0>::table[ch] : 1;                       \
  }
VCAM_XML16_QUOTED(attribute_value_pred, u'\'', lookup_attribute_data_1)
VCAM_XML16_QUOTED(attribute_value_pred, u'"', lookup_attribute_data_2)
VCAM_XML16_QUOTED(attribute_value_pure_pred, u'\'', lookup_attribute_data_1_pure)
VCAM_XML16_QUOTED(attribute_value_pure_pred, u'"', lookup_attribute_data_2_pure)
#undef VCAM_XML16_QUOTED

// The parse flags the toolkit uses (vcam::dui::kXmlParseFlags) are 0.
template <>
template <>
inline void xml_document<char16_t>::insert_coded_character<0>(char16_t*& text, unsigned long code) {
  if (code >= 0x10000 && code <= 0x10FFFF) {
    code -= 0x10000;
    *text++ = static_cast<char16_t>(0xD800 + (code >> 10));
    *text++ = static_cast<char16_t>(0xDC00 + (code & 0x3FF));
  } else if (code < 0xD800 || (code > 0xDFFF && code < 0x10000)) {
    *text++ = static_cast<char16_t>(code);
  } else {
    *text++ = 0xFFFD;
  }
}

}  // namespace rapidxml

namespace vcam::dui {

inline constexpr int kXmlParseFlags = 0;

using XmlDocument = rapidxml::xml_document<char16_t>;
using XmlElement = rapidxml::xml_node<char16_t>;
using XmlAttribute = rapidxml::xml_attribute<char16_t>;

// rapidxml and the builders recurse once per nesting level; a file nested
// deeper than any real layout is refused before it can exhaust the stack.
inline constexpr int kMaxXmlNesting = 256;

// Parses zero-terminated text in place (the document points into it). False
// on malformed XML or nesting deeper than kMaxXmlNesting; rapidxml's
// exception never leaves this function.
bool ParseXml(XmlDocument& document, char16_t* text);

// The deepest element nesting of the text, scanned the way rapidxml reads
// markup: comments, CDATA, DOCTYPE, declarations and processing instructions
// nest nothing, and inside a start tag only a '>' outside quotes ends it. For
// text rapidxml accepts it is the depth of the parsed tree. Stops counting
// once past `limit`.
int MarkupNestingDepth(const char16_t* text, int limit);

// The first child element (comments, text and declarations are not elements).
const XmlElement* FirstChildElement(const XmlElement& parent);
const XmlElement* NextSiblingElement(const XmlElement& element);
// The document's first element.
const XmlElement* RootElement(const XmlDocument& document);

inline std::u16string_view NameOf(const XmlElement& e) { return {e.name(), e.name_size()}; }
inline std::u16string_view NameOf(const XmlAttribute& a) { return {a.name(), a.name_size()}; }
inline std::u16string_view ValueOf(const XmlAttribute& a) { return {a.value(), a.value_size()}; }

}  // namespace vcam::dui
