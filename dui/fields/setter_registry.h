#pragma once
// Attribute name -> setter. The registry decides which attributes a layout or
// style file can set and how their values parse.
#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "dui/fields/setters.h"

namespace vcam::dui {

class SetterRegistry {
 public:
  // The launcher's vocabulary.
  static SetterRegistry Standard();

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
