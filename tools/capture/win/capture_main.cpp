// vcam_capture: a DirectShow client for tests and the demo. Lists the video
// input devices, or opens one by name, optionally lists its capabilities
// and chooses a size, runs it into the system Sample Grabber and Null
// Renderer, and prints one line per sample; chosen samples become PNGs.
#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/text_utf.h"
#include "common/win/folders.h"
#include "common/win/unique_handle.h"
#include "common/win/wide.h"
#include "tools/capture/bgr_picture.h"
#include "tools/capture/capture_options.h"
#include "tools/capture/win/capture_graph.h"
#include "tools/capture/win/video_devices.h"

namespace {

using namespace vcam;
using namespace vcam::capture;

enum ExitCode { kOk = 0, kUsage = 2, kNoDevice = 3, kGraphFailed = 4, kFormatRefused = 5, kTooFewSamples = 6 };

std::string utf8(const std::u16string& text) { return utf16_to_utf8(text); }

bool write_file(const std::u16string& path, const std::vector<std::uint8_t>& bytes) {
  UniqueFile file(::CreateFileW(wide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  return ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

const char* subtype_name(const GUID& subtype) {
  if (subtype == MEDIASUBTYPE_RGB24) return "RGB24";
  if (subtype == MEDIASUBTYPE_RGB32) return "RGB32";
  if (subtype == MEDIASUBTYPE_YUY2) return "YUY2";
  return "other";
}

void print_capabilities(const std::vector<Capability>& capabilities) {
  for (const Capability& c : capabilities)
    std::printf("caps %d %ldx%ld %s min_interval=%lld max_interval=%lld min_bps=%ld max_bps=%ld\n", c.index,
                static_cast<long>(c.width), static_cast<long>(c.height), subtype_name(c.type->subtype),
                static_cast<long long>(c.caps.MinFrameInterval), static_cast<long long>(c.caps.MaxFrameInterval),
                static_cast<long>(c.caps.MinBitsPerSecond), static_cast<long>(c.caps.MaxBitsPerSecond));
}

int run_capture(const CaptureOptions& options) {
  auto device = open_video_device(options.device);
  if (!device) {
    std::fprintf(stderr, "no video input device named \"%s\"\n", utf8(options.device).c_str());
    return kNoDevice;
  }
  std::printf("device %s\n", utf8(options.device).c_str());
  CaptureGraph graph(device);
  if (!graph.FindCapturePin()) {
    std::fprintf(stderr, "the device has no output pin\n");
    return kGraphFailed;
  }
  if (options.list_capabilities) print_capabilities(graph.Capabilities());
  if (options.width && options.height) {
    const HRESULT hr = graph.ChooseSize(*options.width, *options.height);
    std::printf("setformat %ldx%ld hr=0x%08lx\n", static_cast<long>(*options.width),
                static_cast<long>(*options.height), static_cast<unsigned long>(hr));
    if (FAILED(hr)) return kFormatRefused;
  }
  graph.KeepSamples([&options](std::int64_t index) { return options.wants_png(index); });
  HRESULT hr = graph.Build(!options.no_clock);
  if (FAILED(hr)) {
    std::fprintf(stderr, "building the graph failed: 0x%08lx\n", static_cast<unsigned long>(hr));
    return kGraphFailed;
  }
  const dshow::CMediaType type = graph.ConnectionType();
  std::int32_t width = 0, height = 0;
  if (type->formattype == FORMAT_VideoInfo && type->cbFormat >= sizeof(VIDEOINFOHEADER)) {
    const auto* info = reinterpret_cast<const VIDEOINFOHEADER*>(type->pbFormat);
    width = info->bmiHeader.biWidth;
    height = info->bmiHeader.biHeight;
    std::printf("type %ldx%ld %s avg_time_per_frame=%lld\n", static_cast<long>(width), static_cast<long>(height),
                subtype_name(type->subtype), static_cast<long long>(info->AvgTimePerFrame));
  }

  const DWORD started = ::GetTickCount();
  hr = graph.Run();
  if (FAILED(hr)) {
    std::fprintf(stderr, "running the graph failed: 0x%08lx\n", static_cast<unsigned long>(hr));
    return kGraphFailed;
  }
  bool complete = true;
  if (options.frames > 0) {
    // Generous: a camera that delivers at all delivers a sample a second.
    const DWORD timeout = static_cast<DWORD>(10'000 + options.frames * 1'000);
    complete = graph.WaitForSamples(options.frames, timeout);
  } else {
    graph.WaitForSamples(INT64_MAX, static_cast<DWORD>(options.milliseconds));
  }
  graph.Stop();
  const DWORD elapsed = ::GetTickCount() - started;

  std::vector<SampleRecord> records = graph.Records();
  if (options.frames > 0 && static_cast<std::int64_t>(records.size()) > options.frames)
    records.resize(static_cast<size_t>(options.frames));
  for (const SampleRecord& r : records) std::printf("%s\n", format_sample_line(r).c_str());
  std::printf("captured %zu samples in %lu ms\n", records.size(), static_cast<unsigned long>(elapsed));
  // Wall-clock time, so that a script can tell how long a start took.
  if (const auto first = graph.FirstSampleUnixMs())
    std::printf("first sample at unix_ms=%lld\n", static_cast<long long>(*first));

  std::u16string folder = options.out_folder;
  if (!folder.empty() && folder.back() != u'\\' && folder.back() != u'/') folder += u'\\';
  if (!folder.empty()) create_folder_path(folder);
  for (const auto& [index, bytes] : graph.KeptSamples()) {
    if (options.frames > 0 && index >= options.frames) continue;
    const auto rgb = dib24_to_rgb(bytes.data(), bytes.size(), width, height);
    const auto png = encode_png_rgb(rgb, width, height < 0 ? -height : height);
    const std::u16string path = folder + u"frame_" + utf8_to_utf16(std::to_string(index)) + u".png";
    if (png.empty() || !write_file(path, png)) {
      std::fprintf(stderr, "could not write %s\n", utf8(path).c_str());
      continue;
    }
    std::printf("png %s\n", utf8(path).c_str());
  }
  if (!complete) {
    std::fprintf(stderr, "only %zu of %lld samples arrived\n", records.size(), static_cast<long long>(options.frames));
    return kTooFewSamples;
  }
  return kOk;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<std::u16string> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(u16(argv[i]));
  const ParsedOptions parsed = parse_capture_options(args);
  if (!parsed.options) {
    std::fprintf(stderr, "%s\n%s", parsed.error.c_str(), capture_usage().c_str());
    return kUsage;
  }
  if (parsed.options->help) {
    std::printf("%s", capture_usage().c_str());
    return kOk;
  }
  const HRESULT com = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  int code = kOk;
  if (parsed.options->list_devices) {
    for (const std::u16string& name : video_device_names()) std::printf("video device %s\n", utf8(name).c_str());
  }
  if (!parsed.options->device.empty()) code = run_capture(*parsed.options);
  std::fflush(stdout);
  if (SUCCEEDED(com)) ::CoUninitialize();
  return code;
}
