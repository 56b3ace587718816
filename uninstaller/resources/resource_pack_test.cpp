#include "uninstaller/resources/resource_pack.h"

#include <gtest/gtest.h>
#include <lzma.h>

#include <string>
#include <vector>

#include "common/testing/test_bytes.h"
#include "tools/pack/resource_pack_writer.h"
#include "uninstaller/resources/resource_pack_format.h"

namespace vcam::uninstaller {
namespace {

namespace fmt = resource_pack_format;
using vcam::testing::bytes;
using vcam::testing::random_bytes;
using vcam::testing::text_bytes;

// Text that compresses well, like layouts and scripts.
bytes layout_text(std::size_t n) {
  std::string s;
  for (int i = 0; s.size() < n; ++i) s += "<Button name=\"b" + std::to_string(i) + "\" style=\"btn.xml\"/>\r\n";
  s.resize(n);
  return text_bytes(s);
}

struct file {
  std::u16string name;
  bytes data;
  bool compress;
};

bytes build_container(const std::vector<file>& files) {
  tools::resource_pack_writer writer;
  for (const auto& f : files) {
    std::string error;
    EXPECT_TRUE(writer.add(f.name, f.data, f.compress, &error)) << error;
  }
  bytes out;
  std::string error;
  EXPECT_TRUE(writer.finish(out, &error)) << error;
  return out;
}

bytes extract(const ResourcePack& pack, std::u16string_view name) {
  std::size_t size = 12345;
  ResourceBuffer b = pack.extract(name, &size);
  if (!b) return text_bytes("<null>");
  // Four zero bytes follow every extracted file.
  for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(b[size + i], 0) << "byte " << i << " after the data";
  return bytes(b.get(), b.get() + size);
}

ResourcePack::Entry entry_of(const ResourcePack& pack, const std::u16string& name) {
  ResourcePack::Entry found{};
  pack.for_each([&](const std::u16string& n, const ResourcePack::Entry& e) {
    if (n == name) found = e;
  });
  return found;
}

std::uint32_t directory_of(const bytes& c) { return fmt::load_le32(c.data() + c.size() - 4) ^ fmt::index_key; }

// ---------------------------------------------------------------- round trips

TEST(ResourcePack, StoredAndCompressedEntriesRoundTrip) {
  const std::vector<file> files = {
      {u"mainframe.xml", layout_text(20000), true},
      {u"noise.bin", random_bytes(5000, 1), true},  // does not shrink: stored
      {u"UI.lua", text_bytes("print('hi')"), false},
      {u"empty.txt", {}, true},
      {u"one", {0x42}, true},
      {u"图片/按钮.png", layout_text(3000), true},
  };
  const bytes c = build_container(files);
  const ResourcePack pack = ResourcePack::build(c.data(), c.size());
  EXPECT_EQ(pack.size(), files.size());
  for (const auto& f : files) EXPECT_EQ(extract(pack, f.name), f.data);

  EXPECT_GT(entry_of(pack, u"mainframe.xml").unpacked_size, 0u) << "compressed";
  EXPECT_LT(entry_of(pack, u"mainframe.xml").stored_size, 20000u);
  EXPECT_EQ(entry_of(pack, u"noise.bin").unpacked_size, 0u) << "stored: compression would not shrink it";
  EXPECT_EQ(entry_of(pack, u"empty.txt").unpacked_size, 0u);
}

TEST(ResourcePack, ALargeCompressedEntryRoundTrips) {
  const bytes big = layout_text(3 << 20);
  const bytes c = build_container({{u"big.xml", big, true}});
  const ResourcePack pack = ResourcePack::build(c.data(), c.size());
  EXPECT_EQ(extract(pack, u"big.xml"), big);
}

TEST(ResourcePack, CompressedEntriesCarryTheFixedPropertiesAndNoEndMarker) {
  const bytes data = layout_text(10000);
  const bytes c = build_container({{u"a.xml", data, true}});
  const ResourcePack pack = ResourcePack::build(c.data(), c.size());
  const auto e = entry_of(pack, u"a.xml");
  ASSERT_EQ(e.unpacked_size, data.size());
  EXPECT_EQ(bytes(c.begin() + e.offset, c.begin() + e.offset + 5), (bytes{0x5D, 0x00, 0x00, 0x00, 0x04}));

  // A standard ".lzma" decoder, given the size in its header, reads the same
  // stream: properties, 64-bit size, stream.
  bytes alone(c.begin() + e.offset, c.begin() + e.offset + 5);
  for (int i = 0; i < 8; ++i) alone.push_back(static_cast<unsigned char>(std::uint64_t{data.size()} >> (8 * i)));
  alone.insert(alone.end(), c.begin() + e.offset + 5, c.begin() + e.offset + e.stored_size);
  lzma_stream s = LZMA_STREAM_INIT;
  ASSERT_EQ(lzma_alone_decoder(&s, UINT64_MAX), LZMA_OK);
  bytes out(data.size() + 16);
  s.next_in = alone.data();
  s.avail_in = alone.size();
  s.next_out = out.data();
  s.avail_out = out.size();
  const lzma_ret ret = lzma_code(&s, LZMA_FINISH);
  EXPECT_EQ(ret, LZMA_STREAM_END);
  EXPECT_EQ(s.total_out, data.size());
  EXPECT_EQ(s.avail_in, 0u) << "the whole stream is used: nothing follows the data, no end marker";
  lzma_end(&s);
  out.resize(data.size());
  EXPECT_EQ(out, data);
}

TEST(ResourcePack, TheLaterOfTwoSameNamedRecordsWins) {
  const bytes c = build_container(
      {{u"font.xml", text_bytes("first"), false}, {u"x", text_bytes("x"), false}, {u"font.xml", layout_text(900), true}});
  const ResourcePack pack = ResourcePack::build(c.data(), c.size());
  EXPECT_EQ(pack.size(), 2u);
  EXPECT_EQ(extract(pack, u"font.xml"), layout_text(900));
}

TEST(ResourcePack, NamesAreCaseSensitive) {
  const bytes c = build_container({{u"font.xml", text_bytes("fonts"), false}});
  const ResourcePack pack = ResourcePack::build(c.data(), c.size());
  EXPECT_TRUE(pack.contains(u"font.xml"));
  EXPECT_EQ(pack.extract(u"Font.xml", nullptr), nullptr);
  EXPECT_EQ(pack.extract(u"font.xm", nullptr), nullptr);
  EXPECT_EQ(pack.extract(u"", nullptr), nullptr);
}

TEST(ResourcePack, AnUnpackedSizeOfZeroIsReturnedAsStored) {
  // Stored bytes that happen to look like LZMA properties are not decoded.
  const bytes looks_compressed = {0x5D, 0x00, 0x00, 0x00, 0x04, 1, 2, 3};
  const bytes c = build_container({{u"raw", looks_compressed, false}});
  const ResourcePack pack = ResourcePack::build(c.data(), c.size());
  EXPECT_EQ(extract(pack, u"raw"), looks_compressed);
}

TEST(ResourcePack, NameFieldsAreScrambledWithTheIndexKey) {
  const bytes c = build_container({{u"ab", text_bytes("x"), false}});
  const std::uint32_t directory = directory_of(c);
  EXPECT_EQ(directory, 1u);
  EXPECT_EQ(fmt::load_le32(c.data() + directory), 24u) << "16 + \"ab\" + NUL padded to 8";
  EXPECT_EQ(fmt::load_le32(c.data() + directory + 16), 0x00620061u ^ fmt::index_key);
  EXPECT_EQ(fmt::load_le32(c.data() + directory + 20), 0u ^ fmt::index_key);
  EXPECT_EQ(fmt::load_le32(c.data() + directory + 24), 0u) << "end of the directory";
}

TEST(ResourcePack, ANameFillingItsWholeFieldEndsAtTheField) {
  bytes c = {'x', 0, 0, 0};  // data, then a record, the end word and the trailer
  const std::uint32_t directory = 4;
  c.resize(4 + 20 + 4 + 4, 0);
  fmt::store_le32(c.data() + directory, 20);
  fmt::store_le32(c.data() + directory + 4, 0);
  fmt::store_le32(c.data() + directory + 8, 1);
  fmt::store_le32(c.data() + directory + 16, 0x00440043u ^ fmt::index_key);  // "CD", no NUL
  fmt::store_le32(c.data() + c.size() - 4, directory ^ fmt::index_key);
  const ResourcePack pack = ResourcePack::build(c.data(), c.size());
  EXPECT_EQ(extract(pack, u"CD"), text_bytes("x"));
}

// ---------------------------------------------------------------- damage

TEST(ResourcePackDamage, NoBufferOrATinyOneGivesAnEmptyIndex) {
  EXPECT_EQ(ResourcePack::build(nullptr, 0).size(), 0u);
  const unsigned char three[3] = {1, 2, 3};
  EXPECT_EQ(ResourcePack::build(three, 3).size(), 0u);
  EXPECT_EQ(ResourcePack().extract(u"x", nullptr), nullptr);
}

TEST(ResourcePackDamage, ADirectoryOffsetPastTheEndGivesAnEmptyIndex) {
  bytes c = build_container({{u"a", text_bytes("a"), false}});
  fmt::store_le32(c.data() + c.size() - 4, static_cast<std::uint32_t>(c.size() - 3) ^ fmt::index_key);
  EXPECT_EQ(ResourcePack::build(c.data(), c.size()).size(), 0u);
  fmt::store_le32(c.data() + c.size() - 4, 0xFFFFFFFFu ^ fmt::index_key);
  EXPECT_EQ(ResourcePack::build(c.data(), c.size()).size(), 0u);
}

TEST(ResourcePackDamage, ARecordPastTheEndStopsTheIndexThereAndKeepsTheEarlierOnes) {
  bytes c = build_container({{u"a", text_bytes("aa"), false}, {u"b", text_bytes("bb"), false}});
  const std::uint32_t directory = directory_of(c);
  fmt::store_le32(c.data() + directory + 20, 0x1000);  // second record's length
  const ResourcePack pack = ResourcePack::build(c.data(), c.size());
  EXPECT_EQ(pack.size(), 1u);
  EXPECT_EQ(extract(pack, u"a"), text_bytes("aa"));
  EXPECT_FALSE(pack.contains(u"b"));
}

TEST(ResourcePackDamage, RecordLengthsShorterThanAHeaderOrUnalignedStopTheIndex) {
  for (const std::uint32_t length : {4u, 12u, 18u, 21u}) {
    bytes c = build_container({{u"a", text_bytes("aa"), false}});
    fmt::store_le32(c.data() + directory_of(c), length);
    EXPECT_EQ(ResourcePack::build(c.data(), c.size()).size(), 0u) << length;
  }
}

TEST(ResourcePackDamage, ADirectoryWithoutItsEndWordStopsAtTheTrailer) {
  bytes c = build_container({{u"a", text_bytes("aa"), false}});
  // Drop the end word: the record is followed directly by the trailer.
  const std::uint32_t trailer = fmt::load_le32(c.data() + c.size() - 4);
  c.resize(c.size() - 8);
  c.resize(c.size() + 4);
  fmt::store_le32(c.data() + c.size() - 4, trailer);
  const ResourcePack pack = ResourcePack::build(c.data(), c.size());
  EXPECT_EQ(extract(pack, u"a"), text_bytes("aa"));
}

TEST(ResourcePackDamage, DataOutsideTheDataAreaExtractsAsNull) {
  bytes c = build_container({{u"a", text_bytes("aaaa"), false}, {u"b", text_bytes("bbbb"), false}});
  const std::uint32_t directory = directory_of(c);
  fmt::store_le32(c.data() + directory + 4, directory - 2);  // a: offset runs into the directory
  fmt::store_le32(c.data() + directory + 20 + 8, 0xFFFFFFFFu);  // b: stored size past everything
  const ResourcePack pack = ResourcePack::build(c.data(), c.size());
  EXPECT_EQ(pack.size(), 2u);
  EXPECT_EQ(pack.extract(u"a", nullptr), nullptr);
  EXPECT_EQ(pack.extract(u"b", nullptr), nullptr);
  fmt::store_le32(c.data() + directory + 4, 0xFFFFFFF0u);  // offset beyond the container
  EXPECT_EQ(ResourcePack::build(c.data(), c.size()).extract(u"a", nullptr), nullptr);
}

bytes compressed_container(const bytes& data) { return build_container({{u"x", data, true}}); }

TEST(ResourcePackDamage, ACutStreamExtractsAsNull) {
  const bytes data = layout_text(50000);
  bytes c = compressed_container(data);
  const std::uint32_t directory = directory_of(c);
  const std::uint32_t stored = fmt::load_le32(c.data() + directory + 8);
  fmt::store_le32(c.data() + directory + 8, stored / 2);
  EXPECT_EQ(ResourcePack::build(c.data(), c.size()).extract(u"x", nullptr), nullptr);
  fmt::store_le32(c.data() + directory + 8, 4);  // not even the properties
  EXPECT_EQ(ResourcePack::build(c.data(), c.size()).extract(u"x", nullptr), nullptr);
}

TEST(ResourcePackDamage, AnUnpackedSizeBeyondTheStreamExtractsAsNull) {
  bytes c = compressed_container(layout_text(50000));
  fmt::store_le32(c.data() + directory_of(c) + 12, 50001);
  EXPECT_EQ(ResourcePack::build(c.data(), c.size()).extract(u"x", nullptr), nullptr);
}

TEST(ResourcePackDamage, AShorterUnpackedSizeStopsTheDecoderThere) {
  // The decoder never writes past the size it is given; a size that ends
  // mid-stream is damage, not a short file.
  bytes c = compressed_container(layout_text(50000));
  fmt::store_le32(c.data() + directory_of(c) + 12, 1000);
  EXPECT_EQ(ResourcePack::build(c.data(), c.size()).extract(u"x", nullptr), nullptr);
}

TEST(ResourcePackDamage, InvalidPropertiesOrAHugeSizeExtractAsNull) {
  bytes c = compressed_container(layout_text(5000));
  const ResourcePack::Entry e = entry_of(ResourcePack::build(c.data(), c.size()), u"x");
  bytes bad_props = c;
  bad_props[e.offset] = 0xFF;  // lc/lp/pb beyond their ranges
  EXPECT_EQ(ResourcePack::build(bad_props.data(), bad_props.size()).extract(u"x", nullptr), nullptr);
  bytes huge = c;
  fmt::store_le32(huge.data() + directory_of(huge) + 12, ResourcePack::max_unpacked_size + 1);
  EXPECT_EQ(ResourcePack::build(huge.data(), huge.size()).extract(u"x", nullptr), nullptr);
}

TEST(ResourcePackDamage, FlippedStreamBytesNeverCrash) {
  const bytes data = layout_text(8000);
  const bytes c = compressed_container(data);
  const ResourcePack::Entry e = entry_of(ResourcePack::build(c.data(), c.size()), u"x");
  int nulls = 0;
  for (std::uint32_t i = 5; i < e.stored_size; i += 7) {
    bytes damaged = c;
    damaged[e.offset + i] ^= 0x5A;
    std::size_t size = 0;
    ResourceBuffer b = ResourcePack::build(damaged.data(), damaged.size()).extract(u"x", &size);
    if (!b) {
      ++nulls;
    } else {
      EXPECT_EQ(size, data.size()) << "a stream that decodes yields exactly the unpacked size";
    }
  }
  EXPECT_GT(nulls, 0) << "most damage is detected by the decoder";
}

}  // namespace
}  // namespace vcam::uninstaller
