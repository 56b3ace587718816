#pragma once
// The attribute setters: each serves one interned attribute name and stores
// a parsed value into an object's property lists.
#include <string_view>

#include "dui/core/object.h"

namespace vcam::dui::duiField {

class ISetter {
 public:
  explicit ISetter(PropertyKey name) : name_(name) {}
  virtual ~ISetter() = default;
  virtual void Set(Object& object, std::u16string_view value) const = 0;
  PropertyKey name() const { return name_; }

 private:
  PropertyKey name_;
};

class IntSetter : public ISetter {
 public:
  using ISetter::ISetter;
  void Set(Object& object, std::u16string_view value) const override;
};

class RectSetter : public ISetter {
 public:
  using ISetter::ISetter;
  void Set(Object& object, std::u16string_view value) const override;
};

class SizeSetter : public ISetter {
 public:
  using ISetter::ISetter;
  void Set(Object& object, std::u16string_view value) const override;
};

// Stores the keyword's identity, or Keyword::None for a value that is none of
// the thirteen keywords.
class EnumSetter : public ISetter {
 public:
  using ISetter::ISetter;
  void Set(Object& object, std::u16string_view value) const override;
};

class ColorSetter : public ISetter {
 public:
  using ISetter::ISetter;
  void Set(Object& object, std::u16string_view value) const override;
};

class TextSetter : public ISetter {
 public:
  using ISetter::ISetter;
  void Set(Object& object, std::u16string_view value) const override;
};

}  // namespace vcam::dui::duiField
