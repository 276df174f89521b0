// SHA-256: the published vectors, the same digest however the bytes are cut, and whole files
// against the system's sha256sum.
#include "format/sha256.h"

#include <gtest/gtest.h>

#include <string>

#include "test_support.h"

namespace pcn {
namespace {

struct Vector {
  std::string message;
  const char* digest;
};

// FIPS 180-2's examples, and the two-block message of the later NIST examples, which ends
// in the second block past its length field's place.
const Vector kVectors[] = {
    {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
    {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
    {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
     "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
    {"abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlm"
     "nopqrsmnopqrstnopqrstu",
     "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
    {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
};

std::string InPieces(const std::string& message, std::size_t piece) {
  Sha256 sha;
  for (std::size_t at = 0; at < message.size(); at += piece) {
    sha.Add(std::string_view(message).substr(at, piece));
  }
  return sha.Hex();
}

TEST(Sha256, PublishedVectors) {
  for (const Vector& v : kVectors) {
    SCOPED_TRACE(v.message.substr(0, 20));
    Sha256 sha;
    sha.Add(v.message);
    EXPECT_EQ(sha.Hex(), v.digest);
  }
}

TEST(Sha256, PiecesOfEverySizeAcrossTheBlockEdge) {
  const Vector& twoBlocks = kVectors[3];
  for (std::size_t piece = 1; piece <= twoBlocks.message.size() + 1; ++piece) {
    EXPECT_EQ(InPieces(twoBlocks.message, piece), twoBlocks.digest) << "pieces of " << piece;
  }
  // One cut anywhere: the first piece fills a block partly, exactly, or more than one.
  for (std::size_t cut = 0; cut <= twoBlocks.message.size(); ++cut) {
    Sha256 sha;
    sha.Add(std::string_view(twoBlocks.message).substr(0, cut));
    sha.Add(std::string_view(twoBlocks.message).substr(cut));
    EXPECT_EQ(sha.Hex(), twoBlocks.digest) << "cut at " << cut;
  }
  const Vector& million = kVectors[4];
  for (std::size_t piece : {63u, 64u, 65u, 4097u}) {
    EXPECT_EQ(InPieces(million.message, piece), million.digest) << "pieces of " << piece;
  }
}

TEST(Sha256, TheDigestSoFarLeavesRoomForMore) {
  Sha256 sha;
  sha.Add("a");
  EXPECT_EQ(sha.Hex(), "ca978112ca1bbdcafac231b39a23dc4da786eff8147c4e72b9807785afee48bb");
  sha.Add("bc");
  EXPECT_EQ(sha.Hex(), kVectors[1].digest);
}

// Lengths at each edge of the padding, and past the reader's 64 KiB buffer.
TEST(Sha256, FilesAgreeWithSha256sum) {
  test::TempDir dir;
  for (std::size_t size : {0u, 1u, 55u, 56u, 63u, 64u, 65u, 119u, 120u, 65536u, 65543u, 200003u}) {
    SCOPED_TRACE(size);
    std::string bytes(size, '\0');
    std::uint32_t seed = static_cast<std::uint32_t>(size) * 2654435761u + 1;
    for (char& c : bytes) {
      seed = seed * 1664525u + 1013904223u;
      c = static_cast<char>(seed >> 24);
    }
    const std::string path = dir.File("f" + std::to_string(size));
    test::WriteFile(path, bytes);
    std::string out, err;
    ASSERT_EQ(test::RunCommand("sha256sum " + test::Quote(path), &out, &err), 0) << err;
    const std::string expected = out.substr(0, 64);
    EXPECT_EQ(Sha256OfFile(path), expected);
    Sha256 sha;
    sha.Add(bytes);
    EXPECT_EQ(sha.Hex(), expected);
  }
  EXPECT_EQ(Sha256OfFile(dir.File("missing")), std::nullopt);
  EXPECT_EQ(Sha256OfFile(dir.path()), std::nullopt);  // a directory is no file to hash
}

}  // namespace
}  // namespace pcn
