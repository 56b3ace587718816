#include "launcher/pack/zelopack_keystream.h"

#include <bit>
#include <cstring>
#include <random>

#include "launcher/pack/zelopack_format.h"

namespace vcam::launcher::zelopack {

namespace {

// The vectors never cross a call boundary (everything is inlined into the
// target-specific functions below), so the ABI note does not apply.
#pragma GCC diagnostic ignored "-Wpsabi"


// MT19937 generated a block of 624 words at a time with vector code: the
// twist of word i reads words i + 1 and i + 397 (not yet rewritten) or
// i - 227 (already rewritten), so runs of up to 227 words are independent;
// the tempering and the XOR are word by word. Equal, output for output, to
// std::mt19937 (tested), and several times faster, which matters because
// every byte of every pack read passes through it.
constexpr int kN = 624, kM = 397;
constexpr std::uint32_t kMatrix = 0x9908B0DFu, kUpper = 0x80000000u, kLower = 0x7FFFFFFFu;

struct state {
  std::uint32_t mt[kN];
};

void seed_state(state& s, std::uint32_t seed) {
  s.mt[0] = seed;
  for (int i = 1; i < kN; ++i) s.mt[i] = 1812433253u * (s.mt[i - 1] ^ (s.mt[i - 1] >> 30)) + static_cast<std::uint32_t>(i);
}

inline std::uint32_t twist_one(std::uint32_t a, std::uint32_t b, std::uint32_t far) {
  const std::uint32_t y = (a & kUpper) | (b & kLower);
  return far ^ (y >> 1) ^ ((0u - (y & 1u)) & kMatrix);
}

inline std::uint32_t temper_one(std::uint32_t y) {
  y ^= y >> 11;
  y ^= (y << 7) & 0x9D2C5680u;
  y ^= (y << 15) & 0xEFC60000u;
  return y ^ (y >> 18);
}

// V is a GCC/Clang vector of W 32-bit words.
template <typename V, int W>
struct lanes {
  static inline __attribute__((always_inline)) V load(const void* p) {
    V v;
    std::memcpy(&v, p, sizeof v);
    return v;
  }
  static inline __attribute__((always_inline)) void store(void* p, V v) { std::memcpy(p, &v, sizeof v); }

  static inline __attribute__((always_inline)) V twist(V a, V b, V far) {
    const V y = (a & kUpper) | (b & kLower);
    return far ^ (y >> 1) ^ ((V{} - (y & 1u)) & kMatrix);
  }

  static inline __attribute__((always_inline)) V temper(V y) {
    y ^= y >> 11;
    y ^= (y << 7) & 0x9D2C5680u;
    y ^= (y << 15) & 0xEFC60000u;
    return y ^ (y >> 18);
  }

  static inline __attribute__((always_inline)) void twist_block(std::uint32_t* mt) {
    int i = 0;
    for (; i + W <= kN - kM; i += W) store(mt + i, twist(load(mt + i), load(mt + i + 1), load(mt + i + kM)));
    for (; i < kN - kM; ++i) mt[i] = twist_one(mt[i], mt[i + 1], mt[i + kM]);
    for (; i + W <= kN - 1; i += W) store(mt + i, twist(load(mt + i), load(mt + i + 1), load(mt + i - (kN - kM))));
    for (; i < kN - 1; ++i) mt[i] = twist_one(mt[i], mt[i + 1], mt[i - (kN - kM)]);
    mt[kN - 1] = twist_one(mt[kN - 1], mt[0], mt[kM - 1]);
  }

  static inline __attribute__((always_inline)) void apply(unsigned char* buffer, std::size_t words, std::uint32_t seed) {
    state s;
    seed_state(s, seed);
    while (words > 0) {
      twist_block(s.mt);
      const int n = words < static_cast<std::size_t>(kN) ? static_cast<int>(words) : kN;
      int i = 0;
      for (; i + W <= n; i += W) store(buffer + 4 * i, load(buffer + 4 * i) ^ temper(load(s.mt + i)));
      for (; i < n; ++i) {
        std::uint32_t w;
        std::memcpy(&w, buffer + 4 * i, 4);
        w ^= temper_one(s.mt[i]);
        std::memcpy(buffer + 4 * i, &w, 4);
      }
      buffer += 4 * static_cast<std::size_t>(n);
      words -= static_cast<std::size_t>(n);
    }
  }
};

using v4 = std::uint32_t __attribute__((vector_size(16)));

void apply_portable(unsigned char* buffer, std::size_t words, std::uint32_t seed) {
  lanes<v4, 4>::apply(buffer, words, seed);
}

#if defined(__i386__) || defined(__x86_64__)
using v8 = std::uint32_t __attribute__((vector_size(32)));

__attribute__((target("sse2"))) void apply_sse2(unsigned char* buffer, std::size_t words, std::uint32_t seed) {
  lanes<v4, 4>::apply(buffer, words, seed);
}

__attribute__((target("avx2"))) void apply_avx2(unsigned char* buffer, std::size_t words, std::uint32_t seed) {
  lanes<v8, 8>::apply(buffer, words, seed);
}
using apply_function = void (*)(unsigned char*, std::size_t, std::uint32_t);

apply_function best_apply() {
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx2")) return apply_avx2;
  if (__builtin_cpu_supports("sse2")) return apply_sse2;
  return apply_portable;
}
#endif

}  // namespace

bool apply_keystream_on(keystream_path path, unsigned char* buffer, std::size_t words, std::uint32_t seed) {
  switch (path) {
    case keystream_path::portable:
      apply_portable(buffer, words, seed);
      return true;
#if defined(__i386__) || defined(__x86_64__)
    case keystream_path::sse2:
      if (!__builtin_cpu_supports("sse2")) return false;
      apply_sse2(buffer, words, seed);
      return true;
    case keystream_path::avx2:
      if (!__builtin_cpu_supports("avx2")) return false;
      apply_avx2(buffer, words, seed);
      return true;
#endif
    default:
      return false;
  }
}

void apply_keystream(unsigned char* buffer, std::size_t words, std::uint32_t seed) {
  if constexpr (std::endian::native != std::endian::little) {
    std::mt19937 generator(seed);
    for (std::size_t i = 0; i < words; ++i, buffer += 4) {
      store_le32(buffer, load_le32(buffer) ^ static_cast<std::uint32_t>(generator()));
    }
    return;
  }
#if defined(__i386__) || defined(__x86_64__)
  static const apply_function apply = best_apply();
  apply(buffer, words, seed);
#else
  apply_portable(buffer, words, seed);
#endif
}

}  // namespace vcam::launcher::zelopack
