#include "launcher/assets/md5_digest.h"

#include <gtest/gtest.h>

#include <utility>

namespace vcam::launcher {
namespace {

// The test suite of RFC 1321, appendix A.5.
const std::pair<const char*, const char16_t*> kRfc1321[] = {
    {"", u"d41d8cd98f00b204e9800998ecf8427e"},
    {"a", u"0cc175b9c0f1b6a831c399e269772661"},
    {"abc", u"900150983cd24fb0d6963f7d28e17f72"},
    {"message digest", u"f96b697d7cb7938d525a2f31aaf161d0"},
    {"abcdefghijklmnopqrstuvwxyz", u"c3fcd3d76192e4007dfb496cca67e13b"},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", u"d174ab98d277d9f5a5611c2c9f419d9f"},
    {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
     u"57edf4a22be3c955ac49da2e2107b67a"},
};

TEST(Md5Digest, MatchesTheRfc1321TestSuite) {
  for (const auto& [message, digest] : kRfc1321) EXPECT_EQ(md5_hex(message), digest) << message;
}

TEST(Md5Digest, PiecesOfAnySizeGiveTheSameDigest) {
  for (const auto& [message, digest] : kRfc1321) {
    const std::string_view m(message);
    for (std::size_t piece : {1u, 3u, 63u, 64u, 65u}) {
      md5_digest d;
      for (std::size_t at = 0; at < m.size(); at += piece) {
        const std::string_view part = m.substr(at, piece);
        d.update(part.data(), part.size());
      }
      d.update(nullptr, 0);
      EXPECT_EQ(d.finish_hex(), digest) << message << " in pieces of " << piece;
    }
  }
}

TEST(Md5Digest, AMillionLettersA) {
  const std::string million(1'000'000, 'a');
  EXPECT_EQ(md5_hex(million), u"7707d6ae4e027c70eea2a935c2296f21");
}

TEST(Md5Digest, BytesAboveSevenBitsAndZeroBytesCount) {
  EXPECT_EQ(md5_hex(std::string_view("\0", 1)), u"93b885adfe0da089cdf634904fd59f71");
  EXPECT_EQ(md5_hex("\xff"), u"00594fd4f42ba43fc1ca0427a0576295");
}

TEST(Md5Digest, AFinishedDigestGivesNothingMore) {
  md5_digest d;
  d.update("abc", 3);
  EXPECT_EQ(d.finish_hex(), u"900150983cd24fb0d6963f7d28e17f72");
  EXPECT_FALSE(d.valid());
  d.update("abc", 3);
  EXPECT_EQ(d.finish_hex(), u"");
}

}  // namespace
}  // namespace vcam::launcher
