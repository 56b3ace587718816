#include "dui/core/object.h"

#include <utility>
#include <vector>

namespace vcam::dui {

template <typename T>
void Object::Put(Node<T>*& head, PropertyKey key, T value) {
  for (Node<T>* n = head; n; n = n->next) {
    if (n->key == key) {
      n->value = std::move(value);
      return;
    }
  }
  head = new Node<T>{key, std::move(value), head};
}

template <typename T>
const T* Object::Find(const Node<T>* head, PropertyKey key) {
  for (const Node<T>* n = head; n; n = n->next)
    if (n->key == key) return &n->value;
  return nullptr;
}

template <typename T>
void Object::Free(Node<T>*& head) {
  while (head) delete std::exchange(head, head->next);
}

template <typename T>
void Object::CopyAll(Node<T>*& head, const Node<T>* from) {
  // Oldest first, so the copy's lists keep the source's order.
  std::vector<const Node<T>*> nodes;
  for (; from; from = from->next) nodes.push_back(from);
  for (auto it = nodes.rbegin(); it != nodes.rend(); ++it) Put(head, (*it)->key, (*it)->value);
}

Object::~Object() {
  Free(values_);
  Free(sizes_);
  Free(rects_);
  Free(texts_);
}

void Object::SetValue(PropertyKey key, std::int32_t value) { Put(values_, key, value); }

bool Object::FindValue(PropertyKey key, std::int32_t* value) const {
  const std::int32_t* v = Find(values_, key);
  if (v && value) *value = *v;
  return v != nullptr;
}

std::int32_t Object::GetInt(PropertyKey key, std::int32_t absent) const {
  const std::int32_t* v = Find(values_, key);
  return v ? *v : absent;
}

std::uint32_t Object::GetColor(PropertyKey key, std::uint32_t absent) const {
  const std::int32_t* v = Find(values_, key);
  return v ? static_cast<std::uint32_t>(*v) : absent;
}

void Object::SetKeyword(PropertyKey key, Keyword keyword) {
  Put(values_, key, static_cast<std::int32_t>(keyword));
}

Keyword Object::GetKeyword(PropertyKey key, Keyword absent) const {
  const std::int32_t* v = Find(values_, key);
  return v ? static_cast<Keyword>(*v) : absent;
}

void Object::SetSize(PropertyKey key, Size size) { Put(sizes_, key, size); }

bool Object::FindSize(PropertyKey key, Size* size) const {
  const Size* s = Find(sizes_, key);
  if (s && size) *size = *s;
  return s != nullptr;
}

void Object::SetRect(PropertyKey key, Rect rect) { Put(rects_, key, rect); }

bool Object::FindRect(PropertyKey key, Rect* rect) const {
  const Rect* r = Find(rects_, key);
  if (r && rect) *rect = *r;
  return r != nullptr;
}

Rect Object::GetRect(PropertyKey key) const {
  const Rect* r = Find(rects_, key);
  return r ? *r : Rect{};
}

void Object::SetString(PropertyKey key, std::u16string text) { Put(texts_, key, std::move(text)); }

const std::u16string* Object::FindString(PropertyKey key) const { return Find(texts_, key); }

void Object::CopyPropertiesFrom(const Object& other) {
  if (&other == this) return;
  CopyAll(values_, other.values_);
  CopyAll(sizes_, other.sizes_);
  CopyAll(rects_, other.rects_);
  CopyAll(texts_, other.texts_);
}

}  // namespace vcam::dui
