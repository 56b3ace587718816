#pragma once
// A FileSource over named byte strings held in memory.
#include <map>
#include <string>

#include "dui/load/file_source.h"

namespace vcam::dui {

class MemoryFileSource : public FileSource {
 public:
  void Put(std::u16string name, std::string bytes);
  std::optional<std::string> Read(std::u16string_view name) override;
  int reads() const { return reads_; }

 private:
  std::map<std::u16string, std::string, std::less<>> files_;
  int reads_ = 0;
};

}  // namespace vcam::dui
