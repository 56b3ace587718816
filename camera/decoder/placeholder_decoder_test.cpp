#include "camera/decoder/placeholder_decoder.h"

#include <gtest/gtest.h>

#include <string>

#include "camera/decoder/decoder_test_support.h"
#include "camera/decoder/dib_stride.h"
#include "camera/decoder/jpeg_header.h"
#include "camera/decoder/reference_decoder.h"
#include "camera/decoder/synthetic_jpeg.h"

namespace vcam::camera {
namespace {

using testing::decode_with;
using testing::expect_refused;
using testing::Outcome;
using testing::truncated;
using testing::with_byte;
using testing::with_inserted;
using Bytes = std::vector<std::uint8_t>;

Bytes small_picture(std::uint32_t seed = 3, int width = 32, int height = 32) {
  testing::SyntheticJpegOptions options;
  options.width = width;
  options.height = height;
  options.seed = seed;
  return testing::make_synthetic_jpeg(options);
}

std::size_t frame_at(const Bytes& jpeg) { return testing::find_segment(jpeg, 0xC0); }
std::size_t scan_at(const Bytes& jpeg) { return testing::find_segment(jpeg, 0xDA); }

// Both decoders accept and give `expected`'s pixels.
void expect_same_picture(const Bytes& jpeg, const Bytes& expected, const std::string& what) {
  const Outcome want = decode_with<PlaceholderDecoder>(expected);
  ASSERT_TRUE(want.ok) << what;
  const Outcome fast = decode_with<PlaceholderDecoder>(jpeg);
  ASSERT_TRUE(fast.ok) << what;
  EXPECT_TRUE(fast.picture == want.picture) << what;
  const Outcome reference = decode_with<ReferenceDecoder>(jpeg);
  ASSERT_TRUE(reference.ok) << what << " (reference)";
  EXPECT_TRUE(reference.picture == want.picture) << what << " (reference)";
}

TEST(PlaceholderDecoder, SizeIsZeroBeforeTheFirstDecode) {
  PlaceholderDecoder decoder;
  EXPECT_EQ(decoder.width(), 0);
  EXPECT_EQ(decoder.height(), 0);
}

TEST(PlaceholderDecoder, SyntheticPictureDecodesWithItsSizeAndDibLayout) {
  const Bytes jpeg = small_picture(3, 48, 32);
  const Outcome outcome = decode_with<PlaceholderDecoder>(jpeg);
  ASSERT_TRUE(outcome.ok);
  EXPECT_EQ(outcome.width, 48);
  EXPECT_EQ(outcome.height, 32);
  // Exactly stride x height bytes written, nothing after them.
  const std::size_t used = dib_stride24(48) * 32;
  EXPECT_EQ(used, 48u * 3 * 32);
  EXPECT_TRUE(std::all_of(outcome.picture.begin() + static_cast<std::ptrdiff_t>(used), outcome.picture.end(),
                          [](std::uint8_t b) { return b == testing::kSentinel; }));
}

TEST(PlaceholderDecoder, NullInputOrDestinationIsRefused) {
  const Bytes jpeg = small_picture();
  Bytes dst(kPlaceholderDecodeBufferSize, testing::kSentinel);
  PlaceholderDecoder decoder;
  EXPECT_FALSE(decoder.decode(nullptr, jpeg.size(), dst.data()));
  EXPECT_FALSE(decoder.decode(jpeg.data(), jpeg.size(), nullptr));
  ReferenceDecoder reference;
  EXPECT_FALSE(reference.decode(nullptr, jpeg.size(), dst.data()));
  EXPECT_FALSE(reference.decode(jpeg.data(), jpeg.size(), nullptr));
  EXPECT_TRUE(std::all_of(dst.begin(), dst.end(), [](std::uint8_t b) { return b == testing::kSentinel; }));
}

TEST(PlaceholderDecoder, FailureKeepsTheSizeOfTheLastSuccess) {
  const Bytes good = small_picture(3, 32, 16);
  Bytes dst(kPlaceholderDecodeBufferSize);
  PlaceholderDecoder decoder;
  ASSERT_TRUE(decoder.decode(good.data(), good.size(), dst.data()));
  const Bytes bad = truncated(good, good.size() / 2);
  EXPECT_FALSE(decoder.decode(bad.data(), bad.size(), dst.data()));
  EXPECT_EQ(decoder.width(), 32);
  EXPECT_EQ(decoder.height(), 16);
}

TEST(PlaceholderDecoderRefusal, BadStartBytes) {
  const Bytes jpeg = small_picture();
  expect_refused(with_byte(jpeg, 0, 0x00), "first byte not 0xFF");
  expect_refused(with_byte(jpeg, 1, 0xD9), "EOI instead of SOI");
  expect_refused(Bytes{}, "empty input");
  expect_refused(Bytes{0xFF}, "one byte");
  expect_refused(Bytes{0xFF, 0xD8}, "SOI alone");
  // The start must be at offset 0: a JPEG behind any prefix is refused.
  expect_refused(with_inserted(jpeg, 0, {0x00}), "SOI at offset 1");
}

TEST(PlaceholderDecoderRefusal, FrameHeaderOutsideTheSubset) {
  const Bytes jpeg = small_picture();
  const std::size_t sof = frame_at(jpeg);
  ASSERT_NE(sof, SIZE_MAX);
  expect_refused(with_byte(jpeg, sof + 3, 16), "frame length 16");
  expect_refused(with_byte(jpeg, sof + 3, 18), "frame length 18");
  expect_refused(with_byte(jpeg, sof + 4, 12), "12-bit precision");
  expect_refused(with_byte(jpeg, sof + 4, 0), "0-bit precision");
  expect_refused(with_byte(jpeg, sof + 9, 1), "one component (grey-scale)");
  expect_refused(with_byte(jpeg, sof + 9, 4), "four components");
  // Component ids and order.
  expect_refused(with_byte(with_byte(jpeg, sof + 10, 2), sof + 13, 1), "components 2, 1, 3");
  expect_refused(with_byte(with_byte(with_byte(jpeg, sof + 10, 0), sof + 13, 1), sof + 16, 2), "ids 0, 1, 2");
  expect_refused(with_byte(jpeg, sof + 16, 4), "ids 1, 2, 4");
  expect_refused(with_byte(with_byte(with_byte(jpeg, sof + 10, 'R'), sof + 13, 'G'), sof + 16, 'B'), "ids R, G, B");
  // Sampling factors other than 2x2, 1x1, 1x1.
  for (std::uint8_t sampling : {0x11, 0x21, 0x12, 0x41, 0x14, 0x44, 0x00}) {
    expect_refused(with_byte(jpeg, sof + 11, sampling), "luma sampling " + std::to_string(sampling));
  }
  expect_refused(with_byte(jpeg, sof + 14, 0x22), "Cb sampling 2x2");
  expect_refused(with_byte(jpeg, sof + 14, 0x21), "Cb sampling 2x1");
  expect_refused(with_byte(jpeg, sof + 17, 0x12), "Cr sampling 1x2");
  expect_refused(with_byte(jpeg, sof + 12, 4), "quantisation table 4");
}

TEST(PlaceholderDecoderRefusal, SizesThatAreNotMultiplesOf16) {
  const Bytes jpeg = small_picture();
  const std::size_t sof = frame_at(jpeg);
  expect_refused(with_byte(jpeg, sof + 8, 40), "width 40");
  expect_refused(with_byte(jpeg, sof + 8, 24), "width 24");
  expect_refused(with_byte(jpeg, sof + 8, 8), "width 8");
  expect_refused(with_byte(jpeg, sof + 8, 33), "width 33");
  expect_refused(with_byte(jpeg, sof + 6, 24), "height 24");
  expect_refused(with_byte(jpeg, sof + 6, 8), "height 8");
  expect_refused(with_byte(jpeg, sof + 8, 0), "width 0");
  expect_refused(with_byte(jpeg, sof + 6, 0), "height 0");
}

TEST(PlaceholderDecoderRefusal, OtherCodingProcesses) {
  const Bytes jpeg = small_picture();
  const std::size_t sof = frame_at(jpeg);
  for (std::uint8_t marker : {0xC1, 0xC2, 0xC3, 0xC5, 0xC6, 0xC7, 0xC9, 0xCA, 0xCB, 0xCD, 0xCE, 0xCF}) {
    expect_refused(with_byte(jpeg, sof + 1, marker), "frame marker " + std::to_string(marker));
  }
}

TEST(PlaceholderDecoderRefusal, RestartIntervalSegment) {
  const Bytes jpeg = small_picture();
  const std::size_t sos = scan_at(jpeg);
  expect_refused(with_inserted(jpeg, sos, {0xFF, 0xDD, 0x00, 0x04, 0x00, 0x01}), "DRI of 1 unit");
  expect_refused(with_inserted(jpeg, sos, {0xFF, 0xDD, 0x00, 0x04, 0x00, 0x00}), "DRI of 0 units");
  expect_refused(with_inserted(jpeg, 2, {0xFF, 0xDD, 0x00, 0x04, 0x00, 0x02}), "DRI before the frame");
}

TEST(PlaceholderDecoderRefusal, MarkersInsideTheEntropyData) {
  const Bytes jpeg = small_picture();
  const std::size_t begin = testing::entropy_begin(jpeg);
  const std::size_t middle = (begin + jpeg.size() - 2) / 2;
  // Keep a stuffed 0xFF 0x00 pair whole.
  const std::size_t at = jpeg[middle - 1] == 0xFF ? middle + 1 : middle;
  for (std::uint8_t marker = 0xD0; marker <= 0xD9; ++marker) {
    expect_refused(with_inserted(jpeg, at, {0xFF, marker}), "marker " + std::to_string(marker) + " in the data");
  }
  expect_refused(with_inserted(jpeg, begin, {0xFF, 0xD0}), "restart marker at the start of the data");
  expect_refused(with_inserted(jpeg, at, {0xFF, 0xFF, 0xFF, 0xD3}), "restart marker after fill bytes");
}

TEST(PlaceholderDecoderRefusal, QuantisationTablesOutsideTheSubset) {
  const Bytes jpeg = small_picture();
  const std::size_t dqt = testing::find_segment(jpeg, 0xDB);
  ASSERT_NE(dqt, SIZE_MAX);
  const std::uint8_t id = jpeg[dqt + 4];
  expect_refused(with_byte(jpeg, dqt + 4, static_cast<std::uint8_t>(0x10 | id)), "16-bit entries");
  for (std::uint8_t bad : {4, 5, 15, 0x14}) {
    expect_refused(with_byte(jpeg, dqt + 4, bad), "table id " + std::to_string(bad));
  }
  // A table cut short by its segment length.
  expect_refused(with_byte(jpeg, dqt + 3, static_cast<std::uint8_t>(jpeg[dqt + 3] - 1)), "DQT one byte short");
}

TEST(PlaceholderDecoderRefusal, HuffmanTablesOutsideTheSubset) {
  const Bytes jpeg = small_picture();
  const std::size_t dht = testing::find_segment(jpeg, 0xC4);
  ASSERT_NE(dht, SIZE_MAX);
  for (std::uint8_t bad : {0x20, 0x04, 0x14, 0xF0, 0x1F}) {
    expect_refused(with_byte(jpeg, dht + 4, bad), "class/id " + std::to_string(bad));
  }
  expect_refused(with_byte(jpeg, dht + 3, static_cast<std::uint8_t>(jpeg[dht + 3] - 1)), "DHT one byte short");
}

TEST(PlaceholderDecoderRefusal, ScanHeaderOutsideTheSubset) {
  const Bytes jpeg = small_picture();
  const std::size_t sos = scan_at(jpeg);
  ASSERT_NE(sos, SIZE_MAX);
  expect_refused(with_byte(jpeg, sos + 3, 10), "scan length 10");
  expect_refused(with_byte(jpeg, sos + 3, 14), "scan length 14");
  expect_refused(with_byte(jpeg, sos + 4, 1), "one component in the scan");
  expect_refused(with_byte(with_byte(jpeg, sos + 5, 2), sos + 7, 1), "scan order 2, 1, 3");
  expect_refused(with_byte(jpeg, sos + 9, 4), "scan ids 1, 2, 4");
  expect_refused(with_byte(jpeg, sos + 6, static_cast<std::uint8_t>(0x40 | (jpeg[sos + 6] & 15))), "DC table 4");
  expect_refused(with_byte(jpeg, sos + 8, static_cast<std::uint8_t>((jpeg[sos + 8] & 0xF0) | 4)), "AC table 4");
}

TEST(PlaceholderDecoderRefusal, MissingOrMisplacedScan) {
  const Bytes jpeg = small_picture();
  const std::size_t sos = scan_at(jpeg);
  expect_refused(truncated(jpeg, sos), "file ends before the scan");
  expect_refused(with_byte(jpeg, sos + 1, 0xFE), "scan header turned into a comment");
  expect_refused(with_byte(jpeg, frame_at(jpeg) + 1, 0xE1), "no frame header before the scan");
}

TEST(PlaceholderDecoderRefusal, TablesTheScanNeedsButNobodyDefined) {
  // Find a picture that leaves a quantisation table and a DC table undefined.
  for (std::uint32_t seed = 1; seed < 200; ++seed) {
    const Bytes jpeg = small_picture(seed);
    JpegHeader header;
    ASSERT_TRUE(parse_jpeg_header(jpeg.data(), jpeg.size(), kPlaceholderDecodeBufferSize, header));
    int quant = -1;
    int dc = -1;
    for (int id = 0; id < 4; ++id) {
      if (!header.quant_defined[static_cast<std::size_t>(id)]) quant = id;
      if (!header.dc[static_cast<std::size_t>(id)].defined()) dc = id;
    }
    if (quant < 0 || dc < 0) continue;
    const std::size_t sof = frame_at(jpeg);
    const std::size_t sos = scan_at(jpeg);
    expect_refused(with_byte(jpeg, sof + 15, static_cast<std::uint8_t>(quant)), "undefined quantisation table");
    expect_refused(with_byte(jpeg, sos + 8, static_cast<std::uint8_t>(dc << 4 | (jpeg[sos + 8] & 15))),
                   "undefined DC table");
    // A table defined without any code: the first symbol cannot be decoded.
    const std::uint8_t luma_dc = static_cast<std::uint8_t>(jpeg[sos + 6] >> 4);
    Bytes empty_table = {0xFF, 0xC4, 0x00, 0x13, luma_dc};
    empty_table.resize(empty_table.size() + 16, 0);
    Bytes redefined = jpeg;
    redefined.insert(redefined.begin() + static_cast<std::ptrdiff_t>(sos), empty_table.begin(), empty_table.end());
    expect_refused(redefined, "DC table without codes");
    return;
  }
  FAIL() << "no picture with undefined tables";
}

TEST(PlaceholderDecoderRefusal, SegmentShorterThanItsLengthField) {
  const Bytes jpeg = small_picture();
  expect_refused(with_inserted(jpeg, 2, {0xFF, 0xFE, 0x00, 0x01}), "comment of length 1");
  expect_refused(with_inserted(jpeg, 2, {0xFF, 0xE0, 0x00, 0x00}), "APP0 of length 0");
  expect_refused(with_inserted(jpeg, frame_at(jpeg), {0xFF, 0xE0, 0x7F, 0xFF}), "segment longer than the file");
}

TEST(PlaceholderDecoderRefusal, TruncationAtEveryOffset) {
  testing::SyntheticJpegOptions options;
  options.width = 32;
  options.height = 16;
  options.seed = 5;
  options.end_of_block_percent = 35;
  const Bytes jpeg = testing::make_synthetic_jpeg(options);
  ASSERT_TRUE(decode_with<PlaceholderDecoder>(jpeg).ok);
  RecordProperty("bytes", static_cast<int>(jpeg.size()));
  // Every prefix that lacks a byte of the entropy data is refused; the EOI
  // marker itself is never read.
  const std::size_t data_end = jpeg.size() - 2;
  for (std::size_t size = 0; size < data_end; ++size) {
    SCOPED_TRACE(size);
    expect_refused(truncated(jpeg, size), "truncated to " + std::to_string(size) + " bytes");
    if (::testing::Test::HasFailure()) return;
  }
  expect_same_picture(truncated(jpeg, data_end), jpeg, "without EOI");
  expect_same_picture(truncated(jpeg, data_end + 1), jpeg, "with half an EOI");
}

TEST(PlaceholderDecoderLimit, PictureOverTheBufferIsRefusedBeforeDecoding) {
  testing::SyntheticJpegOptions options;
  options.end_of_block_percent = 60;  // keeps the large pictures small
  options.width = 976;                // stride 2928 x 720 = 2,108,160 bytes
  options.height = 720;
  const Bytes too_wide = testing::make_synthetic_jpeg(options);
  expect_refused(too_wide, "976 x 720");
  // Complete and valid otherwise: only the size stops it.
  JpegHeader header;
  EXPECT_FALSE(parse_jpeg_header(too_wide.data(), too_wide.size(), kPlaceholderDecodeBufferSize, header));
  EXPECT_TRUE(parse_jpeg_header(too_wide.data(), too_wide.size(), dib_stride24(976) * 720, header));

  options.width = 16;
  options.height = 43216;  // 48 x 43216 = 2,074,368 bytes
  expect_refused(testing::make_synthetic_jpeg(options), "16 x 43216");
}

TEST(PlaceholderDecoderLimit, PictureThatFillsTheBufferExactlyDecodes) {
  testing::SyntheticJpegOptions options;
  options.end_of_block_percent = 60;
  for (const auto& [width, height] : {std::pair{960, 720}, std::pair{720, 960}, std::pair{16, 43200}}) {
    options.width = width;
    options.height = height;
    const Outcome outcome = decode_with<PlaceholderDecoder>(testing::make_synthetic_jpeg(options));
    EXPECT_TRUE(outcome.ok) << width << " x " << height;
    EXPECT_EQ(outcome.width, width);
    EXPECT_EQ(outcome.height, height);
    EXPECT_NE(outcome.picture.back(), testing::kSentinel);
  }
}

TEST(PlaceholderDecoderSyntax, JunkBytesAndUnknownSegmentsBetweenSegmentsAreSkipped) {
  const Bytes jpeg = small_picture();
  Bytes padded = with_inserted(jpeg, frame_at(jpeg), {0x00, 0x12, 0xFF, 0xE3, 0x00, 0x05, 0xFF, 0xD9, 0x00, 0x7F});
  padded = with_inserted(padded, scan_at(padded), {0xFF, 0xFE, 0x00, 0x02, 0x55});
  expect_same_picture(padded, jpeg, "junk and extra segments");
}

TEST(PlaceholderDecoderSyntax, EscapedAndFillBytesInTheDataStandForTheirDataBytes) {
  // A picture whose data holds stuffed 0xFF bytes.
  Bytes jpeg;
  for (std::uint32_t seed = 1; seed < 100 && jpeg.empty(); ++seed) {
    Bytes candidate = small_picture(seed, 64, 32);
    const auto data = candidate.begin() + static_cast<std::ptrdiff_t>(testing::entropy_begin(candidate));
    if (std::search_n(data, candidate.end() - 2, 1, 0xFF) != candidate.end() - 2) jpeg = std::move(candidate);
  }
  ASSERT_FALSE(jpeg.empty());
  const std::size_t begin = testing::entropy_begin(jpeg);
  Bytes escaped(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(begin));
  int stuffed = 0;
  for (std::size_t i = begin; i + 2 < jpeg.size(); ++i) {
    const std::uint8_t byte = jpeg[i];
    if (byte == 0xFF) {
      // 0xFF 0x00 -> 0xFF 0xFF 0xFF 0x00: fill bytes before the stuffed pair.
      escaped.insert(escaped.end(), {0xFF, 0xFF, 0xFF, 0x00});
      ++i;
      ++stuffed;
    } else if (byte != 0x00 && !(byte >= 0xD0 && byte <= 0xD9)) {
      escaped.insert(escaped.end(), {0xFF, byte});  // 0xFF b -> b
    } else {
      escaped.push_back(byte);
    }
  }
  escaped.insert(escaped.end(), {0xFF, 0xD9});
  ASSERT_GT(stuffed, 0);
  expect_same_picture(escaped, jpeg, "escaped data bytes");
}

TEST(PlaceholderDecoderSyntax, MarkerAfterTheLastNeededByteIsNeverRead) {
  const Bytes jpeg = small_picture();
  const std::size_t data_end = jpeg.size() - 2;
  expect_same_picture(with_inserted(jpeg, data_end, {0xFF, 0xD0}), jpeg, "restart marker after the data");
  expect_same_picture(with_inserted(jpeg, data_end, {0x12, 0x34, 0x56}), jpeg, "garbage after the data");
}

}  // namespace
}  // namespace vcam::camera
