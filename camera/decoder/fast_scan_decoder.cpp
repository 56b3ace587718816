#include "camera/decoder/fast_scan_decoder.h"

#include <array>
#include <bit>

#include "camera/decoder/block_idct.h"
#include "camera/decoder/entropy_bit_reader.h"
#include "camera/decoder/huffman_lookup.h"
#include "camera/decoder/jpeg_tables.h"

namespace vcam::camera {
namespace {

struct Component {
  const HuffmanLookup* dc;
  const HuffmanLookup* ac;
  std::array<std::uint32_t, 64> quant_natural;  // quantiser of each natural position
  std::int32_t predictor = 0;
};

class ScanDecoder {
 public:
  ScanDecoder(const std::uint8_t* data, std::size_t size, std::size_t begin) : bits_(data, size, begin) {}

  // -1 where a walk of the tree would fail.
  int symbol(const HuffmanLookup& table) {
    if (bits_.count() < 16) bits_.refill();
    const std::uint32_t entry = table.entry(bits_.peek(HuffmanLookup::kBits));
    if ((entry & HuffmanLookup::kSymbol) != 0) {
      const int length = static_cast<int>((entry >> 8) & 31u);
      if (length > bits_.count()) return -1;
      bits_.skip(length);
      return static_cast<int>(entry & 255u);
    }
    if ((entry & HuffmanLookup::kDeeper) == 0) return -1;
    return longer_symbol(table, static_cast<std::int32_t>(entry & 0xFFFFFFu));
  }

  bool extend(int size, std::int32_t& value) {
    std::uint32_t raw;
    if (!bits_.take(size, raw)) return false;
    value = (raw >> (size - 1)) != 0 ? static_cast<std::int32_t>(raw)
                                     : static_cast<std::int32_t>(raw) - ((1 << size) - 1);
    return true;
  }

  // Decodes one block into `out`. `coefficients` must be all zero on entry and is left so.
  bool block(Component& component, std::int32_t* coefficients, std::uint8_t* out, std::size_t stride) {
    const int dc_size = symbol(*component.dc);
    if (dc_size < 0 || dc_size > 15) return false;
    std::int32_t difference = 0;
    if (dc_size != 0 && !extend(dc_size, difference)) return false;
    component.predictor = static_cast<std::int32_t>(static_cast<std::uint32_t>(component.predictor) +
                                                    static_cast<std::uint32_t>(difference));
    const std::int32_t dc = static_cast<std::int32_t>(static_cast<std::uint32_t>(component.predictor) *
                                                      component.quant_natural[0]);

    std::uint64_t ac_mask = 0;  // natural positions holding a non-zero coefficient
    for (int k = 1; k <= 63;) {
      if (bits_.count() < 16) bits_.refill();
      const std::int32_t fast = component.ac->coefficient(bits_.peek(HuffmanLookup::kBits));
      if (fast != 0 && (fast & 15) <= bits_.count()) {
        // A short code and its value bits, all present: the same steps as below.
        k += (fast >> 8) & 15;
        if (k > 63) {
          bits_.skip((fast >> 4) & 15);  // the value bits are never read
          break;
        }
        bits_.skip(fast & 15);
        put(component, k++, fast >> 16, coefficients, ac_mask);
        continue;
      }
      const int ac_symbol = symbol(*component.ac);
      if (ac_symbol < 0) {
        clear(coefficients, ac_mask);
        return false;
      }
      const int run = ac_symbol >> 4;
      const int size = ac_symbol & 15;
      if (size != 0) {
        k += run;
        if (k > 63) break;
        std::int32_t value;
        if (!extend(size, value)) {
          clear(coefficients, ac_mask);
          return false;
        }
        put(component, k++, value, coefficients, ac_mask);
      } else if (ac_symbol == 0xF0) {
        k += 16;
      } else {
        break;
      }
    }

    if (ac_mask == 0) {
      idct_8x8_dc_only(dc, out, stride);
      return true;
    }
    coefficients[0] = dc;
    idct_8x8_sparse(coefficients, ac_mask, out, stride);
    clear(coefficients, ac_mask | 1u);
    return true;
  }

 private:
  int longer_symbol(const HuffmanLookup& table, std::int32_t at) {
    if (bits_.count() < HuffmanLookup::kBits) return -1;
    bits_.skip(HuffmanLookup::kBits);
    const HuffmanTree& tree = table.tree();
    while (!tree.node(at).leaf()) {
      std::uint32_t bit;
      if (!bits_.take(1, bit)) return -1;
      at = tree.node(at).child[bit];
      if (at < 0) return -1;
    }
    return tree.node(at).symbol;
  }

  // Dequantises the coefficient at zig-zag position k into its natural place
  // and marks that place in `ac_mask` when the product is not zero.
  static void put(const Component& component, int k, std::int32_t value, std::int32_t* coefficients,
                  std::uint64_t& ac_mask) {
    const std::size_t at = kZigzagToNatural[static_cast<std::size_t>(k)];
    const std::int32_t product =
        static_cast<std::int32_t>(static_cast<std::uint32_t>(value) * component.quant_natural[at]);
    coefficients[at] = product;
    ac_mask |= std::uint64_t{product != 0} << at;
  }

  // Zeroes the non-zero positions (the others already are).
  static void clear(std::int32_t* coefficients, std::uint64_t non_zero) {
    for (; non_zero != 0; non_zero &= non_zero - 1) coefficients[std::countr_zero(non_zero)] = 0;
  }

  EntropyBitReader bits_;
};

}  // namespace

bool decode_scan_fast(const std::uint8_t* data, std::size_t size, const JpegHeader& header,
                      YCbCrPlanes& planes) {
  std::array<HuffmanLookup, 4> dc_tables;
  std::array<HuffmanLookup, 4> ac_tables;
  std::array<Component, 3> components{};
  for (std::size_t i = 0; i < 3; ++i) {
    const JpegComponent& c = header.components[i];
    const auto dc_id = static_cast<std::size_t>(c.dc);
    const auto ac_id = static_cast<std::size_t>(c.ac);
    // Several components may share a table; building it twice is harmless.
    dc_tables[dc_id].build(header.dc[dc_id]);
    ac_tables[ac_id].build(header.ac[ac_id]);
    components[i].dc = &dc_tables[dc_id];
    components[i].ac = &ac_tables[ac_id];
    const auto& quant = header.quant[static_cast<std::size_t>(c.quant)];
    for (std::size_t k = 0; k < 64; ++k) components[i].quant_natural[kZigzagToNatural[k]] = quant[k];
  }

  ScanDecoder decoder(data, size, header.entropy_begin);
  alignas(16) std::int32_t coefficients[64] = {};
  const std::size_t luma_stride = static_cast<std::size_t>(planes.width);
  const std::size_t chroma_stride = static_cast<std::size_t>(planes.chroma_width);
  for (int y = 0; y < planes.height; y += 16) {
    std::uint8_t* luma_row = planes.y.get() + static_cast<std::size_t>(y) * luma_stride;
    const std::size_t chroma_row = static_cast<std::size_t>(y / 2) * chroma_stride;
    for (int x = 0; x < planes.width; x += 16) {
      std::uint8_t* luma = luma_row + x;
      const std::size_t chroma_offset = chroma_row + static_cast<std::size_t>(x / 2);
      if (!decoder.block(components[0], coefficients, luma, luma_stride) ||
          !decoder.block(components[0], coefficients, luma + 8, luma_stride) ||
          !decoder.block(components[0], coefficients, luma + 8 * luma_stride, luma_stride) ||
          !decoder.block(components[0], coefficients, luma + 8 * luma_stride + 8, luma_stride) ||
          !decoder.block(components[1], coefficients, planes.cb.get() + chroma_offset, chroma_stride) ||
          !decoder.block(components[2], coefficients, planes.cr.get() + chroma_offset, chroma_stride)) {
        return false;
      }
    }
  }
  return true;
}

}  // namespace vcam::camera
