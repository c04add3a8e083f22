#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "remote/ChunkDecode.h"
#include "remote/ChunkEncode.h"
#include "remote/SynthSysEx.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Pattern(unsigned n, uint32_t seed = 7) {
  Bytes b(n);
  uint32_t x = seed;
  for (auto& v : b) {
    x = x * 1664525u + 1013904223u;
    v = static_cast<uint8_t>(x >> 24);
  }
  return b;
}

Bytes EncodeAll(const Bytes& src) {
  Bytes out(ChunkEncode::PackedSize(unsigned(src.size())));
  EXPECT_EQ(ChunkEncode::Encode(src.data(), unsigned(src.size()), out.data()), out.size());
  return out;
}

TEST(ChunkCodec, PacksTopBitsIntoLeadingByte) {
  EXPECT_EQ(EncodeAll({0x80, 0x7F, 0x00}), (Bytes{0x01, 0x00, 0x7F, 0x00}));
  EXPECT_EQ(EncodeAll({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}),
            (Bytes{0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F}));
  // Bit j of the leading byte belongs to byte j of the group.
  EXPECT_EQ(EncodeAll({0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x81, 0x92}),
            (Bytes{0x40, 0, 0, 0, 0, 0, 0, 0x01, 0x01, 0x12}));
  EXPECT_TRUE(EncodeAll({}).empty());

  ChunkDecode d;
  const Bytes packed{0x01, 0x00, 0x7F, 0x00};
  d.Write(packed.data(), unsigned(packed.size()), true);
  EXPECT_EQ(d.Output(), (Bytes{0x80, 0x7F, 0x00}));
}

TEST(ChunkCodec, EveryResidueLengthRoundTrips) {
  for (unsigned groups : {0u, 1u, 3u}) {
    for (unsigned residue = 0; residue <= 6; ++residue) {
      const unsigned len = groups * 7 + residue;
      SCOPED_TRACE(len);
      const Bytes src = Pattern(len, len + 1);
      const Bytes packed = EncodeAll(src);
      ASSERT_EQ(packed.size(), 8 * groups + (residue ? residue + 1 : 0));
      for (uint8_t b : packed) EXPECT_LT(b, 0x80);

      Bytes back(ChunkDecode::UnpackedSize(unsigned(packed.size())));
      EXPECT_EQ(ChunkDecode::Decode(packed.data(), unsigned(packed.size()), back.data()), len);
      EXPECT_EQ(back, src);

      ChunkDecode d;
      d.Write(packed.data(), unsigned(packed.size()), true);
      EXPECT_EQ(d.Output(), src);
    }
  }
}

// The sender fills fixed-size blocks and the receiver gets fragments of any
// size: both sides must give the same bytes whatever the cut.
TEST(ChunkCodec, FragmentedReadAndWriteMatchWholeBlock) {
  const Bytes src = Pattern(1000);
  const Bytes whole = EncodeAll(src);
  for (unsigned cut : {1u, 3u, 7u, 8u, 9u, 1013u, 5000u}) {
    SCOPED_TRACE(cut);
    ChunkEncode enc(src.data(), unsigned(src.size()));
    Bytes packed, buf(cut);
    while (unsigned n = enc.Read(buf.data(), cut)) packed.insert(packed.end(), buf.begin(), buf.begin() + n);
    EXPECT_EQ(packed, whole);
    EXPECT_EQ(enc.Read(buf.data(), cut), 0u);

    ChunkDecode dec;
    for (size_t at = 0; at < packed.size(); at += cut) {
      const unsigned n = unsigned(std::min<size_t>(cut, packed.size() - at));
      dec.Write(packed.data() + at, n, at + n == packed.size());
    }
    EXPECT_EQ(dec.Output(), src);
  }
}

TEST(ChunkCodec, FinalGroupOfOnlyItsLeadingByteAddsNothing) {
  const Bytes seven{0x80, 1, 2, 3, 4, 5, 0xFF};
  Bytes packed = EncodeAll(seven);
  packed.push_back(0x7F);  // a lone leading byte
  ChunkDecode d;
  d.Write(packed.data(), unsigned(packed.size()), true);
  EXPECT_EQ(d.Output(), seven);
  Bytes direct(ChunkDecode::UnpackedSize(unsigned(packed.size())));
  EXPECT_EQ(ChunkDecode::Decode(packed.data(), unsigned(packed.size()), direct.data()), 7u);

  // Without the final mark a short group waits for more.
  d.Clear();
  EXPECT_EQ(d.Size(), 0u);
  const Bytes shortGroup{0x01, 0x00, 0x7F, 0x00};
  d.Write(shortGroup.data(), 4, false);
  EXPECT_EQ(d.Size(), 0u);
  d.Write(nullptr, 0, true);
  EXPECT_EQ(d.Output(), (Bytes{0x80, 0x7F, 0x00}));
}

TEST(ChunkCodec, DumpWireSizes) {
  using S = Oskend::SynthSysEx;
  struct Row {
    bool current;
    unsigned data;
    unsigned wire;
  };
  const Row rows[] = {
      {true, S::kProgSize, 1693},     {true, S::kCombiSize, 1533},       {false, S::kProgSize, 1696},
      {false, S::kCombiSize, 1536},   {false, S::kGlobalSize, 1997},     {false, S::kProgBankSize, 215346},
      {false, S::kAllCombisSize, 30459},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(S::DumpWireSize(r.current, r.data), r.wire) << r.data;
    const Bytes src = Pattern(r.data);
    const Bytes hdr = r.current ? S::CurDumpHeader(0, 0) : S::DumpHeader(0, 0, 0, 0);
    EXPECT_EQ(S::Dump(hdr, src.data(), r.data).size(), r.wire);
  }
  EXPECT_EQ(S::kProgBankSize, 0x2E000u);
}

}  // namespace
