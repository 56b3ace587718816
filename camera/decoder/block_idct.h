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

// The same transform, leaving out the terms that are known to be zero: bit r
// of `ac_rows` (bit c of `ac_columns`) is clear only when row r (column c) holds
// no non-zero AC coefficient. Rows of the second pass whose AC inputs are all
// zero give one value. The samples are those of idct_8x8.
void idct_8x8_sparse(const std::int32_t* coefficients, unsigned ac_rows, unsigned ac_columns, std::uint8_t* out,
                     std::size_t stride);

// The same transform for a block whose 63 AC coefficients are zero: one value.
void idct_8x8_dc_only(std::int32_t dc, std::uint8_t* out, std::size_t stride);

}  // namespace vcam::camera
