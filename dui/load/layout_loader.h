#pragma once
// Builds control trees from layout files.
#include <memory>
#include <string>
#include <string_view>

#include "dui/core/control.h"
#include "dui/factory/control_factory.h"
#include "dui/fields/setter_registry.h"
#include "dui/load/file_source.h"
#include "dui/load/xml16.h"

namespace vcam::dui {

class LayoutLoader {
 public:
  // The application's creators are consulted before the factory's.
  LayoutLoader(const SetterRegistry& setters, const ControlFactory& factory,
               const ControlCreatorMap& application_creators);

  void SetSource(std::unique_ptr<FileSource> source) { source_ = std::move(source); }
  FileSource* source() const { return source_.get(); }

  // The tree of the named layout file, detached. Null when the source lacks
  // the file, the XML is malformed or the root element has no creator.
  std::unique_ptr<Control> LoadLayout(std::u16string_view file_name) const;
  // The same for layout text already in memory.
  std::unique_ptr<Control> LoadLayoutText(std::u16string text) const;

  // One element and its subtree; null (subtree dropped) when the element has
  // no creator.
  std::unique_ptr<Control> BuildControl(const XmlElement& element) const;

 private:
  const SetterRegistry& setters_;
  const ControlFactory& factory_;
  const ControlCreatorMap& application_creators_;
  std::unique_ptr<FileSource> source_;
};

}  // namespace vcam::dui
