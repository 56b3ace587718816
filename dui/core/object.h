#pragma once
// Root of controls and styles: four property lists keyed by interned attribute
// names (dui/core/attribute_names.h). Setting a key overwrites its node or puts
// a new node at the head; reading reports absence and each reader supplies its
// own default.
#include <cstdint>
#include <string>

#include "dui/core/geometry.h"
#include "dui/core/keyword.h"

namespace vcam::dui {

using PropertyKey = const char16_t*;

class Object {
 public:
  Object() = default;
  virtual ~Object();
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;

  // Value list: integers, colours (0x00RRGGBB) and keyword identities.
  void SetValue(PropertyKey key, std::int32_t value);
  bool FindValue(PropertyKey key, std::int32_t* value) const;
  std::int32_t GetInt(PropertyKey key, std::int32_t absent) const;
  std::uint32_t GetColor(PropertyKey key, std::uint32_t absent) const;
  void SetKeyword(PropertyKey key, Keyword keyword);
  Keyword GetKeyword(PropertyKey key, Keyword absent) const;

  void SetSize(PropertyKey key, Size size);
  bool FindSize(PropertyKey key, Size* size) const;

  void SetRect(PropertyKey key, Rect rect);
  bool FindRect(PropertyKey key, Rect* rect) const;
  Rect GetRect(PropertyKey key) const;  // all zero when absent

  void SetString(PropertyKey key, std::u16string text);
  const std::u16string* FindString(PropertyKey key) const;  // null when absent

  // Takes every property of `other`, overwriting this object's own of the
  // same keys: an object rebuilt as another class keeps what its layout gave it.
  void CopyPropertiesFrom(const Object& other);

 private:
  template <typename T>
  struct Node {
    PropertyKey key;
    T value;
    Node* next;
  };
  template <typename T>
  static void Put(Node<T>*& head, PropertyKey key, T value);
  template <typename T>
  static const T* Find(const Node<T>* head, PropertyKey key);
  template <typename T>
  static void Free(Node<T>*& head);
  template <typename T>
  static void CopyAll(Node<T>*& head, const Node<T>* from);

  Node<std::int32_t>* values_ = nullptr;
  Node<Size>* sizes_ = nullptr;
  Node<Rect>* rects_ = nullptr;
  Node<std::u16string>* texts_ = nullptr;
};

}  // namespace vcam::dui
