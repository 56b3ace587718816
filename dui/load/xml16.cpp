#include "dui/load/xml16.h"

#include <string_view>

namespace vcam::dui {

namespace {

// rapidxml and the builders recurse once per nesting level; a file nested
// deeper than any real layout is refused before it can exhaust the stack.
constexpr int kMaxNesting = 256;

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

// The element nesting as rapidxml will see it, scanned the way it reads
// markup: comments, CDATA, declarations and processing instructions nest
// nothing, and inside a start tag only a '>' outside quotes ends it.
bool NestingWithinLimit(const char16_t* p) {
  int depth = 0;
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
      if (++depth > kMaxNesting) return false;
      char16_t quote = 0;
      char16_t last = 0;
      for (; *p && (quote || *p != u'>'); ++p) {
        if (quote) {
          if (*p == quote) quote = 0;
        } else if (*p == u'"' || *p == u'\'') {
          quote = *p;
        }
        last = *p;
      }
      if (*p) ++p;
      if (last == u'/') --depth;  // "<name .../>" closes itself
    }
  }
  return true;
}

}  // namespace

bool ParseXml(XmlDocument& document, char16_t* text) {
  if (!NestingWithinLimit(text)) return false;
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
