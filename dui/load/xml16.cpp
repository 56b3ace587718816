#include "dui/load/xml16.h"

namespace vcam::dui {

namespace {

// rapidxml and the builders recurse once per nesting level; a file nested
// deeper than any real layout is refused before it can exhaust the stack.
constexpr int kMaxNesting = 256;

// An upper estimate of the element nesting: '<' plus a name opens, "</" and
// "/>" close.
bool NestingWithinLimit(const char16_t* text) {
  int depth = 0;
  for (const char16_t* p = text; *p; ++p) {
    if (p[0] == u'<' && p[1] != u'/' && p[1] != u'!' && p[1] != u'?' && p[1] != 0) {
      if (++depth > kMaxNesting) return false;
    } else if ((p[0] == u'<' && p[1] == u'/') || (p[0] == u'/' && p[1] == u'>')) {
      if (depth > 0) --depth;
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
