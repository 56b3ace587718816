#include "camera/decoder/block_idct.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

namespace vcam::camera {
namespace {

using Block = std::array<std::int32_t, 64>;
using Samples = std::array<std::uint8_t, 64>;

Samples plain(const Block& in) {
  Samples out{};
  idct_8x8(in.data(), out.data(), 8);
  return out;
}

// The mask the decoder passes: the non-zero AC positions.
Samples sparse(const Block& in) {
  std::uint64_t mask = 0;
  for (int i = 1; i < 64; ++i) {
    if (in[static_cast<std::size_t>(i)] != 0) mask |= std::uint64_t{1} << i;
  }
  Samples out{};
  idct_8x8_sparse(in.data(), mask, out.data(), 8);
  return out;
}


// The transform's definition in double precision, level-shifted, rounded, clamped.
Samples exact(const Block& in) {
  const double pi = std::acos(-1.0);
  Samples out{};
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      double sum = 0;
      for (int v = 0; v < 8; ++v) {
        for (int u = 0; u < 8; ++u) {
          const double cu = u == 0 ? std::sqrt(0.5) : 1.0;
          const double cv = v == 0 ? std::sqrt(0.5) : 1.0;
          sum += cu * cv * in[static_cast<std::size_t>(v * 8 + u)] * std::cos((2 * x + 1) * u * pi / 16) *
                 std::cos((2 * y + 1) * v * pi / 16);
        }
      }
      const double value = std::round(sum / 4 + 128);
      out[static_cast<std::size_t>(y * 8 + x)] = static_cast<std::uint8_t>(std::clamp(value, 0.0, 255.0));
    }
  }
  return out;
}

// The transform as IJG writes it (tmp/z variables), in 64-bit arithmetic, with
// constants derived from the published values: (int)(x * 4096 + 0.5).
int fix(double x) { return static_cast<int>(x * 4096 + 0.5); }

void ijg_1d(const std::int64_t* in, std::int64_t* out) {
  std::int64_t z2 = in[2], z3 = in[6];
  std::int64_t z1 = (z2 + z3) * fix(0.541196100);
  const std::int64_t tmp2 = z1 + z3 * fix(-1.847759065);
  const std::int64_t tmp3 = z1 + z2 * fix(0.765366865);
  const std::int64_t tmp0 = (in[0] + in[4]) * 4096;
  const std::int64_t tmp1 = (in[0] - in[4]) * 4096;
  const std::int64_t tmp10 = tmp0 + tmp3, tmp13 = tmp0 - tmp3, tmp11 = tmp1 + tmp2, tmp12 = tmp1 - tmp2;
  std::int64_t o0 = in[7], o1 = in[5], o2 = in[3], o3 = in[1];
  z1 = o0 + o3;
  z2 = o1 + o2;
  z3 = o0 + o2;
  std::int64_t z4 = o1 + o3;
  const std::int64_t z5 = (z3 + z4) * fix(1.175875602);
  o0 *= fix(0.298631336);
  o1 *= fix(2.053119869);
  o2 *= fix(3.072711026);
  o3 *= fix(1.501321110);
  z1 *= fix(-0.899976223);
  z2 *= fix(-2.562915447);
  z3 = z3 * fix(-1.961570560) + z5;
  z4 = z4 * fix(-0.390180644) + z5;
  o0 += z1 + z3;
  o1 += z2 + z4;
  o2 += z2 + z3;
  o3 += z1 + z4;
  out[0] = tmp10 + o3;
  out[7] = tmp10 - o3;
  out[1] = tmp11 + o2;
  out[6] = tmp11 - o2;
  out[2] = tmp12 + o1;
  out[5] = tmp12 - o1;
  out[3] = tmp13 + o0;
  out[4] = tmp13 - o0;
}

Samples ijg(const Block& block) {
  std::int64_t work[64];
  for (int c = 0; c < 8; ++c) {
    std::int64_t in[8], out[8];
    bool ac = false;
    for (int r = 0; r < 8; ++r) {
      in[r] = block[static_cast<std::size_t>(r * 8 + c)];
      ac = ac || (r > 0 && in[r] != 0);
    }
    ijg_1d(in, out);
    for (int r = 0; r < 8; ++r) work[r * 8 + c] = ac ? (out[r] + 512) >> 10 : in[0] * 4;
  }
  Samples samples{};
  for (int r = 0; r < 8; ++r) {
    std::int64_t out[8];
    ijg_1d(work + r * 8, out);
    for (int x = 0; x < 8; ++x) {
      const std::int64_t v = (out[x] + 65536 + (128 << 17)) >> 17;
      samples[static_cast<std::size_t>(r * 8 + x)] = static_cast<std::uint8_t>(std::clamp<std::int64_t>(v, 0, 255));
    }
  }
  return samples;
}

TEST(BlockIdct, EqualsTheIjgFormulationWithTheListedConstants) {
  EXPECT_EQ(fix(-1.847759065), -7567);  // negative constants lose one in magnitude
  std::mt19937 rng(3);
  for (int round = 0; round < 5000; ++round) {
    // Dequantised ranges of real pictures: no 32-bit overflow anywhere.
    Block in{};
    in[0] = static_cast<std::int32_t>(rng() % 16384) - 8192;
    const int terms = static_cast<int>(rng() % 64);
    for (int t = 0; t < terms; ++t) in[rng() % 64] = static_cast<std::int32_t>(rng() % 4096) - 2048;
    ASSERT_EQ(plain(in), ijg(in)) << "round " << round;
  }
}

TEST(BlockIdct, DcOnlyBlockIsFlatAtDcOverEightPlus128) {
  Block in{};
  in[0] = 80;
  const Samples out = plain(in);
  for (std::uint8_t s : out) EXPECT_EQ(s, 138);
  in[0] = -2000;
  for (std::uint8_t s : plain(in)) EXPECT_EQ(s, 0);
  in[0] = 2000;
  for (std::uint8_t s : plain(in)) EXPECT_EQ(s, 255);
}

TEST(BlockIdct, StaysWithinOneOfTheExactTransformOnTypicalBlocks) {
  std::mt19937 rng(7);
  int off_by_one = 0;
  for (int round = 0; round < 400; ++round) {
    Block in{};
    in[0] = static_cast<std::int32_t>(rng() % 2048) - 1024;
    const int terms = 1 + static_cast<int>(rng() % 20);
    for (int t = 0; t < terms; ++t) in[rng() % 64] = static_cast<std::int32_t>(rng() % 301) - 150;
    const Samples got = plain(in);
    const Samples want = exact(in);
    for (std::size_t i = 0; i < 64; ++i) {
      ASSERT_LE(std::abs(got[i] - want[i]), 1) << "round " << round << " sample " << i;
      off_by_one += got[i] != want[i];
    }
  }
  EXPECT_LT(off_by_one, 400 * 64 / 20);  // rounding differences stay rare
}

TEST(BlockIdct, ShortcutsGiveTheFullTransformsSamples) {
  std::mt19937 rng(11);
  const std::int32_t extremes[] = {0, 1, -1, 1 << 20, -(1 << 20), std::numeric_limits<std::int32_t>::max(),
                                   std::numeric_limits<std::int32_t>::min()};
  for (int round = 0; round < 3000; ++round) {
    Block in{};
    const int shape = round % 7;
    auto value = [&] {
      return rng() % 4 == 0 ? extremes[rng() % 7] : static_cast<std::int32_t>(rng() % 8001) - 4000;
    };
    if (shape == 0) {
      for (auto& c : in) c = value();
    } else if (shape == 1) {
      for (int c = 0; c < 8; ++c) in[static_cast<std::size_t>(c)] = value();  // first row only: flat columns
    } else if (shape == 2) {
      for (int r = 0; r < 8; ++r) in[static_cast<std::size_t>(r * 8)] = value();  // first column only: flat rows
    } else if (shape == 3) {
      in[rng() % 64] = value();
    } else if (shape == 5) {
      for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
          if (rng() % 2) in[static_cast<std::size_t>(r * 8 + c)] = value();  // low frequencies only
        }
      }
    } else if (shape == 6) {
      for (int i = 0; i < 3; ++i) in[rng() % 64] = value();
    } else {
      in[0] = value();
    }
    ASSERT_EQ(sparse(in), plain(in)) << "round " << round;
    if (shape == 4) {
      Samples dc_only{};
      idct_8x8_dc_only(in[0], dc_only.data(), 8);
      ASSERT_EQ(dc_only, plain(in)) << "round " << round;
    }
  }
}

TEST(BlockIdct, WritesOnlyEightBytesPerRowAtTheStride) {
  Block in{};
  in[0] = 80;
  in[1] = 30;
  const Samples expected = plain(in);
  std::uint8_t plane[8 * 20];
  std::memset(plane, 0xEE, sizeof plane);
  idct_8x8_sparse(in.data(), 2, plane + 2, 20);
  for (int r = 0; r < 8; ++r) {
    for (int x = 0; x < 20; ++x) {
      const bool inside = x >= 2 && x < 10;
      EXPECT_EQ(plane[r * 20 + x], inside ? expected[static_cast<std::size_t>(r * 8 + x - 2)] : 0xEE) << r << "," << x;
    }
  }
}

}  // namespace
}  // namespace vcam::camera
