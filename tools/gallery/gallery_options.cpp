#include "tools/gallery/gallery_options.h"

#include <charconv>

#include "common/text_utf.h"

namespace vcam::gallery {
namespace {

std::optional<std::int32_t> parse_id(const std::u16string& text) {
  const std::string narrow = utf16_to_utf8(text);
  std::int32_t value = 0;
  const char* end = narrow.data() + narrow.size();
  const auto [ptr, ec] = std::from_chars(narrow.data(), end, value);
  if (narrow.empty() || ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

ParsedGalleryOptions fail(std::string error) { return {std::nullopt, std::move(error)}; }

}  // namespace

ParsedGalleryOptions parse_gallery_options(const std::vector<std::u16string>& args) {
  GalleryOptions o;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::u16string& a = args[i];
    if (a == u"--help" || a == u"-h") {
      o.help = true;
      return {o, {}};
    }
    if (a == u"--layered") {
      o.layered = true;
      continue;
    }
    const bool is_text = a == u"--out" || a == u"--skin" || a == u"--layouts" || a == u"--layout" || a == u"--png";
    const bool is_id = a == u"--hover" || a == u"--press" || a == u"--focus" || a == u"--check";
    if (!is_text && !is_id) return fail("unknown option: " + utf16_to_utf8(a));
    if (i + 1 >= args.size() || args[i + 1].empty()) return fail(utf16_to_utf8(a) + " needs a value");
    const std::u16string& v = args[++i];
    if (is_text) {
      std::u16string* slot = a == u"--out"       ? &o.out_folder
                             : a == u"--skin"    ? &o.skin
                             : a == u"--layouts" ? &o.layouts
                             : a == u"--layout"  ? &o.layout
                                                 : &o.png;
      if (!slot->empty()) return fail(utf16_to_utf8(a) + " given twice");
      *slot = v;
      continue;
    }
    const std::optional<std::int32_t> id = parse_id(v);
    if (!id) return fail(utf16_to_utf8(a) + " needs a numeric control id, not " + utf16_to_utf8(v));
    if (a == u"--check") {
      o.check.push_back(*id);
      continue;
    }
    std::optional<std::int32_t>& slot = a == u"--hover" ? o.hover : a == u"--press" ? o.press : o.focus;
    if (slot) return fail(utf16_to_utf8(a) + " given twice");
    slot = id;
  }
  if (o.skin.empty() || o.layouts.empty()) return fail("give the skin and the layouts: --skin and --layouts");
  if (o.renders_one_layout()) {
    if (!o.out_folder.empty()) return fail("--out renders the whole gallery; it does not go with --layout");
    if (o.png.empty()) return fail("--layout needs --png");
  } else {
    if (o.out_folder.empty()) return fail("give --out FOLDER, or --layout NAME and --png OUT.png");
    if (o.layered || o.hover || o.press || o.focus || !o.check.empty() || !o.png.empty())
      return fail("states, --layered and --png apply only with --layout");
  }
  return {o, {}};
}

std::string gallery_usage() {
  return "usage: vcam_gallery --skin <folder|.zeloz> --layouts <folder|.zeloz> --out FOLDER\n"
         "       vcam_gallery --skin <folder|.zeloz> --layouts <folder|.zeloz> --layout NAME --png OUT.png\n"
         "                    [--layered] [--hover ID] [--press ID] [--focus ID] [--check ID]...\n";
}

}  // namespace vcam::gallery
