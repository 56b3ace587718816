// artgen: paints the product's artwork and lays out the folders the packs
// are built from.
//   artgen OUTPUT_FOLDER DATA_FOLDER
// OUTPUT_FOLDER receives
//   style_pro/            the launcher's skin: images + DATA_FOLDER/style_pro
//   frame_pro/            the launcher's layouts: DATA_FOLDER/frame_pro
//   splash/default        the splash picture (PNG data, no extension)
//   uninstaller/style/    the uninstaller's skin: images + DATA_FOLDER/uninstaller/style
//   uninstaller/frame/    DATA_FOLDER/uninstaller/frame
//   uninstaller/uninstall.ico  the uninstaller program's icon
//   contact_sheet.png     every generated image, for review (skin-coloured
//                         ones shown tinted)
//   preview/              mock-ups of the windows built from the images
//   style_pro.list, frame_pro.list   the packs' file lists (zelopack @LIST)
// Text files with the extension ".xml" get a UTF-8 byte-order mark when they
// lack one, because the launcher's loader skips the first three bytes unseen.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "tools/artgen/contact_sheet.h"
#include "tools/artgen/icon_file.h"
#include "tools/artgen/launcher_skin.h"
#include "tools/artgen/png_file.h"
#include "tools/artgen/skin_preview.h"
#include "tools/artgen/palette.h"
#include "tools/artgen/splash_art.h"
#include "tools/artgen/uninstaller_skin.h"

namespace {

namespace fs = std::filesystem;
using namespace vcam::artgen;

int Fail(const std::string& message) {
  std::fprintf(stderr, "artgen: %s\n", message.c_str());
  return 1;
}

bool CopyData(const fs::path& from, const fs::path& to, std::string& error) {
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(from, ec)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in && !in.eof()) {
      error = "cannot read " + entry.path().string();
      return false;
    }
    if (entry.path().extension() == ".xml" && bytes.rfind("\xEF\xBB\xBF", 0) != 0) bytes.insert(0, "\xEF\xBB\xBF");
    std::ofstream out(to / entry.path().filename(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
      error = "cannot write " + (to / entry.path().filename()).string();
      return false;
    }
  }
  if (ec) error = "cannot list " + from.string() + ": " + ec.message();
  return !ec;
}

// Every file of `folder` by absolute path, one a line, for zelopack.
bool WriteList(const fs::path& folder, const fs::path& list, std::string& error) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.is_regular_file()) files.push_back(fs::absolute(entry.path()));
  std::sort(files.begin(), files.end());
  std::ofstream out(list, std::ios::binary | std::ios::trunc);
  for (const auto& file : files) out << file.string() << "\n";
  if (!out) error = "cannot write " + list.string();
  return static_cast<bool>(out);
}

bool WhiteOnly(const Raster& image) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const Rgba p = image.At(x, y);
      if (p.a > 0 && (p.r < 0.999f || p.g < 0.999f || p.b < 0.999f)) return false;
    }
  return true;
}

bool WriteAll(const ArtworkList& list, const fs::path& folder, std::string& error) {
  for (const auto& art : list)
    if (!WritePng(art.image, folder / art.name, &error)) return false;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: artgen OUTPUT_FOLDER DATA_FOLDER\n", stderr);
    return 2;
  }
  const fs::path out = argv[1], data = argv[2];
  const fs::path style = out / "style_pro", frame = out / "frame_pro", splash = out / "splash";
  const fs::path un_style = out / "uninstaller" / "style", un_frame = out / "uninstaller" / "frame";
  std::error_code ec;
  // Start clean so a file dropped from the sources never lingers in a pack.
  for (const fs::path& folder : {style, frame, splash, out / "uninstaller", out / "preview"}) fs::remove_all(folder, ec);
  for (const fs::path& folder : {style, frame, splash, un_style, un_frame}) {
    fs::create_directories(folder, ec);
    if (ec) return Fail("cannot create " + folder.string() + ": " + ec.message());
  }

  const ArtworkList launcher = LauncherSkinImages();
  const ArtworkList uninstaller = UninstallerSkinImages();
  const Raster splash_picture = SplashPicture();
  std::string error;
  if (!WriteAll(launcher, style, error) || !WriteAll(uninstaller, un_style, error) ||
      !WritePng(splash_picture, splash / "default", &error) ||
      !WriteIcon(UninstallerIcon(), out / "uninstaller" / "uninstall.ico", &error))
    return Fail(error);
  if (!CopyData(data / "style_pro", style, error) || !CopyData(data / "frame_pro", frame, error) ||
      !CopyData(data / "uninstaller" / "style", un_style, error) ||
      !CopyData(data / "uninstaller" / "frame", un_frame, error))
    return Fail(error);

  if (!WriteList(style, out / "style_pro.list", error) || !WriteList(frame, out / "frame_pro.list", error))
    return Fail(error);

  const fs::path preview = out / "preview";
  fs::create_directories(preview, ec);
  if (!WriteAll(WindowMockups(launcher, uninstaller), preview, error)) return Fail(error);

  // Skin-coloured images are white until the rule tints them; show them tinted.
  ArtworkList tinted;
  for (const auto& art : launcher)
    if (WhiteOnly(art.image)) tinted.push_back({art.name, Tinted(art.image, Hex(palette::kAccent))});
  std::vector<const Raster*> all;
  for (const auto& art : launcher)
    if (!WhiteOnly(art.image)) all.push_back(&art.image);
  for (const auto& art : tinted) all.push_back(&art.image);
  for (const auto& art : uninstaller) all.push_back(&art.image);
  all.push_back(&splash_picture);
  if (!WritePng(ContactSheet(all, 160, 10), out / "contact_sheet.png", &error)) return Fail(error);
  return 0;
}
