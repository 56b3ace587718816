// Prints what the platform layers do here: the application folder, text
// conversions, a named section and a DIB-section text rendering.
#include <windows.h>

#include <cstdio>
#include <string>

#include "common/text_utf.h"
#include "common/win/folders.h"
#include "common/win/text_cp936.h"
#include "common/win/unique_handle.h"

using namespace vcam;

int main() {
  std::printf("vcam smoke: running as a 32-bit Windows program (pointer size %u)\n",
              static_cast<unsigned>(sizeof(void*)));
  std::printf("application folder: %s\n", utf16_to_utf8(application_folder()).c_str());
  const std::u16string caption = utf8_to_utf16("程序版本");
  const std::string gbk = utf16_to_cp936(caption);
  std::printf("\"%s\": %zu UTF-16 units, %zu bytes in code page 936\n", utf16_to_utf8(caption).c_str(),
              caption.size(), gbk.size());

  UniqueHandle section(::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 1 << 20,
                                            L"Local\\vcam_smoke_demo"));
  std::printf("named 1 MiB paging-file section: %s\n", section ? "created" : "FAILED");

  UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 200, -30, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  UniqueGdiObject dib(::CreateDIBSection(dc.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  int inked = 0;
  if (dib) {
    HGDIOBJ old = ::SelectObject(dc.get(), dib.get());
    ::TextOutW(dc.get(), 2, 2, L"ZeloCamV10", 10);
    ::GdiFlush();
    const auto* px = static_cast<const unsigned*>(bits);
    for (int i = 0; i < 200 * 30; ++i) inked += (px[i] & 0xFFFFFF) != 0;
    ::SelectObject(dc.get(), old);
  }
  std::printf("GDI text into a DIB section: %d pixels inked\n", inked);
  const bool ok = section && inked > 0;
  std::printf("smoke %s\n", ok ? "passed" : "FAILED");
  return ok ? 0 : 1;
}
