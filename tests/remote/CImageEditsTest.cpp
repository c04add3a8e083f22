// What counts as an edit made while the synthesizer was away, and what of it
// goes back over a memory received meanwhile.
#include "remote/CImageEdits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "model/ChunkGlobal.h"
#include "model/ChunkRemoteSynth.h"

namespace {

using Oskend::CImageEdits;
using L = Oskend::RemoteSynthLayout;
using Kind = CImageEdits::Kind;
using Image = std::vector<uint8_t>;

size_t Prog(int bank, int number) { return L::kProgBanks + bank * L::kProgBankSize + number * L::kProgSize; }
size_t Combi(int number) { return L::kCombis + number * L::kCombiSize; }

// An image of a pattern: no two records alike.
Image Patterned() {
  Image image(Oskend::CHUNK_REMOTESYNTH::kSize);
  uint32_t x = 12345;
  for (uint8_t& b : image) {
    x = x * 1103515245u + 12345u;
    b = static_cast<uint8_t>(x >> 16);
  }
  image[L::kCurProg] = 0;
  image[L::kCurProg + 1] = 3;
  image[L::kCurCombi] = 0;
  image[L::kCurCombi + 1] = 2;
  return image;
}

// Choosing a sound loads it into its edit buffer.
void Choose(Image& image, int bank, int number) {
  image[L::kCurProg] = static_cast<uint8_t>(bank);
  image[L::kCurProg + 1] = static_cast<uint8_t>(number);
  std::copy_n(image.begin() + Prog(bank, number), L::kProgSize, image.begin() + L::kProgEditBuffer);
}
void ChooseCombi(Image& image, int number) {
  image[L::kCurCombi + 1] = static_cast<uint8_t>(number);
  std::copy_n(image.begin() + Combi(number), L::kCombiSize, image.begin() + L::kCombiEditBuffer);
}

// The places of `count` bytes from `at`.
std::vector<size_t> Whole(size_t at, size_t count) {
  std::vector<size_t> places(count);
  for (size_t i = 0; i < count; ++i) places[i] = at + i;
  return places;
}
std::vector<size_t> operator+(std::vector<size_t> a, const std::vector<size_t>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

struct Case {
  std::string what;
  std::function<void(Image&)> meanwhile;  // done to the editor's image while away
  std::vector<Kind> records;              // the records found edited
  std::vector<size_t> edited;             // the bytes that go back (all others stay received)
};

TEST(CImageEditsTest, FindsTheEditsAndPutsBackOnlyTheirBytes) {
  const std::vector<Case> cases{
      {"nothing", [](Image&) {}, {}, {}},
      // A stored sound changes only whole: what goes back is the editor's
      // sound, never one mixed with the synthesizer's.
      {"a byte of a stored program", [](Image& i) { i[Prog(1, 5) + 40] ^= 1; }, {Kind::kProgram},
       Whole(Prog(1, 5), L::kProgSize)},
      {"a run of a stored performance and the global block",
       [](Image& i) {
         i[Combi(7) + 10] ^= 1;
         i[Combi(7) + 11] ^= 1;
         i[3] ^= 0x80;
       },
       {Kind::kGlobal, Kind::kCombination},
       std::vector<size_t>{3} + Whole(Combi(7), L::kCombiSize)},
      {"the current performance loaded anew (stored and edit buffer)",
       [](Image& i) {
         for (size_t b = 0; b < L::kCombiSize; b += 3) i[Combi(2) + b] ^= 0x21;
         std::copy_n(i.begin() + Combi(2), L::kCombiSize, i.begin() + L::kCombiEditBuffer);
       },
       {Kind::kCombination, Kind::kCurrentCombination},
       Whole(Combi(2), L::kCombiSize) + Whole(L::kCombiEditBuffer, L::kCombiSize)},
      // An edit made before the synthesizer went, then the host's copy of
      // that edited performance restored: the edit buffer holds what it
      // held, yet goes back, since a connection loads the stored sound there.
      {"the current performance replaced by the edit buffer it held",
       [](Image& i) { std::copy_n(i.begin() + L::kCombiEditBuffer, L::kCombiSize, i.begin() + Combi(2)); },
       {Kind::kCombination, Kind::kCurrentCombination},
       Whole(Combi(2), L::kCombiSize) + Whole(L::kCombiEditBuffer, L::kCombiSize)},
      {"another performance chosen, loaded anew and edited",
       [](Image& i) {
         ChooseCombi(i, 11);
         i[Combi(11) + 9] ^= 1;
         i[L::kCombiEditBuffer + 9] ^= 1;
         i[L::kCombiEditBuffer + 500] ^= 1;
       },
       {Kind::kCombination, Kind::kCurrentCombination},
       Whole(Combi(11), L::kCombiSize) + Whole(L::kCombiEditBuffer, L::kCombiSize)},
      {"the global block's scratch byte, written for every send",
       [](Image& i) { i[Oskend::CHUNK_GLOBAL::kSendScratch] ^= 1; }, {}, {}},
      {"the mode and the current sounds' places alone",
       [](Image& i) {
         i[L::kMode] ^= 3;
         i[L::kCurProg + 4] ^= 1;
       },
       {}, {}},
      {"an edit of the current program", [](Image& i) { i[L::kProgEditBuffer + 100] ^= 1; }, {Kind::kCurrentProgram},
       {L::kProgEditBuffer + 100}},
      {"another program chosen", [](Image& i) { Choose(i, 2, 9); }, {}, {}},
      {"another performance chosen", [](Image& i) { ChooseCombi(i, 11); }, {}, {}},
      {"another program chosen and edited",
       [](Image& i) {
         Choose(i, 2, 9);
         i[L::kProgEditBuffer + 7] ^= 1;
       },
       {Kind::kCurrentProgram}, {L::kProgEditBuffer + 7}},
      {"another performance chosen and edited",
       [](Image& i) {
         ChooseCombi(i, 11);
         i[L::kCombiEditBuffer + 500] ^= 1;
       },
       {Kind::kCurrentCombination}, {L::kCombiEditBuffer + 500}},
  };
  const Image before = Patterned();
  // What the synthesizer holds when it is back: everywhere else than the
  // copy.
  Image received = before;
  for (uint8_t& b : received) b = static_cast<uint8_t>(~b);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Image now = before;
    c.meanwhile(now);
    const CImageEdits edits(before, now.data());
    std::vector<Kind> kinds;
    for (const CImageEdits::Record& r : edits.Records()) kinds.push_back(r.kind);
    EXPECT_EQ(kinds, c.records);
    EXPECT_EQ(edits.Empty(), c.records.empty());
    Image merged = received;
    edits.PutBack(merged.data());
    // The editor's bytes where they go back, the received ones elsewhere.
    Image expected = received;
    for (const size_t at : c.edited) expected[at] = now[at];
    std::vector<size_t> wrong;
    for (size_t i = 0; i < merged.size(); ++i)
      if (merged[i] != expected[i]) wrong.push_back(i);
    EXPECT_EQ(wrong, std::vector<size_t>{}) << "bytes in which the merged image is not the edits over the received memory";
  }
}

TEST(CImageEditsTest, ARecordCarriesItsPlaceAndItsSoundsNumber) {
  const Image before = Patterned();
  Image now = before;
  now[Prog(3, 127) + 1471] ^= 1;
  now[Combi(19)] ^= 1;
  const CImageEdits edits(before, now.data());
  ASSERT_EQ(edits.Records().size(), 2u);
  const CImageEdits::Record& p = edits.Records()[0];
  EXPECT_EQ(p.kind, Kind::kProgram);
  EXPECT_EQ(p.bank, 3);
  EXPECT_EQ(p.number, 127);
  EXPECT_EQ(p.at, Prog(3, 127));
  EXPECT_EQ(p.size, L::kProgSize);
  const CImageEdits::Record& c = edits.Records()[1];
  EXPECT_EQ(c.kind, Kind::kCombination);
  EXPECT_EQ(c.number, 19);
  EXPECT_EQ(c.at, Combi(19));
  EXPECT_EQ(c.size, L::kCombiSize);
}

}  // namespace
