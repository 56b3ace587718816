// Writes the placeholder decoder fuzzer's starting corpus: small synthetic
// pictures covering the format's corners (the built-in picture is too large
// for quick fuzzing runs).
#include <cstdio>
#include <string>

#include "camera/decoder/synthetic_jpeg.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <corpus directory>\n", argv[0]);
    return 2;
  }
  using vcam::camera::testing::SyntheticJpegOptions;
  const std::string dir = argv[1];
  int written = 0;
  for (std::uint32_t seed = 1; seed <= 12; ++seed) {
    SyntheticJpegOptions options;
    options.seed = seed;
    options.width = 16 * static_cast<int>(1 + seed % 3);
    options.height = 16 * static_cast<int>(1 + seed % 2);
    options.max_ac_size = 1 + static_cast<int>(seed % 10);
    options.end_of_block_percent = 30;
    options.extra_segments = seed % 2 == 0;
    options.escaped_bytes = seed % 3 == 0;
    options.odd_end_symbols = seed % 4 == 0;
    options.incomplete_codes = seed % 5 == 0;
    const auto jpeg = vcam::camera::testing::make_synthetic_jpeg(options);
    const std::string path = dir + "/seed-" + std::to_string(seed) + ".jpg";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
      std::perror(path.c_str());
      return 1;
    }
    const bool ok = std::fwrite(jpeg.data(), 1, jpeg.size(), file) == jpeg.size();
    if (std::fclose(file) != 0 || !ok) {
      std::fprintf(stderr, "%s: write failed\n", path.c_str());
      return 1;
    }
    ++written;
  }
  return written > 0 ? 0 : 1;
}
