#include "camera/decoder/block_idct.h"

#include <cstring>

namespace vcam::camera {
namespace {

using Wrap = std::uint32_t;  // modulo-2^32 arithmetic

constexpr Wrap k(int value) { return static_cast<Wrap>(value); }

// (x * 4096 + 0.5) truncated, so the negative constants lose one in magnitude.
constexpr Wrap kC0_541196100 = k(2217);
constexpr Wrap kC0_765366865 = k(3135);
constexpr Wrap kCm1_847759065 = k(-7567);
constexpr Wrap kC1_175875602 = k(4816);
constexpr Wrap kC0_298631336 = k(1223);
constexpr Wrap kC2_053119869 = k(8410);
constexpr Wrap kC3_072711026 = k(12586);
constexpr Wrap kC1_501321110 = k(6149);
constexpr Wrap kCm0_899976223 = k(-3685);
constexpr Wrap kCm2_562915447 = k(-10497);
constexpr Wrap kCm1_961570560 = k(-8034);
constexpr Wrap kCm0_390180644 = k(-1597);

constexpr Wrap kColumnBias = 512;                   // descale >> 10
constexpr Wrap kRowBias = 65536 + (128u << 17);     // descale >> 17 with the +128 level shift

inline std::int32_t descale(Wrap value, int shift) {
  return static_cast<std::int32_t>(value) >> shift;
}

// One 1-D pass over s0..s7; out[] gets the eight sums with `bias` added, before the descale.
inline void butterflies(Wrap s0, Wrap s1, Wrap s2, Wrap s3, Wrap s4, Wrap s5, Wrap s6, Wrap s7,
                        Wrap bias, Wrap* out) {
  // Even part.
  const Wrap p1 = (s2 + s6) * kC0_541196100;
  const Wrap e2 = p1 + s6 * kCm1_847759065;
  const Wrap e3 = p1 + s2 * kC0_765366865;
  const Wrap e0 = (s0 + s4) * 4096u;
  const Wrap e1 = (s0 - s4) * 4096u;
  const Wrap x0 = e0 + e3 + bias;
  const Wrap x3 = e0 - e3 + bias;
  const Wrap x1 = e1 + e2 + bias;
  const Wrap x2 = e1 - e2 + bias;
  // Odd part.
  const Wrap z3 = s7 + s3;
  const Wrap z4 = s5 + s1;
  const Wrap z5 = (z3 + z4) * kC1_175875602;
  const Wrap z1 = z5 + (s7 + s1) * kCm0_899976223;
  const Wrap z2 = z5 + (s5 + s3) * kCm2_562915447;
  const Wrap z3m = z3 * kCm1_961570560;
  const Wrap z4m = z4 * kCm0_390180644;
  const Wrap o0 = s7 * kC0_298631336 + z1 + z3m;
  const Wrap o1 = s5 * kC2_053119869 + z2 + z4m;
  const Wrap o2 = s3 * kC3_072711026 + z2 + z3m;
  const Wrap o3 = s1 * kC1_501321110 + z1 + z4m;
  out[0] = x0 + o3;
  out[7] = x0 - o3;
  out[1] = x1 + o2;
  out[6] = x1 - o2;
  out[2] = x2 + o1;
  out[5] = x2 - o1;
  out[3] = x3 + o0;
  out[4] = x3 - o0;
}

inline std::uint8_t clamp_sample(std::int32_t value) {
  return static_cast<std::uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value);
}

// Column pass with the all-zero-AC shortcut of the transform's definition.
void columns_pass(const std::int32_t* coefficients, std::int32_t* columns) {
  for (int c = 0; c < 8; ++c) {
    const std::int32_t* in = coefficients + c;
    std::int32_t* column = columns + c;
    if ((in[8] | in[16] | in[24] | in[32] | in[40] | in[48] | in[56]) == 0) {
      const std::int32_t dc = static_cast<std::int32_t>(static_cast<Wrap>(in[0]) * 4u);
      for (int r = 0; r < 8; ++r) column[r * 8] = dc;
      continue;
    }
    Wrap sums[8];
    butterflies(static_cast<Wrap>(in[0]), static_cast<Wrap>(in[8]), static_cast<Wrap>(in[16]),
                static_cast<Wrap>(in[24]), static_cast<Wrap>(in[32]), static_cast<Wrap>(in[40]),
                static_cast<Wrap>(in[48]), static_cast<Wrap>(in[56]), kColumnBias, sums);
    for (int r = 0; r < 8; ++r) column[r * 8] = descale(sums[r], 10);
  }
}

void full_row(const std::int32_t* in, std::uint8_t* row) {
  Wrap sums[8];
  butterflies(static_cast<Wrap>(in[0]), static_cast<Wrap>(in[1]), static_cast<Wrap>(in[2]),
              static_cast<Wrap>(in[3]), static_cast<Wrap>(in[4]), static_cast<Wrap>(in[5]),
              static_cast<Wrap>(in[6]), static_cast<Wrap>(in[7]), kRowBias, sums);
  for (int i = 0; i < 8; ++i) row[i] = clamp_sample(descale(sums[i], 17));
}

// With zero AC inputs every sum of the row pass is dc * 4096 + bias.
inline std::uint8_t flat_row_sample(std::int32_t dc) {
  return clamp_sample(descale(static_cast<Wrap>(dc) * 4096u + kRowBias, 17));
}

}  // namespace

void idct_8x8(const std::int32_t* coefficients, std::uint8_t* out, std::size_t stride) {
  std::int32_t columns[64];
  columns_pass(coefficients, columns);
  for (int r = 0; r < 8; ++r) full_row(columns + r * 8, out + static_cast<std::size_t>(r) * stride);
}

void idct_8x8_sparse(const std::int32_t* coefficients, std::uint64_t ac_mask, std::uint8_t* out,
                     std::size_t stride) {
  // Zero inputs are passed as literal zeros so that their terms fold away;
  // adding or multiplying a zero changes nothing, even in wrapping arithmetic.
  constexpr std::uint64_t kColumnAc = 0x0101010101010100ull;  // rows 1..7 of column 0
  constexpr std::uint64_t kLowerRows = 0xFFFFFFFF00000000ull;   // rows 4..7
  constexpr std::uint64_t kRightColumns = 0xF0F0F0F0F0F0F0F0ull;  // columns 4..7
  constexpr std::uint64_t kOtherColumns = 0xFEFEFEFEFEFEFEFEull;  // columns 1..7
  ac_mask &= ~1ull;

  std::int32_t columns[64];
  const bool upper_rows_only = (ac_mask & kLowerRows) == 0;
  for (int c = 0; c < 8; ++c) {
    const std::int32_t* in = coefficients + c;
    std::int32_t* column = columns + c;
    if ((ac_mask & (kColumnAc << c)) == 0) {
      // The transform's own shortcut for a column without AC inputs.
      const std::int32_t dc = static_cast<std::int32_t>(static_cast<Wrap>(in[0]) * 4u);
      for (int r = 0; r < 8; ++r) column[r * 8] = dc;
      continue;
    }
    Wrap sums[8];
    if (upper_rows_only) {
      butterflies(static_cast<Wrap>(in[0]), static_cast<Wrap>(in[8]), static_cast<Wrap>(in[16]),
                  static_cast<Wrap>(in[24]), 0, 0, 0, 0, kColumnBias, sums);
    } else {
      butterflies(static_cast<Wrap>(in[0]), static_cast<Wrap>(in[8]), static_cast<Wrap>(in[16]),
                  static_cast<Wrap>(in[24]), static_cast<Wrap>(in[32]), static_cast<Wrap>(in[40]),
                  static_cast<Wrap>(in[48]), static_cast<Wrap>(in[56]), kColumnBias, sums);
    }
    for (int r = 0; r < 8; ++r) column[r * 8] = descale(sums[r], 10);
  }

  if ((ac_mask & kOtherColumns) == 0) {
    // Only column 0 has coefficients: the other columns of the first pass are
    // zero, so every row of the second pass has one value.
    for (int r = 0; r < 8; ++r) {
      std::memset(out + static_cast<std::size_t>(r) * stride, flat_row_sample(columns[r * 8]), 8);
    }
    return;
  }
  // Columns without coefficients are zero after the first pass.
  const bool left_columns_only = (ac_mask & kRightColumns) == 0;
  for (int r = 0; r < 8; ++r) {
    const std::int32_t* in = columns + r * 8;
    Wrap sums[8];
    if (left_columns_only) {
      butterflies(static_cast<Wrap>(in[0]), static_cast<Wrap>(in[1]), static_cast<Wrap>(in[2]),
                  static_cast<Wrap>(in[3]), 0, 0, 0, 0, kRowBias, sums);
    } else {
      butterflies(static_cast<Wrap>(in[0]), static_cast<Wrap>(in[1]), static_cast<Wrap>(in[2]),
                  static_cast<Wrap>(in[3]), static_cast<Wrap>(in[4]), static_cast<Wrap>(in[5]),
                  static_cast<Wrap>(in[6]), static_cast<Wrap>(in[7]), kRowBias, sums);
    }
    std::uint8_t* row = out + static_cast<std::size_t>(r) * stride;
    for (int i = 0; i < 8; ++i) row[i] = clamp_sample(descale(sums[i], 17));
  }
}

void idct_8x8_dc_only(std::int32_t dc, std::uint8_t* out, std::size_t stride) {
  // The column pass turns the block into DC * 4 in column 0 and zeros elsewhere.
  const std::uint8_t sample =
      flat_row_sample(static_cast<std::int32_t>(static_cast<Wrap>(dc) * 4u));
  for (int r = 0; r < 8; ++r) std::memset(out + static_cast<std::size_t>(r) * stride, sample, 8);
}

}  // namespace vcam::camera
