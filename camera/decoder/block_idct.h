#pragma once
// Integer 8x8 inverse DCT with 12 fractional bits (the LLM factorisation of
// the IJG "islow" transform), columns first, with the level shift folded into
// the row pass. Arithmetic wraps at 32 bits like the two's-complement machine
// arithmetic it was written for: valid pictures never overflow, hostile ones
// get defined (if meaningless) samples instead of undefined behaviour.
#include <cstddef>
#include <cstdint>

namespace vcam::camera {

// `coefficients`: dequantised, natural order. Writes 8 rows of 8 samples
// (0..255) to `out`, rows `stride` bytes apart.
void idct_8x8(const std::int32_t* coefficients, std::uint8_t* out, std::size_t stride);

// The same transform, leaving out the terms of zero inputs: bit n of
// `ac_mask` is set exactly when the AC coefficient at natural position n
// (1..63) is non-zero. Gives the samples of idct_8x8. (The mask must be exact:
// the column shortcut and the full column pass differ when the arithmetic wraps.)
void idct_8x8_sparse(const std::int32_t* coefficients, std::uint64_t ac_mask, std::uint8_t* out,
                     std::size_t stride);

// The same transform for a block whose 63 AC coefficients are zero: one value.
void idct_8x8_dc_only(std::int32_t dc, std::uint8_t* out, std::size_t stride);

}  // namespace vcam::camera
