#include "camera/decoder/synthetic_jpeg.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <random>

namespace vcam::camera::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct Code {
  std::uint32_t bits = 0;
  int length = 0;
};

// A Huffman table: the DHT payload and the code of each symbol.
struct Table {
  std::uint8_t counts[16] = {};
  std::vector<std::uint8_t> symbols;  // in DHT order
  std::array<Code, 256> codes{};
};

class Generator {
 public:
  explicit Generator(const SyntheticJpegOptions& options) : options_(options), rng_(options.seed) {}

  Bytes make() {
    choose_tables();
    Bytes out = {0xFF, 0xD8};
    if (options_.extra_segments) add_extra_segment(out);
    const bool quant_after_frame = options_.extra_segments && chance(50);
    if (!quant_after_frame) add_quant_segments(out);
    add_frame(out);
    if (quant_after_frame) add_quant_segments(out);
    if (options_.extra_segments) add_extra_segment(out);
    add_huffman_segments(out);
    add_scan_header(out);
    add_entropy_data(out);
    out.push_back(0xFF);
    out.push_back(0xD9);
    return out;
  }

 private:
  int below(int n) { return static_cast<int>(rng_() % static_cast<std::uint32_t>(n)); }
  bool chance(int percent) { return below(100) < percent; }

  void choose_tables() {
    // Quantisation: one to four tables with random ids; each component picks one.
    std::array<int, 4> ids = {0, 1, 2, 3};
    std::shuffle(ids.begin(), ids.end(), rng_);
    const int quant_count = 1 + below(4);
    for (int i = 0; i < quant_count; ++i) {
      const int id = ids[static_cast<std::size_t>(i)];
      quant_ids_.push_back(id);
      const int top = std::array<int, 4>{1, 8, 40, 255}[static_cast<std::size_t>(below(4))];
      // Zero entries are legal bytes too; they turn coefficients into zeros.
      const int lowest = chance(20) ? 0 : 1;
      for (auto& q : quant_[static_cast<std::size_t>(id)]) q = static_cast<std::uint8_t>(lowest + below(top));
    }
    for (auto& c : components_) {
      c.quant = quant_ids_[static_cast<std::size_t>(below(quant_count))];
      c.dc = below(4);
      c.ac = below(4);
    }
    for (const auto& c : components_) {
      if (!dc_[static_cast<std::size_t>(c.dc)]) dc_[static_cast<std::size_t>(c.dc)] = make_dc_table();
      if (!ac_[static_cast<std::size_t>(c.ac)]) ac_[static_cast<std::size_t>(c.ac)] = make_ac_table();
    }
  }

  std::unique_ptr<Table> make_dc_table() {
    std::vector<std::uint8_t> symbols;
    for (int s = 0; s <= options_.max_dc_size; ++s) symbols.push_back(static_cast<std::uint8_t>(s));
    return make_table(symbols);
  }

  std::unique_ptr<Table> make_ac_table() {
    std::vector<std::uint8_t> symbols = {0x00, 0xF0};
    for (int run = 0; run < 16; ++run) {
      for (int size = 1; size <= options_.max_ac_size; ++size) {
        if ((run == 0 && size == 1) || chance(40)) symbols.push_back(static_cast<std::uint8_t>(run << 4 | size));
      }
    }
    if (options_.odd_end_symbols) {
      for (int run = 1; run < 15; ++run) {
        if (chance(30)) symbols.push_back(static_cast<std::uint8_t>(run << 4));
      }
    }
    return make_table(symbols);
  }

  // Random code lengths from random splits of a binary tree (so the Kraft sum
  // is 1, or below 1 when a leaf is left out), symbols in random order.
  std::unique_ptr<Table> make_table(std::vector<std::uint8_t> symbols) {
    const std::size_t wanted = symbols.size() + (options_.incomplete_codes || symbols.size() == 1 ? 1 : 0);
    std::vector<int> depths = {0};
    while (depths.size() < wanted) {
      std::vector<std::size_t> splittable;
      for (std::size_t i = 0; i < depths.size(); ++i) {
        if (depths[i] < 16) splittable.push_back(i);
      }
      // Prefer shallow leaves so that codes stay short, as real tables do.
      std::size_t pick = splittable[static_cast<std::size_t>(below(static_cast<int>(splittable.size())))];
      for (int tries = 0; tries < 2; ++tries) {
        const std::size_t other = splittable[static_cast<std::size_t>(below(static_cast<int>(splittable.size())))];
        if (depths[other] < depths[pick]) pick = other;
      }
      const int depth = depths[pick] + 1;
      depths[pick] = depth;
      depths.push_back(depth);
    }
    if (depths.size() > symbols.size()) depths.erase(depths.begin() + below(static_cast<int>(depths.size())));
    std::sort(depths.begin(), depths.end());
    std::shuffle(symbols.begin(), symbols.end(), rng_);

    auto table = std::make_unique<Table>();
    table->symbols = symbols;
    std::uint32_t code = 0;
    int last_length = -1;
    for (std::size_t i = 0; i < symbols.size(); ++i) {
      const int length = depths[i];
      ++table->counts[length - 1];
      code = last_length < 0 ? 0 : (code + 1) << (length - last_length);
      last_length = length;
      table->codes[symbols[i]] = Code{code, length};
    }
    return table;
  }

  static void put_u16(Bytes& out, std::size_t value) {
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
  }

  void add_extra_segment(Bytes& out) {
    for (int i = below(4); i > 0; --i) out.push_back(static_cast<std::uint8_t>(below(255)));  // junk, never 0xFF
    out.push_back(0xFF);
    out.push_back(chance(50) ? 0xFE : static_cast<std::uint8_t>(0xE0 + below(16)));
    const std::size_t length = 2 + static_cast<std::size_t>(below(40));
    put_u16(out, length);
    for (std::size_t i = 2; i < length; ++i) out.push_back(static_cast<std::uint8_t>(rng_()));
  }

  void add_quant_segments(Bytes& out) {
    const bool shared = options_.extra_segments && chance(50);
    if (shared) {
      out.insert(out.end(), {0xFF, 0xDB});
      put_u16(out, 2 + 65 * quant_ids_.size());
    }
    for (int id : quant_ids_) {
      if (!shared) out.insert(out.end(), {0xFF, 0xDB, 0x00, 0x43});
      out.push_back(static_cast<std::uint8_t>(id));
      const auto& table = quant_[static_cast<std::size_t>(id)];
      out.insert(out.end(), table.begin(), table.end());
    }
  }

  void add_frame(Bytes& out) {
    out.insert(out.end(), {0xFF, 0xC0, 0x00, 0x11, 0x08});
    put_u16(out, static_cast<std::size_t>(options_.height));
    put_u16(out, static_cast<std::size_t>(options_.width));
    out.push_back(3);
    for (int i = 0; i < 3; ++i) {
      out.push_back(static_cast<std::uint8_t>(i + 1));
      out.push_back(i == 0 ? 0x22 : 0x11);
      out.push_back(static_cast<std::uint8_t>(components_[static_cast<std::size_t>(i)].quant));
    }
  }

  static void append_table(Bytes& out, int class_id, const Table& table) {
    out.push_back(static_cast<std::uint8_t>(class_id));
    out.insert(out.end(), table.counts, table.counts + 16);
    out.insert(out.end(), table.symbols.begin(), table.symbols.end());
  }

  void add_huffman_segments(Bytes& out) {
    std::vector<std::pair<int, const Table*>> tables;
    for (int id = 0; id < 4; ++id) {
      if (dc_[static_cast<std::size_t>(id)]) tables.emplace_back(id, dc_[static_cast<std::size_t>(id)].get());
      if (ac_[static_cast<std::size_t>(id)]) tables.emplace_back(0x10 | id, ac_[static_cast<std::size_t>(id)].get());
    }
    std::shuffle(tables.begin(), tables.end(), rng_);
    const bool shared = options_.extra_segments && chance(50);
    if (shared) {
      std::size_t length = 2;
      for (const auto& [class_id, table] : tables) length += 17 + table->symbols.size();
      out.insert(out.end(), {0xFF, 0xC4});
      put_u16(out, length);
    }
    for (const auto& [class_id, table] : tables) {
      if (!shared) {
        out.insert(out.end(), {0xFF, 0xC4});
        put_u16(out, 2 + 17 + table->symbols.size());
      }
      append_table(out, class_id, *table);
    }
  }

  void add_scan_header(Bytes& out) {
    out.insert(out.end(), {0xFF, 0xDA, 0x00, 0x0C, 0x03});
    for (int i = 0; i < 3; ++i) {
      const auto& c = components_[static_cast<std::size_t>(i)];
      out.push_back(static_cast<std::uint8_t>(i + 1));
      out.push_back(static_cast<std::uint8_t>(c.dc << 4 | c.ac));
    }
    out.insert(out.end(), {0x00, 0x3F, 0x00});
  }

  void put_bits(Bytes& out, std::uint32_t bits, int length) {
    for (int i = length - 1; i >= 0; --i) {
      pending_ = static_cast<std::uint8_t>(pending_ << 1 | ((bits >> i) & 1u));
      if (++pending_count_ == 8) {
        emit_byte(out, pending_);
        pending_ = 0;
        pending_count_ = 0;
      }
    }
  }

  void emit_byte(Bytes& out, std::uint8_t byte) {
    if (byte == 0xFF) {
      out.push_back(0xFF);
      if (options_.escaped_bytes && chance(30)) out.push_back(0xFF);  // fill
      out.push_back(0x00);
      return;
    }
    const bool escapable = byte != 0x00 && !(byte >= 0xD0 && byte <= 0xD9);
    if (options_.escaped_bytes && escapable && chance(5)) out.push_back(0xFF);
    out.push_back(byte);
  }

  void put_symbol(Bytes& out, const Table& table, int symbol) {
    const Code code = table.codes[static_cast<std::size_t>(symbol)];
    put_bits(out, code.bits, code.length);
  }

  // A random non-zero value of magnitude category `size`, written the JPEG way.
  void put_value(Bytes& out, int size) {
    const std::uint32_t low = 1u << (size - 1);
    const std::uint32_t magnitude = low + static_cast<std::uint32_t>(rng_() % low);
    const std::uint32_t bits = chance(50) ? magnitude : ((1u << size) - 1) - magnitude;
    put_bits(out, bits, size);
  }

  void add_block(Bytes& out, const Table& dc, const Table& ac) {
    const int dc_size = dc.symbols[static_cast<std::size_t>(below(static_cast<int>(dc.symbols.size())))];
    put_symbol(out, dc, dc_size);
    if (dc_size != 0) put_value(out, dc_size);

    std::vector<std::uint8_t> ends;
    std::vector<std::uint8_t> steps;
    for (std::uint8_t s : ac.symbols) {
      if (s == 0x00 || ((s & 15) == 0 && s != 0xF0)) {
        ends.push_back(s);
      } else {
        steps.push_back(s);
      }
    }
    for (int k = 1; k <= 63;) {
      if (chance(options_.end_of_block_percent)) {
        put_symbol(out, ac, ends[static_cast<std::size_t>(below(static_cast<int>(ends.size())))]);
        return;
      }
      const int symbol = steps[static_cast<std::size_t>(below(static_cast<int>(steps.size())))];
      put_symbol(out, ac, symbol);
      if (symbol == 0xF0) {
        k += 16;
        continue;
      }
      k += symbol >> 4;
      if (k > 63) return;  // the decoder stops here and reads no value
      put_value(out, symbol & 15);
      k += 1;
    }
  }

  void add_entropy_data(Bytes& out) {
    const Table* dc[3];
    const Table* ac[3];
    for (std::size_t i = 0; i < 3; ++i) {
      dc[i] = dc_[static_cast<std::size_t>(components_[i].dc)].get();
      ac[i] = ac_[static_cast<std::size_t>(components_[i].ac)].get();
    }
    const int units = (options_.width / 16) * (options_.height / 16);
    for (int unit = 0; unit < units; ++unit) {
      for (int b = 0; b < 4; ++b) add_block(out, *dc[0], *ac[0]);
      add_block(out, *dc[1], *ac[1]);
      add_block(out, *dc[2], *ac[2]);
    }
    if (pending_count_ > 0) put_bits(out, 0xFF, 8 - pending_count_);  // pad with ones
  }

  struct ComponentChoice {
    int quant = 0;
    int dc = 0;
    int ac = 0;
  };

  SyntheticJpegOptions options_;
  std::mt19937 rng_;
  std::vector<int> quant_ids_;
  std::array<std::array<std::uint8_t, 64>, 4> quant_{};
  std::array<ComponentChoice, 3> components_{};
  std::array<std::unique_ptr<Table>, 4> dc_;
  std::array<std::unique_ptr<Table>, 4> ac_;
  std::uint8_t pending_ = 0;
  int pending_count_ = 0;
};

}  // namespace

std::vector<std::uint8_t> make_synthetic_jpeg(const SyntheticJpegOptions& options) {
  return Generator(options).make();
}

std::vector<JpegSegment> list_segments(const std::vector<std::uint8_t>& jpeg) {
  std::vector<JpegSegment> segments;
  std::size_t pos = 2;
  while (pos + 4 <= jpeg.size()) {
    if (jpeg[pos] != 0xFF) {
      ++pos;
      continue;
    }
    JpegSegment segment;
    segment.marker = jpeg[pos + 1];
    segment.offset = pos;
    segment.length = static_cast<std::size_t>(jpeg[pos + 2] << 8 | jpeg[pos + 3]);
    segments.push_back(segment);
    if (segment.marker == 0xDA) break;
    pos += 2 + segment.length;
  }
  return segments;
}

std::size_t find_segment(const std::vector<std::uint8_t>& jpeg, std::uint8_t marker) {
  for (const JpegSegment& s : list_segments(jpeg)) {
    if (s.marker == marker) return s.offset;
  }
  return SIZE_MAX;
}

std::size_t entropy_begin(const std::vector<std::uint8_t>& jpeg) {
  const std::size_t sos = find_segment(jpeg, 0xDA);
  return sos == SIZE_MAX ? SIZE_MAX : sos + 2 + 12;
}

}  // namespace vcam::camera::testing
