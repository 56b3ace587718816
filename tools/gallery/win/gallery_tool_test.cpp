// The gallery as designers run it: one layout from the shipped packs, with
// states applied, written as a PNG; clear refusals for what is missing.
#include <gtest/gtest.h>
#include <windows.h>

#include <stb/stb_image.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "common/win/testing/program_run.h"

namespace vcam::gallery {
namespace {

using vcam::testing::contains;
using vcam::testing::run_program;

std::wstring Here() {
  wchar_t path[MAX_PATH];
  const DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring p(path, n);
  return p.substr(0, p.find_last_of(L"\\/") + 1);
}

std::wstring Art(const wchar_t* name) {
  const std::string dir = VCAM_ART_DIR;
  return L"Z:" + std::wstring(dir.begin(), dir.end()) + L"/" + name;
}

struct Picture {
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgba;
  const std::uint8_t* at(int x, int y) const { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
};

Picture Load(const std::wstring& path) {
  Picture p;
  FILE* f = ::_wfopen(path.c_str(), L"rb");
  if (!f) return p;
  int n = 0;
  unsigned char* data = stbi_load_from_file(f, &p.width, &p.height, &n, 4);
  std::fclose(f);
  if (data) p.rgba.assign(data, data + static_cast<size_t>(p.width) * p.height * 4);
  stbi_image_free(data);
  return p;
}

class GalleryTool : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    out_ = std::wstring(temp) + L"vcam_gallery_test_" + std::to_wstring(::GetCurrentProcessId());
    ::CreateDirectoryW(out_.c_str(), nullptr);
  }
  void TearDown() override {
    for (const std::wstring& f : written_) ::DeleteFileW(f.c_str());
    ::RemoveDirectoryW(out_.c_str());
  }
  // Runs the gallery on the product's packs with `extra` arguments.
  vcam::testing::ProgramResult Render(const std::wstring& png, const std::wstring& extra,
                                      const std::wstring& skin = Art(L"style_pro.zeloz")) {
    written_.push_back(png);
    return run_program(L"\"" + Here() + L"vcam_gallery.exe\" --skin \"" + skin + L"\" --layouts \"" +
                       Art(L"frame_pro.zeloz") + L"\" --png \"" + png + L"\" " + extra);
  }
  std::wstring Out(const wchar_t* name) const { return out_ + L"\\" + name; }

  std::wstring out_;
  std::vector<std::wstring> written_;
};

TEST_F(GalleryTool, RendersALayoutAtTheSizeItAsksFor) {
  const auto r = Render(Out(L"progress.png"), L"--layout progresswindow.xml");
  ASSERT_EQ(r.code, 0u) << r.output;
  const Picture p = Load(Out(L"progress.png"));
  ASSERT_FALSE(p.rgba.empty());
  EXPECT_EQ(p.width, 420);  // initSize="420,150"
  EXPECT_EQ(p.height, 150);
  // An ordinary window is opaque everywhere.
  for (int y = 0; y < p.height; y += 7)
    for (int x = 0; x < p.width; x += 7) ASSERT_EQ(p.at(x, y)[3], 255) << x << "," << y;
}

TEST_F(GalleryTool, HoverAndPressChangeOnlyTheButtonThatHasThem) {
  ASSERT_EQ(Render(Out(L"up.png"), L"--layout alertwindow.xml").code, 0u);
  ASSERT_EQ(Render(Out(L"hover.png"), L"--layout alertwindow.xml --hover 1002").code, 0u);
  ASSERT_EQ(Render(Out(L"press.png"), L"--layout alertwindow.xml --press 1002").code, 0u);
  const Picture up = Load(Out(L"up.png")), hover = Load(Out(L"hover.png")), press = Load(Out(L"press.png"));
  ASSERT_EQ(up.width, 380);
  ASSERT_EQ(hover.width, up.width);
  ASSERT_EQ(press.height, up.height);
  // The close button sits 8 pixels from the right in the 38-pixel title row
  // under a 2-pixel accent line: its centre is about (360, 21).
  auto differ = [](const Picture& a, const Picture& b, int x0, int y0, int x1, int y1) {
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x)
        if (std::memcmp(a.at(x, y), b.at(x, y), 4) != 0) return true;
    return false;
  };
  EXPECT_TRUE(differ(up, hover, 344, 9, 372, 33)) << "hover shows on the close button";
  EXPECT_TRUE(differ(hover, press, 344, 9, 372, 33)) << "pressed differs from hover";
  EXPECT_FALSE(differ(up, hover, 0, 60, up.width, up.height)) << "nothing below the title row changes";
}

TEST_F(GalleryTool, RefusesWhatIsMissingWithAClearMessage) {
  auto r = Render(Out(L"x.png"), L"--layout nosuchwindow.xml");
  EXPECT_NE(r.code, 0u);
  r = Render(Out(L"x.png"), L"--layout alertwindow.xml", Art(L"missing.zeloz"));
  EXPECT_NE(r.code, 0u);
  r = Render(Out(L"x.png"), L"--layout alertwindow.xml --hover 4242");
  EXPECT_NE(r.code, 0u);
  r = Render(Out(L"x.png"), L"--layout progresswindow.xml --press 1002 --hover");
  EXPECT_EQ(r.code, 2u) << "a usage error";
  EXPECT_EQ(::GetFileAttributesW(Out(L"x.png").c_str()), INVALID_FILE_ATTRIBUTES) << "no picture after a refusal";
}

}  // namespace
}  // namespace vcam::gallery
