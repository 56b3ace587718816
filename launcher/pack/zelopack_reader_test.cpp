#include "launcher/pack/zelopack_reader.h"

#include <gtest/gtest.h>

#include <malloc.h>  // malloc_usable_size, _msize

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "common/testing/scratch_folder.h"
#include "common/testing/test_bytes.h"
#include "common/text_utf.h"
#include "launcher/log/testing/log_capture.h"
#include "launcher/pack/zelopack_format.h"
#include "launcher/pack/zelopack_keystream.h"
#include "tools/pack/zelopack_writer.h"

#if defined(__SANITIZE_ADDRESS__) || defined(_WIN32)
#define VCAM_EXACT_ALLOCATION_SIZE 1
#endif

namespace vcam::launcher {
namespace {

namespace fs = std::filesystem;
using vcam::testing::bytes;
using vcam::testing::random_bytes;
using vcam::testing::text_bytes;

// Size of a malloc block: exact under AddressSanitizer and with the Windows
// runtime (HeapSize), at least the request elsewhere.
std::size_t allocated_size(void* p) {
#ifdef _WIN32
  return _msize(p);
#else
  return malloc_usable_size(p);
#endif
}

struct packed_file {
  std::u16string name;
  bytes data;
  std::uint32_t seed;
};

bytes build_pack(const std::vector<packed_file>& files) {
  tools::zelopack_writer writer;
  for (const auto& f : files) {
    std::string error;
    EXPECT_TRUE(writer.add(f.name, f.data, f.seed, &error)) << error;
  }
  bytes pack;
  std::string error;
  EXPECT_TRUE(writer.finish(pack, &error)) << error;
  return pack;
}

std::unique_ptr<_zelopack_reader> open_memory(bytes pack, const std::u16string& path = u"mem.zeloz") {
  return _zelopack_reader::open(path, memory_pack_file(std::move(pack)));
}

bytes read_all(_zelopack_reader& reader, std::u16string_view name) {
  std::uint32_t size = 0xDEADBEEF;
  pack_buffer buffer = reader.read(name, &size);
  if (!buffer) return text_bytes("<null>");
  return bytes(buffer.get(), buffer.get() + size);
}

std::uint32_t index_offset_of(const bytes& pack) {
  return zelopack::load_le32(pack.data() + pack.size() - 4) ^ zelopack::index_key;
}

void put32(bytes& pack, std::size_t at, std::uint32_t v) { zelopack::store_le32(pack.data() + at, v); }

// ---------------------------------------------------------------- round trips

TEST(ZelopackReader, EmptyAndSmallFilesRoundTrip) {
  std::vector<packed_file> files;
  for (unsigned n = 0; n <= 8; ++n) {
    files.push_back({u"f" + utf8_to_utf16(std::to_string(n)), random_bytes(n, n), 1000 + n});
  }
  log_capture capture;
  auto reader = open_memory(build_pack(files));
  ASSERT_TRUE(reader);
  EXPECT_EQ(reader->file_count(), 9u);
  for (const auto& f : files) EXPECT_EQ(read_all(*reader, f.name), f.data);
}

TEST(ZelopackReader, ChineseAndLongestNamesRoundTrip) {
  const std::u16string longest(zelopack::max_name_units, u'长');
  const std::vector<packed_file> files = {
      {u"皮肤/按钮.png", text_bytes("button"), 7},
      {u"进度窗口.xml", text_bytes("<Window/>"), 8},
      {longest, text_bytes("long"), 9},
      {u"\U0001F600.txt", text_bytes("astral"), 10},
  };
  log_capture capture;
  auto reader = open_memory(build_pack(files));
  ASSERT_TRUE(reader);
  for (const auto& f : files) EXPECT_EQ(read_all(*reader, f.name), f.data);
}

TEST(ZelopackReader, NamesAreCaseSensitive) {
  log_capture capture;
  auto reader = open_memory(build_pack({{u"font.xml", text_bytes("lower"), 1}, {u"Font.xml", text_bytes("upper"), 2}}));
  ASSERT_TRUE(reader);
  EXPECT_EQ(read_all(*reader, u"font.xml"), text_bytes("lower"));
  EXPECT_EQ(read_all(*reader, u"Font.xml"), text_bytes("upper"));
  capture.clear();
  EXPECT_EQ(reader->read(u"FONT.XML", nullptr), nullptr);
  EXPECT_EQ(capture.lines(), (std::vector<logged_line>{{600, "_zelopack_reader, failed to read,\"FONT.XML\""}}));
}

TEST(ZelopackReader, TheLaterOfTwoSameNamedEntriesIsRead) {
  log_capture capture;
  auto reader = open_memory(build_pack({{u"a.xml", text_bytes("first"), 1},
                                        {u"b.xml", text_bytes("other"), 2},
                                        {u"a.xml", text_bytes("second"), 3}}));
  ASSERT_TRUE(reader);
  EXPECT_EQ(reader->file_count(), 2u);
  EXPECT_EQ(read_all(*reader, u"a.xml"), text_bytes("second"));
}

TEST(ZelopackReader, TenThousandEntriesRoundTrip) {
  std::vector<packed_file> files;
  std::mt19937 g(42);
  for (int i = 0; i < 10000; ++i) {
    files.push_back({u"file_" + utf8_to_utf16(std::to_string(i)) + u".bin", random_bytes(g() % 40, i),
                     static_cast<std::uint32_t>(g())});
  }
  log_capture capture;
  auto reader = open_memory(build_pack(files));
  ASSERT_TRUE(reader);
  ASSERT_EQ(reader->file_count(), 10000u);
  for (const auto& f : files) ASSERT_EQ(read_all(*reader, f.name), f.data);
}

TEST(ZelopackReader, DataIsScrambledWithTheEntryKeystream) {
  const bytes plain = text_bytes("<?xml version=\"1.0\"?><Window/>");
  const bytes pack = build_pack({{u"w.xml", plain, 0x12345678}});
  // The stored bytes are the file XOR std::mt19937(seed), word by word.
  std::mt19937 g(0x12345678);
  for (std::size_t i = 0; i + 4 <= plain.size(); i += 4) {
    const std::uint32_t k = static_cast<std::uint32_t>(g());
    EXPECT_EQ(zelopack::load_le32(pack.data() + i), zelopack::load_le32(plain.data() + i) ^ k) << i;
  }
  // The index names are scrambled too: the plain name appears nowhere.
  const bytes name = {'w', 0, '.', 0, 'x', 0, 'm', 0, 'l', 0};
  EXPECT_EQ(std::search(pack.begin(), pack.end(), name.begin(), name.end()), pack.end());
}

// ---------------------------------------------------------------- buffers

void expect_padding(std::size_t file_size, std::size_t buffer_size) {
  SCOPED_TRACE(file_size);
  log_capture capture;
  const bytes data = random_bytes(file_size, 3);
  auto reader = open_memory(build_pack({{u"x", data, 77}}));
  ASSERT_TRUE(reader);
  std::uint32_t size = 0xDEADBEEF;
  pack_buffer buffer = reader->read(u"x", &size);
  ASSERT_TRUE(buffer);
  EXPECT_EQ(size, file_size);
  EXPECT_TRUE(std::equal(data.begin(), data.end(), buffer.get()));
#ifdef VCAM_EXACT_ALLOCATION_SIZE
  EXPECT_EQ(allocated_size(buffer.get()), buffer_size);
#else
  EXPECT_GE(allocated_size(buffer.get()), buffer_size);
#endif
  for (std::size_t i = file_size; i < buffer_size; ++i) EXPECT_EQ(buffer[i], 0) << i;
}

TEST(ZelopackReaderBuffer, ZeroBytesGiveFourZeroBytes) { expect_padding(0, 4); }
TEST(ZelopackReaderBuffer, FiveBytesGiveTwelve) { expect_padding(5, 12); }
TEST(ZelopackReaderBuffer, EightBytesGiveTwelve) { expect_padding(8, 12); }
TEST(ZelopackReaderBuffer, SevenBytesGiveEleven) { expect_padding(7, 12); }
TEST(ZelopackReaderBuffer, FourBytesGiveEight) { expect_padding(4, 8); }

TEST(ZelopackReaderBuffer, TextFilesEndInANul) {
  log_capture capture;
  auto reader = open_memory(build_pack({{u"font.xml", text_bytes("\xEF\xBB\xBF<Fonts/>"), 5}}));
  pack_buffer buffer = reader->read(u"font.xml", nullptr);
  ASSERT_TRUE(buffer);
  EXPECT_STREQ(reinterpret_cast<const char*>(buffer.get()), "\xEF\xBB\xBF<Fonts/>");
}

// ---------------------------------------------------------------- log lines

TEST(ZelopackReaderLog, OpenDumpsTheDirectoryInNameOrder) {
  log_capture capture;
  const bytes pack = build_pack({{u"b.xml", text_bytes("12345"), 4294967295u},
                                 {u"a.xml", text_bytes("abc"), 17},
                                 {u"按钮.png", bytes{}, 0}});
  auto reader = open_memory(pack, u"C:\\Zelo\\resource\\frame_pro.zeloz");
  ASSERT_TRUE(reader);
  const std::string rule(56, '/');
  EXPECT_EQ(capture.lines(), (std::vector<logged_line>{
                                 {600, rule},
                                 {600, "_zelopack_reader dump start,\"C:\\Zelo\\resource\\frame_pro.zeloz\""},
                                 {600, "\"a.xml\",3,8,17"},
                                 {600, "\"b.xml\",5,0,4294967295"},
                                 {600, "\"按钮.png\",0,12,0"},
                                 {600, "_zelopack_reader dump finish,\"C:\\Zelo\\resource\\frame_pro.zeloz\",3"},
                                 {600, rule},
                             }));
}

TEST(ZelopackReaderLog, AnIndexStartingWithAZeroWordOpensEmpty) {
  bytes pack(64, 0);
  put32(pack, 60, 40 ^ zelopack::index_key);  // index at 40: a zero word
  log_capture capture;
  auto reader = open_memory(pack, u"empty.zeloz");
  ASSERT_TRUE(reader);
  EXPECT_EQ(reader->file_count(), 0u);
  capture.clear();
  EXPECT_EQ(reader->read(u"font.xml", nullptr), nullptr);
  EXPECT_EQ(capture.texts(), std::vector<std::string>{"_zelopack_reader, failed to read,\"font.xml\""});
}

TEST(ZelopackReaderLog, AnEmptyPackFromTheWriterOpens) {
  log_capture capture;
  const bytes pack = build_pack({});
  EXPECT_EQ(pack.size(), 64u);
  auto reader = open_memory(pack);
  ASSERT_TRUE(reader);
  EXPECT_EQ(reader->file_count(), 0u);
}

// ---------------------------------------------------------------- refusals

// Opens `pack` and expects exactly the location line of `number` and no reader.
void expect_refusal(const bytes& pack, int number) {
  log_capture capture;
  EXPECT_EQ(open_memory(pack), nullptr);
  EXPECT_EQ(capture.lines(), (std::vector<logged_line>{
                                 {300, "zelopack_reader - _zelopack_reader::initialize, " + std::to_string(number)}}));
}

bytes one_entry_pack() {
  return build_pack({{u"layout.xml", text_bytes("<Window size=\"100,100\"/>"), 99}});
}

TEST(ZelopackReaderRefusal, MissingFileIs33) {
  log_capture capture;
  EXPECT_EQ(_zelopack_reader::open((fs::temp_directory_path() / "vcam_no_such.zeloz").u16string()), nullptr);
  EXPECT_EQ(capture.texts(), std::vector<std::string>{"zelopack_reader - _zelopack_reader::initialize, 33"});
}

TEST(ZelopackReaderRefusal, SixtyThreeBytesIs36) {
  bytes pack(63, 0);
  put32(pack, 59, 32 ^ zelopack::index_key);
  expect_refusal(pack, 36);
  expect_refusal(bytes{}, 36);
}

TEST(ZelopackReaderRefusal, TrailerOffsetNotAMultipleOfFourIs42) {
  bytes pack(64, 0);
  put32(pack, 60, 38 ^ zelopack::index_key);
  expect_refusal(pack, 42);
}

TEST(ZelopackReaderRefusal, IndexTooCloseToTheEndIs42) {
  bytes pack(64, 0);
  put32(pack, 60, 44 ^ zelopack::index_key);  // 44 + 24 > 64
  expect_refusal(pack, 42);
  put32(pack, 60, 0xFFFFFFFCu ^ zelopack::index_key);  // would wrap in 32 bits
  expect_refusal(pack, 42);
  put32(pack, 60, 40 ^ zelopack::index_key);  // 40 + 24 == 64 is fine
  log_capture capture;
  EXPECT_TRUE(open_memory(pack));
}

TEST(ZelopackReaderRefusal, EntryLengthNotAMultipleOfFourIs54) {
  bytes pack = one_entry_pack();
  for (const std::uint32_t length : {274u, 277u, 21u, 1u, 0x80000001u}) {
    SCOPED_TRACE(length);
    put32(pack, index_offset_of(pack), length);
    expect_refusal(pack, 54);
  }
}

TEST(ZelopackReaderRefusal, EntryLength276IsAMultipleOfFourAndTooLongSo56) {
  // 276 = 69 x 4 passes the multiple-of-4 check and fails the range check.
  bytes pack = one_entry_pack();
  put32(pack, index_offset_of(pack), 276);
  expect_refusal(pack, 56);
}

TEST(ZelopackReaderRefusal, EntryLength16Is56) {
  bytes pack = one_entry_pack();
  put32(pack, index_offset_of(pack), 16);
  expect_refusal(pack, 56);
  put32(pack, index_offset_of(pack), 4);
  expect_refusal(pack, 56);
  put32(pack, index_offset_of(pack), 0xFFFFFFFCu);
  expect_refusal(pack, 56);
}

TEST(ZelopackReaderRefusal, DataOffsetNotAMultipleOfFourIs58) {
  bytes pack = one_entry_pack();
  put32(pack, index_offset_of(pack) + 8, 2);
  expect_refusal(pack, 58);
}

TEST(ZelopackReaderRefusal, DataPastTheIndexIs60) {
  bytes pack = one_entry_pack();
  const std::uint32_t index = index_offset_of(pack);
  put32(pack, index + 12, index + 1);  // offset 0 + size reaches into the index
  expect_refusal(pack, 60);
  put32(pack, index + 8, 0xFFFFFFF0u);  // offset + size would wrap in 32 bits
  put32(pack, index + 12, 0x20);
  expect_refusal(pack, 60);
}

TEST(ZelopackReaderRefusal, EntryPastTheIndexIs62) {
  bytes pack = one_entry_pack();
  put32(pack, index_offset_of(pack), 272);
  expect_refusal(pack, 62);
}

TEST(ZelopackReaderRefusal, EntryWithoutRoomForTheNextLengthWordIs62) {
  // One entry of 20 bytes filling the index exactly: no terminating word.
  bytes pack(64, 0);
  const std::uint32_t index = 40;
  put32(pack, 60, index ^ zelopack::index_key);
  put32(pack, index, 20);
  put32(pack, index + 16, 0x00000041u ^ zelopack::index_key);  // "A", NUL
  expect_refusal(pack, 62);
}

TEST(ZelopackReaderRefusal, EntryHeaderCutByTheIndexEndIs62) {
  // A second entry starts 4 bytes before the index end: its fields would lie
  // beyond the index, so it fails before they are read.
  bytes pack(72, 0);
  const std::uint32_t index = 44;  // index length 24
  put32(pack, 68, index ^ zelopack::index_key);
  put32(pack, index, 20);
  put32(pack, index + 16, 0x00000041u ^ zelopack::index_key);
  put32(pack, index + 20, 20);
  expect_refusal(pack, 62);
}

TEST(ZelopackReaderRefusal, NameFieldWithoutAZeroLastByteIs71) {
  bytes pack = one_entry_pack();
  const std::uint32_t index = index_offset_of(pack);
  const std::uint32_t length = zelopack::load_le32(pack.data() + index);
  pack[index + length - 1] ^= 0x01;
  expect_refusal(pack, 71);
}

TEST(ZelopackReaderRefusal, AFaultInAnyLaterEntryRefusesTheWholePack) {
  bytes pack = build_pack({{u"a", text_bytes("a"), 1}, {u"b", text_bytes("b"), 2}, {u"c", text_bytes("c"), 3}});
  const std::uint32_t index = index_offset_of(pack);
  put32(pack, index + 40 + 8, 6);  // third entry's data offset
  expect_refusal(pack, 58);
}

TEST(ZelopackReaderRefusal, ANameFillingItsFieldIsTakenWhole) {
  // "AB" without a terminator still ends in a zero byte ('B' is 42 00).
  bytes pack(64, 0);
  const std::uint32_t index = 36;
  put32(pack, 60, index ^ zelopack::index_key);
  put32(pack, index, 20);
  put32(pack, index + 16, 0x00420041u ^ zelopack::index_key);
  log_capture capture;
  auto reader = open_memory(pack);
  ASSERT_TRUE(reader);
  EXPECT_TRUE(reader->contains(u"AB"));
}

// A file whose reads fail from the `fail_from`-th on (1-based).
class failing_file : public pack_file {
 public:
  failing_file(bytes content, int fail_from) : inner_(memory_pack_file(std::move(content))), fail_from_(fail_from) {}
  bool size(std::uint32_t& n) override { return inner_->size(n); }
  bool read_at(std::uint32_t offset, void* buffer, std::uint32_t count) override {
    if (++reads_ >= fail_from_) return false;
    return inner_->read_at(offset, buffer, count);
  }

 private:
  std::unique_ptr<pack_file> inner_;
  int fail_from_;
  int reads_ = 0;
};

TEST(ZelopackReaderRefusal, FailingTrailerReadIs39AndIndexReadIs45) {
  for (const auto& [from, number] : {std::pair{1, 39}, std::pair{2, 45}}) {
    log_capture capture;
    EXPECT_EQ(_zelopack_reader::open(u"x", std::make_unique<failing_file>(one_entry_pack(), from)), nullptr);
    EXPECT_EQ(capture.texts(),
              std::vector<std::string>{"zelopack_reader - _zelopack_reader::initialize, " + std::to_string(number)});
  }
}

TEST(ZelopackReaderRefusal, AFailingFileReadIs96AndOnlyThatReadFails) {
  log_capture capture;
  auto reader = _zelopack_reader::open(u"x", std::make_unique<failing_file>(one_entry_pack(), 3));
  ASSERT_TRUE(reader);
  capture.clear();
  EXPECT_EQ(reader->read(u"layout.xml", nullptr), nullptr);
  EXPECT_EQ(capture.lines(), (std::vector<logged_line>{{300, "zelopack_reader - _zelopack_reader::read, 96"}}));
}

TEST(ZelopackReaderRefusal, AFailedInitializeLeavesNoDirectory) {
  log_capture capture;
  _zelopack_reader reader;
  ASSERT_TRUE(reader.initialize(u"ok", memory_pack_file(one_entry_pack())));
  EXPECT_EQ(reader.file_count(), 1u);
  bytes bad = one_entry_pack();
  put32(bad, index_offset_of(bad), 16);
  EXPECT_FALSE(reader.initialize(u"bad", memory_pack_file(bad)));
  EXPECT_EQ(reader.file_count(), 0u);
  EXPECT_EQ(reader.read(u"layout.xml", nullptr), nullptr);
}

// ---------------------------------------------------------------- files on disk

class ZelopackReaderFile : public ::testing::Test {
 protected:
  std::u16string write(const std::u16string& name, const bytes& content) {
    const fs::path p = dir_ / fs::path(name);
    vcam::testing::write_bytes(p, content);
    return p.u16string();
  }
  vcam::testing::ScratchFolder dir_{"vcam_zelopack_"};
};

TEST_F(ZelopackReaderFile, ReadsFilesFromAPackOnDisk) {
  const bytes big = random_bytes(300000, 5);
  const std::u16string path = write(u"风格_pro.zeloz", build_pack({{u"big.bin", big, 1}, {u"t.xml", text_bytes("<a/>"), 2}}));
  log_capture capture;
  auto reader = _zelopack_reader::open(path);
  ASSERT_TRUE(reader);
  EXPECT_EQ(reader->path(), path);
  EXPECT_EQ(read_all(*reader, u"big.bin"), big);
  EXPECT_EQ(read_all(*reader, u"t.xml"), text_bytes("<a/>"));
  EXPECT_EQ(read_all(*reader, u"big.bin"), big) << "reads seek, so order does not matter";
}

#ifndef _WIN32
// On Windows the pack is shared for reading only, so nobody can cut it while
// it is open (win/win_pack_file_test.cpp); elsewhere it can be cut.
TEST_F(ZelopackReaderFile, AFileCutShortAfterOpeningFailsWith96) {
  const std::u16string path = write(u"cut.zeloz", build_pack({{u"a", random_bytes(1000, 1), 1}, {u"b", random_bytes(1000, 2), 2}}));
  log_capture capture;
  auto reader = _zelopack_reader::open(path);
  ASSERT_TRUE(reader);
  fs::resize_file(fs::path(path), 1500);
  capture.clear();
  EXPECT_EQ(read_all(*reader, u"a"), random_bytes(1000, 1));
  EXPECT_EQ(reader->read(u"b", nullptr), nullptr);
  EXPECT_EQ(capture.texts(), std::vector<std::string>{"zelopack_reader - _zelopack_reader::read, 96"});
}
#endif

TEST(ZelopackKeystream, MatchesTheStandardMersenneTwister) {
  for (const std::uint32_t seed : {0u, 1u, 5489u, 0x5B3E91C7u, 0xFFFFFFFFu}) {
    bytes buffer(4 * 2000, 0);
    zelopack::apply_keystream(buffer.data(), 2000, seed);
    std::mt19937 g(seed);
    for (std::size_t i = 0; i < 2000; ++i) {
      ASSERT_EQ(zelopack::load_le32(buffer.data() + 4 * i), static_cast<std::uint32_t>(g())) << seed << " " << i;
    }
  }
  // The 10000th output of std::mt19937 seeded with 5489 is fixed by the C++ standard.
  bytes buffer(4 * 10000, 0);
  zelopack::apply_keystream(buffer.data(), 10000, 5489);
  EXPECT_EQ(zelopack::load_le32(buffer.data() + 4 * 9999), 4123659995u);
}

TEST(ZelopackKeystream, EveryCodePathMatchesAcrossBlockEdgesOddLengthsAndUnalignedBuffers) {
  using zelopack::keystream_path;
  int paths_run = 0;
  for (const keystream_path path : {keystream_path::portable, keystream_path::sse2, keystream_path::avx2}) {
    for (const std::size_t words : {0u, 1u, 3u, 4u, 7u, 8u, 9u, 226u, 227u, 228u, 623u, 624u, 625u, 1248u, 1249u, 5003u}) {
      const bytes plain = random_bytes(4 * words + 1, static_cast<unsigned>(words));
      bytes buffer = plain;
      if (!zelopack::apply_keystream_on(path, buffer.data() + 1, words, 0xC0FFEEu + words)) break;
      std::mt19937 g(0xC0FFEEu + static_cast<std::uint32_t>(words));
      EXPECT_EQ(buffer[0], plain[0]);
      for (std::size_t i = 0; i < words; ++i) {
        ASSERT_EQ(zelopack::load_le32(buffer.data() + 1 + 4 * i),
                  zelopack::load_le32(plain.data() + 1 + 4 * i) ^ static_cast<std::uint32_t>(g()))
            << "path " << static_cast<int>(path) << ", " << words << " words, word " << i;
      }
      if (words == 5003u) ++paths_run;
    }
  }
#if defined(__i386__) || defined(__x86_64__)
  EXPECT_GE(paths_run, 2) << "the portable path and SSE2 at least";
#else
  EXPECT_GE(paths_run, 1);
#endif
}

}  // namespace
}  // namespace vcam::launcher
