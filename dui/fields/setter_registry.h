#pragma once
// Attribute name -> setter. The registry decides which attributes a layout or
// style file can set and how their values parse.
#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dui/fields/setters.h"

namespace vcam::dui {

// How an attribute's value parses, and the property list it lands in.
enum class SetterKind { Text, Int, Rect, Size, Color, Keyword };

// One attribute of a vocabulary; `name` is an interned name (attribute_names.h).
struct AttributeSetting {
  PropertyKey name;
  SetterKind kind;
};

class SetterRegistry {
 public:
  // The launcher's vocabulary.
  static const std::vector<AttributeSetting>& StandardAttributes();
  static SetterRegistry Standard() { return From(StandardAttributes()); }
  // A registry of exactly these attributes.
  static SetterRegistry From(const std::vector<AttributeSetting>& attributes);

  // Replaces an earlier setter of the same name (a variant adds its own).
  void Add(std::unique_ptr<duiField::ISetter> setter);
  void Remove(std::u16string_view name);
  const duiField::ISetter* Find(std::u16string_view name) const;
  std::size_t size() const { return setters_.size(); }
  const std::map<std::u16string, std::unique_ptr<duiField::ISetter>, std::less<>>& all() const {
    return setters_;
  }

 private:
  std::map<std::u16string, std::unique_ptr<duiField::ISetter>, std::less<>> setters_;
};

}  // namespace vcam::dui
