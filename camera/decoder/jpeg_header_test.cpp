#include "camera/decoder/jpeg_header.h"

#include <gtest/gtest.h>

#include "camera/decoder/placeholder_decoder.h"
#include "camera/decoder/synthetic_jpeg.h"

namespace vcam::camera {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Hand-made headers: the segments the tests need, in the order given.
Bytes frame(int width, int height, std::uint8_t q1 = 0, std::uint8_t q2 = 1, std::uint8_t q3 = 1) {
  return {0xFF, 0xC0, 0x00, 0x11, 0x08, static_cast<std::uint8_t>(height >> 8), static_cast<std::uint8_t>(height),
          static_cast<std::uint8_t>(width >> 8), static_cast<std::uint8_t>(width), 0x03, 0x01, 0x22, q1,
          0x02, 0x11, q2, 0x03, 0x11, q3};
}

Bytes quant_segment(std::initializer_list<std::uint8_t> ids, std::uint8_t first_value) {
  Bytes out = {0xFF, 0xDB, 0x00, static_cast<std::uint8_t>(2 + 65 * ids.size())};
  for (std::uint8_t id : ids) {
    out.push_back(id);
    for (int k = 0; k < 64; ++k) out.push_back(static_cast<std::uint8_t>(first_value + id + k));
  }
  return out;
}

// One-code tables (symbol `symbol` has code "0").
Bytes huffman_segment(std::initializer_list<std::uint8_t> class_ids, std::uint8_t symbol) {
  Bytes out = {0xFF, 0xC4, 0x00, static_cast<std::uint8_t>(2 + 18 * class_ids.size())};
  for (std::uint8_t class_id : class_ids) {
    out.push_back(class_id);
    out.push_back(1);
    for (int i = 1; i < 16; ++i) out.push_back(0);
    out.push_back(symbol);
  }
  return out;
}

Bytes scan(std::uint8_t t1 = 0x00, std::uint8_t t2 = 0x11, std::uint8_t t3 = 0x11) {
  return {0xFF, 0xDA, 0x00, 0x0C, 0x03, 0x01, t1, 0x02, t2, 0x03, t3, 0x00, 0x3F, 0x00};
}

Bytes join(std::initializer_list<Bytes> parts) {
  Bytes out = {0xFF, 0xD8};
  for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

bool parse(const Bytes& jpeg, JpegHeader& header, std::size_t limit = kPlaceholderDecodeBufferSize) {
  return parse_jpeg_header(jpeg.data(), jpeg.size(), limit, header);
}

int walk(const HuffmanTree& tree, int bit) {
  const std::int32_t child = tree.node(HuffmanTree::kRoot).child[bit];
  return child < 0 ? -1 : tree.node(child).symbol;
}

TEST(JpegHeader, ReadsSizeTablesAndTheStartOfTheData) {
  const Bytes jpeg = join({quant_segment({0, 1}, 10), frame(48, 32), huffman_segment({0x00, 0x10, 0x01, 0x11}, 5),
                           scan(0x00, 0x11, 0x11), Bytes{0x12, 0x34}});
  JpegHeader header;
  ASSERT_TRUE(parse(jpeg, header));
  EXPECT_EQ(header.width, 48);
  EXPECT_EQ(header.height, 32);
  EXPECT_EQ(header.entropy_begin, jpeg.size() - 2);
  EXPECT_EQ(header.components[0].quant, 0);
  EXPECT_EQ(header.components[1].quant, 1);
  EXPECT_EQ(header.components[1].dc, 1);
  EXPECT_EQ(header.components[2].ac, 1);
  // Entries kept in the order stored (zig-zag).
  EXPECT_EQ(header.quant[0][0], 10);
  EXPECT_EQ(header.quant[0][63], 73);
  EXPECT_EQ(header.quant[1][0], 11);
  EXPECT_TRUE(header.quant_defined[1]);
  EXPECT_FALSE(header.quant_defined[2]);
  EXPECT_EQ(walk(header.ac[1], 0), 5);
  EXPECT_FALSE(header.dc[2].defined());
}

TEST(JpegHeader, TablesMayFollowTheFrameAndBeRedefined) {
  const Bytes jpeg = join({frame(16, 16), quant_segment({0}, 1), quant_segment({0, 1}, 50),
                           huffman_segment({0x00, 0x10}, 1), huffman_segment({0x11, 0x01}, 2),
                           huffman_segment({0x00}, 3), scan()});
  JpegHeader header;
  ASSERT_TRUE(parse(jpeg, header));
  EXPECT_EQ(header.quant[0][0], 50);
  EXPECT_EQ(walk(header.dc[0], 0), 3);
  EXPECT_EQ(walk(header.ac[0], 0), 1);
  EXPECT_EQ(walk(header.dc[1], 0), 2);
}

TEST(JpegHeader, TheLastFrameHeaderCounts) {
  const Bytes jpeg = join({quant_segment({0, 1}, 1), frame(64, 64), frame(32, 16), huffman_segment({0x00, 0x10, 0x01, 0x11}, 0), scan()});
  JpegHeader header;
  ASSERT_TRUE(parse(jpeg, header));
  EXPECT_EQ(header.width, 32);
  EXPECT_EQ(header.height, 16);
}

TEST(JpegHeader, SizeLimitIsTheDibStrideTimesTheHeight) {
  const Bytes jpeg = join({quant_segment({0, 1}, 1), frame(960, 720), huffman_segment({0x00, 0x10, 0x01, 0x11}, 0), scan()});
  JpegHeader header;
  EXPECT_TRUE(parse(jpeg, header, 2073600));
  EXPECT_FALSE(parse(jpeg, header, 2073599));
  const Bytes largest = join({quant_segment({0, 1}, 1), frame(65520, 65520), huffman_segment({0x00, 0x10, 0x01, 0x11}, 0), scan()});
  EXPECT_FALSE(parse(largest, header));
}

TEST(JpegHeader, RefusesWhatTheDecoderCannotTakeBeforeAnyData) {
  const Bytes tables = quant_segment({0, 1}, 1);
  const Bytes codes = huffman_segment({0x00, 0x10, 0x01, 0x11}, 0);
  JpegHeader header;
  EXPECT_FALSE(parse(join({tables, frame(48, 32), codes}), header)) << "no scan";
  EXPECT_FALSE(parse(join({tables, codes, scan()}), header)) << "scan without frame";
  EXPECT_FALSE(parse(join({frame(48, 32), codes, scan()}), header)) << "quantisation tables missing";
  EXPECT_FALSE(parse(join({tables, frame(48, 32), huffman_segment({0x00, 0x10}, 0), scan()}), header))
      << "chroma Huffman tables missing";
  EXPECT_FALSE(parse(join({tables, frame(48, 32, 0, 1, 2), codes, scan()}), header)) << "Cr quantisation table missing";
  Bytes short_scan = join({tables, frame(48, 32), codes, scan()});
  short_scan.resize(short_scan.size() - 1);
  EXPECT_FALSE(parse(short_scan, header)) << "scan header cut short";
  EXPECT_FALSE(parse(join({tables, frame(48, 32), codes, Bytes{0xFF, 0xDA, 0x00}}), header)) << "length cut short";
}

TEST(JpegHeader, SyntheticPicturesParse) {
  for (std::uint32_t seed = 1; seed <= 50; ++seed) {
    testing::SyntheticJpegOptions options;
    options.seed = seed;
    options.extra_segments = true;
    const Bytes jpeg = testing::make_synthetic_jpeg(options);
    JpegHeader header;
    ASSERT_TRUE(parse(jpeg, header)) << seed;
    EXPECT_EQ(header.entropy_begin, testing::entropy_begin(jpeg)) << seed;
  }
}

}  // namespace
}  // namespace vcam::camera
