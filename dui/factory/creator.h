#pragma once
// Stateless creators: one per class, whose only operation builds an instance.
#include <memory>

namespace vcam::dui::duiFactory {

template <class Product>
class CreatorBase {
 public:
  virtual ~CreatorBase() = default;
  virtual std::unique_ptr<Product> Create() const = 0;
};

template <class X, class Product>
class Creator : public CreatorBase<Product> {
 public:
  std::unique_ptr<Product> Create() const override { return std::make_unique<X>(); }
};

}  // namespace vcam::dui::duiFactory
