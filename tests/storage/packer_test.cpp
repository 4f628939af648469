#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "storage/memory_block.h"
#include "storage/packer.h"
#include "temp_dir.h"

using namespace kv;

namespace {

Bytes Compressible(std::size_t count) {
  std::string text;
  for (int i = 0; text.size() < count; ++i) text += "package:com.example.app" + std::to_string(i) + "\n";
  return Bytes(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(count));
}

std::int64_t Size(const Bytes& bytes) { return static_cast<std::int64_t>(bytes.size()); }

// Compressed with room to spare; empty when compression failed.
Bytes Pack(const Bytes& source, int level = 6) {
  Bytes packed(source.size() + source.size() / 100 + 64);
  std::int64_t length =
      CompressBlockLevel(source.data(), Size(source), packed.data(), Size(packed), ZipPacker, level);
  packed.resize(static_cast<std::size_t>(length));
  return packed;
}

}  // namespace

TEST(MemoryBlock, IsZeroFilledAndExactlyAsLargeAsAsked) {
  for (std::int64_t size : {1, 3, 4096, 100001}) {
    auto* block = static_cast<unsigned char*>(AllocateBlock(size));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(BlockSize(block), size);
    EXPECT_TRUE(std::all_of(block, block + size, [](unsigned char b) { return b == 0; }));
    block[size - 1] = 0xFF;  // the last byte is the caller's (the sanitizer would object)
    FreeBlock(block);
  }
  EXPECT_EQ(AllocateBlock(0), nullptr);
  EXPECT_EQ(AllocateBlock(-4), nullptr);
  EXPECT_EQ(BlockSize(nullptr), 0);
  FreeBlock(nullptr);
}

TEST(Packer, RoundTripRestoresEverySource) {
  EXPECT_EQ(RegisterZipPacker(), 1);
  EXPECT_EQ(RegisterZipPacker(), 1);
  for (const Bytes& source : {Compressible(5000), RandomBytes(3000, 1), Bytes{'x'}, Bytes{}}) {
    Bytes packed = Pack(source);
    ASSERT_FALSE(packed.empty()) << source.size();
    // A zlib stream at level 6, which the stored formats rely on.
    EXPECT_EQ(packed[0], 0x78);
    EXPECT_EQ(packed[1], 0x9C);
    Bytes back(source.size() + 1);
    EXPECT_EQ(UncompressBlock(packed.data(), Size(packed), back.data(), Size(back), ZipPacker),
              Size(source));
    back.pop_back();
    EXPECT_EQ(back, source);
  }
  // The empty source needs no destination at all.
  Bytes empty = Pack({});
  EXPECT_EQ(UncompressBlock(empty.data(), Size(empty), nullptr, 0, ZipPacker), 0);
}

TEST(Packer, DestinationTooSmallFails) {
  RegisterZipPacker();
  Bytes source = Compressible(5000);
  Bytes packed = Pack(source);
  Bytes out(source.size());
  EXPECT_EQ(CompressBlock(source.data(), Size(source), out.data(), Size(packed) - 1, ZipPacker), 0);
  EXPECT_EQ(CompressBlock(source.data(), Size(source), out.data(), Size(packed), ZipPacker),
            Size(packed));
  EXPECT_EQ(UncompressBlock(packed.data(), Size(packed), out.data(), Size(source) - 1, ZipPacker),
            -1);
  EXPECT_EQ(UncompressBlock(packed.data(), Size(packed), out.data(), Size(source), ZipPacker),
            Size(source));
  // Poorly compressible data does not fit in its own length.
  Bytes noise = RandomBytes(200, 2);
  EXPECT_EQ(CompressBlock(noise.data(), Size(noise), out.data(), Size(noise), ZipPacker), 0);
}

TEST(Packer, LevelsAreClampedToZeroToNine) {
  RegisterZipPacker();
  Bytes source = Compressible(20000);
  EXPECT_EQ(Pack(source, 12), Pack(source, 9));
  EXPECT_EQ(Pack(source, -3), Pack(source, 0));
  EXPECT_GT(Pack(source, 0).size(), source.size());  // stored, not deflated
  EXPECT_LT(Pack(source, 9).size(), source.size() / 4);
}

TEST(Packer, UnknownPackerAndDamagedDataFail) {
  RegisterZipPacker();
  Bytes source = Compressible(5000);
  Bytes packed = Pack(source);
  Bytes out(source.size());
  EXPECT_EQ(CompressBlock(source.data(), Size(source), out.data(), Size(out), 7), 0);
  EXPECT_EQ(UncompressBlock(packed.data(), Size(packed), out.data(), Size(out), 7), -1);
  EXPECT_EQ(UncompressBlock(packed.data(), Size(packed) - 1, out.data(), Size(out), ZipPacker), -1);
  packed[packed.size() / 2] ^= 0x10;
  EXPECT_EQ(UncompressBlock(packed.data(), Size(packed), out.data(), Size(out), ZipPacker), -1);
  EXPECT_EQ(UncompressBlock(nullptr, 0, out.data(), Size(out), ZipPacker), -1);
}
