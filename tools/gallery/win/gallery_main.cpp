// vcam_gallery: the toolkit's controls and the launcher's windows, made from
// the shipped packs in real windows and written as PNG pictures.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/text_utf.h"
#include "dui/controls/confirm_button.h"
#include "dui/runtime/ui_runtime.h"
#include "dui/win/ui_runtime_win.h"
#include "tools/gallery/gallery_options.h"
#include "tools/gallery/win/gallery_scenes.h"
#include "tools/gallery/win/launcher_window_scenes.h"
#include "tools/gallery/win/picture_file.h"
#include "tools/gallery/win/skin_sources.h"
#include "tools/gallery/win/window_snapshot.h"

namespace vcam::gallery {
namespace {

constexpr char16_t kRuleFile[] = u"skin_b4ae00";

int usage_error(const std::string& message) {
  std::fprintf(stderr, "vcam_gallery: %s\n%s", message.c_str(), gallery_usage().c_str());
  return 2;
}

int error(const std::string& message) {
  std::fprintf(stderr, "vcam_gallery: %s\n", message.c_str());
  return 1;
}

// The runtime for the length of one run.
class Toolkit {
 public:
  Toolkit() : ok_(dui::Initialize(u"vcam_gallery")) {}
  ~Toolkit() {
    if (ok_) dui::Shutdown();
  }
  bool ok() const { return ok_; }

 private:
  bool ok_;
};

int run(const GalleryOptions& o) {
  std::unique_ptr<dui::FileSource> skin = open_skin_source(o.skin);
  if (!skin) return error("cannot open the skin " + utf16_to_utf8(o.skin) + " (a folder or a .zeloz pack)");
  std::unique_ptr<dui::FileSource> layouts = open_skin_source(o.layouts);
  if (!layouts) return error("cannot open the layouts " + utf16_to_utf8(o.layouts) + " (a folder or a .zeloz pack)");

  Toolkit toolkit;
  if (!toolkit.ok()) return error("the UI toolkit could not start");
  dui::UiRuntime& runtime = *dui::UiRuntime::Instance();
  // The launcher gives its dialogs' confirm buttons this class.
  runtime.RegisterControlCreator(u"ConfirmButton", dui::MakeControlCreator<dui::ConfirmButton>());
  auto layout_source = std::make_unique<OverlaySource>(std::move(layouts), gallery_layouts());
  OverlaySource* layout_files = layout_source.get();
  runtime.SetSkinSource(std::make_unique<OverlaySource>(std::move(skin), gallery_styles()));
  runtime.SetLayoutSource(std::move(layout_source));
  // A skin without its colour rules still renders, with images in their own colours.
  runtime.LoadRuleFile(kRuleFile);

  if (!o.renders_one_layout()) {
    ::CreateDirectoryW(reinterpret_cast<const wchar_t*>(o.out_folder.c_str()), nullptr);
    std::string errors;
    const int failed = render_gallery(o.out_folder, errors) + render_launcher_windows(o.out_folder, errors);
    if (failed) return error(std::to_string(failed) + " pictures failed:\n" + errors);
    return 0;
  }

  if (!layout_files->Read(o.layout)) return error("the layouts have no file " + utf16_to_utf8(o.layout));
  std::unique_ptr<dui::Control> root = runtime.LoadLayout(o.layout);
  if (!root) return error(utf16_to_utf8(o.layout) + " is not a layout this toolkit can build");
  SnapshotStates states;
  states.layered = o.layered;
  states.hover = o.hover;
  states.press = o.press;
  states.focus = o.focus;
  states.check = o.check;
  Snapshot shot = take_snapshot(std::move(root), states);
  if (!shot.picture) return error(utf16_to_utf8(o.layout) + ": " + shot.error);
  if (!write_picture(o.png, *shot.picture)) return error("cannot write " + utf16_to_utf8(o.png));
  return 0;
}

}  // namespace
}  // namespace vcam::gallery

int wmain(int argc, wchar_t** argv) {
  std::vector<std::u16string> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(reinterpret_cast<const char16_t*>(argv[i]));
  const vcam::gallery::ParsedGalleryOptions parsed = vcam::gallery::parse_gallery_options(args);
  if (!parsed.options) return vcam::gallery::usage_error(parsed.error);
  if (parsed.options->help) {
    std::fputs(vcam::gallery::gallery_usage().c_str(), stdout);
    return 0;
  }
  return vcam::gallery::run(*parsed.options);
}
