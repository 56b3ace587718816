// vcam_publisher: stands in for the companion application. Publishes a moving
// test pattern into the frame channel at a chosen size and rate, a new stamp
// per picture, and can freeze the stamp, withdraw the picture or stop after a
// while to exercise the camera's fall-backs. Prints what it does.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

#include "camera/channel/channel_names.h"
#include "common/text_utf.h"
#include "common/win/wide.h"
#include "tools/publisher/publisher_options.h"
#include "tools/publisher/test_pattern.h"
#include "tools/publisher/win/frame_publisher.h"

namespace {

std::atomic<bool> g_stop{false};

BOOL WINAPI on_console_event(DWORD) {
  g_stop = true;
  return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  using namespace vcam::publisher;
  std::vector<std::u16string> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(vcam::u16(argv[i]));
  PublisherOptions o;
  std::string error;
  if (!parse_publisher_options(args, o, error)) {
    std::fprintf(stderr, "vcam_publisher: %s\n%s", error.c_str(), publisher_usage().c_str());
    return 2;
  }
  if (o.help) {
    std::printf("%s", publisher_usage().c_str());
    return 0;
  }
  auto say = [&](const char* format, auto... values) {
    if (o.quiet) return;
    std::printf(format, values...);
    std::fflush(stdout);
  };

  const vcam::camera::RegionNames names{vcam::camera::kFrameChannelNames.mutex + o.names_suffix,
                                        vcam::camera::kFrameChannelNames.region + o.names_suffix};
  FramePublisher publisher(names);
  if (!publisher.open()) {
    std::fprintf(stderr, "vcam_publisher: cannot open the frame channel \"%s\"\n",
                 vcam::utf16_to_utf8(names.region).c_str());
    return 3;
  }
  ::SetConsoleCtrlHandler(on_console_event, TRUE);

  const std::int32_t height = o.bottom_up ? -o.height : o.height;
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(o.width) * o.height * 4);
  say("publishing %dx%d %s at %u pictures a second into \"%s\"\n", o.width, o.height,
      o.bottom_up ? "bottom-up" : "top-down", o.fps, vcam::utf16_to_utf8(names.region).c_str());

  // Stamps start from the clock so that a restarted publisher never repeats the
  // last stamp a reader saw.
  const std::uint64_t first_stamp = (::GetTickCount64() << 16) | 1;
  const ULONGLONG start = ::GetTickCount64();
  std::uint64_t published = 0;
  PublisherStep last = PublisherStep::Publish;
  for (std::uint64_t tick = 0; !g_stop; ++tick) {
    const std::uint64_t elapsed = ::GetTickCount64() - start;
    const PublisherStep step = publisher_step(o, published, elapsed);
    if (step == PublisherStep::Stop) break;
    if (step == PublisherStep::Publish) {
      const std::uint32_t number = o.first_number + static_cast<std::uint32_t>(published);
      draw_test_pattern(pixels.data(), pixels.size(), o.width, o.height, number, o.bottom_up);
      if (publisher.publish(pixels.data(), o.width, height, first_stamp + published)) {
        ++published;
        if (published == 1 || published % (o.fps * 5) == 0)
          say("picture %u published after %llu ms\n", number, static_cast<unsigned long long>(elapsed));
      } else {
        say("picture %u skipped: the frame mutex stayed busy\n", number);
      }
    } else if (step != last) {
      if (step == PublisherStep::Hold)
        say("stamp frozen after %llu pictures (%llu ms): readers fall back after 2 s\n",
            static_cast<unsigned long long>(published), static_cast<unsigned long long>(elapsed));
      if (step == PublisherStep::Withdraw && publisher.withdraw())
        say("picture withdrawn (width 0) after %llu pictures (%llu ms)\n", static_cast<unsigned long long>(published),
            static_cast<unsigned long long>(elapsed));
    }
    last = step;
    // Sleep towards the next absolute deadline, not by a fixed interval.
    const ULONGLONG due = start + (tick + 1) * 1000 / o.fps;
    const ULONGLONG now = ::GetTickCount64();
    if (due > now) ::Sleep(static_cast<DWORD>(due - now));
  }
  say("done after %llu ms: %llu pictures\n", static_cast<unsigned long long>(::GetTickCount64() - start),
      static_cast<unsigned long long>(published));
  return 0;
}
