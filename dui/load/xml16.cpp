#include "dui/load/xml16.h"

#include <algorithm>
#include <string_view>

namespace vcam::dui {

namespace {

// Compares without reading past a mismatch, so never past the terminator.
bool StartsWith(const char16_t* p, std::u16string_view prefix) {
  for (char16_t c : prefix)
    if (*p++ != c) return false;
  return true;
}

// Skips past `end`; at the end of the text when it never comes (the parser
// refuses such text anyway).
const char16_t* SkipPast(const char16_t* p, std::u16string_view end) {
  for (; *p; ++p)
    if (StartsWith(p, end)) return p + end.size();
  return p;
}

bool IsXmlSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

// rapidxml's classes of name characters; above U+00FF everything is a name
// character (xml16.h).
bool IsNodeNameChar(char16_t c) { return c >= 256 || rapidxml::internal::lookup_tables<0>::lookup_node_name[c]; }
bool IsAttributeNameChar(char16_t c) {
  return c >= 256 || rapidxml::internal::lookup_tables<0>::lookup_attribute_name[c];
}

}  // namespace

int MarkupNestingDepth(const char16_t* p, int limit) {
  int depth = 0;
  int deepest = 0;
  while (*p) {
    if (*p != u'<') {
      ++p;  // text between markup
      continue;
    }
    ++p;
    if (*p == u'/') {
      if (depth > 0) --depth;
      p = SkipPast(p, u">");
    } else if (*p == u'?') {
      p = SkipPast(p, u"?>");
    } else if (StartsWith(p, u"!--")) {
      p = SkipPast(p + 3, u"-->");
    } else if (StartsWith(p, u"![CDATA[")) {
      p = SkipPast(p + 8, u"]]>");
    } else if (StartsWith(p, u"!DOCTYPE") && IsXmlSpace(p[8])) {
      // The internal subset may hold '>' inside brackets.
      int brackets = 0;
      for (; *p && (*p != u'>' || brackets > 0); ++p) {
        if (*p == u'[') ++brackets;
        if (*p == u']' && brackets > 0) --brackets;
      }
      if (*p) ++p;
    } else if (*p == u'!') {
      p = SkipPast(p, u">");  // other "<!" markup ends at the first '>'
    } else {
      // A start tag, read with the parser's own character classes. Where the
      // text breaks the grammar the parser stops too, having nested no deeper
      // than counted so far.
      deepest = std::max(deepest, ++depth);
      if (deepest > limit) return deepest;
      const char16_t* name = p;
      while (IsNodeNameChar(*p)) ++p;
      if (p == name) return deepest;
      for (;;) {
        while (IsXmlSpace(*p)) ++p;
        if (!IsAttributeNameChar(*p)) break;
        while (IsAttributeNameChar(*p)) ++p;
        while (IsXmlSpace(*p)) ++p;
        if (*p != u'=') return deepest;
        ++p;
        while (IsXmlSpace(*p)) ++p;
        const char16_t quote = *p;
        if (quote != u'"' && quote != u'\'') return deepest;
        ++p;
        while (*p && *p != quote) ++p;
        if (!*p) return deepest;
        ++p;
      }
      if (*p == u'>') {
        ++p;
      } else if (p[0] == u'/' && p[1] == u'>') {
        p += 2;
        --depth;  // "<name .../>" closes itself
      } else {
        return deepest;
      }
    }
  }
  return deepest;
}

bool ParseXml(XmlDocument& document, char16_t* text) {
  if (MarkupNestingDepth(text, kMaxXmlNesting) > kMaxXmlNesting) return false;
  try {
    document.parse<kXmlParseFlags>(text);
    return true;
  } catch (const rapidxml::parse_error&) {
    document.clear();
    return false;
  }
}

const XmlElement* FirstChildElement(const XmlElement& parent) {
  for (const XmlElement* n = parent.first_node(); n; n = n->next_sibling())
    if (n->type() == rapidxml::node_element) return n;
  return nullptr;
}

const XmlElement* NextSiblingElement(const XmlElement& element) {
  for (const XmlElement* n = element.next_sibling(); n; n = n->next_sibling())
    if (n->type() == rapidxml::node_element) return n;
  return nullptr;
}

const XmlElement* RootElement(const XmlDocument& document) { return FirstChildElement(document); }

}  // namespace vcam::dui
