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

// The tightest masks the decoder could pass: rows and columns of non-zero AC terms.
Samples sparse(const Block& in) {
  unsigned rows = 0;
  unsigned columns = 0;
  for (int i = 1; i < 64; ++i) {
    if (in[static_cast<std::size_t>(i)] != 0) {
      rows |= 1u << (i / 8);
      columns |= 1u << (i % 8);
    }
  }
  Samples out{};
  idct_8x8_sparse(in.data(), rows, columns, out.data(), 8);
  return out;
}

Samples sparse_without_hints(const Block& in) {
  Samples out{};
  idct_8x8_sparse(in.data(), 0xFF, 0xFF, out.data(), 8);
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
    ASSERT_EQ(sparse_without_hints(in), plain(in)) << "round " << round;
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
  idct_8x8_sparse(in.data(), 1, 2, plane + 2, 20);
  for (int r = 0; r < 8; ++r) {
    for (int x = 0; x < 20; ++x) {
      const bool inside = x >= 2 && x < 10;
      EXPECT_EQ(plane[r * 20 + x], inside ? expected[static_cast<std::size_t>(r * 8 + x - 2)] : 0xEE) << r << "," << x;
    }
  }
}

}  // namespace
}  // namespace vcam::camera
