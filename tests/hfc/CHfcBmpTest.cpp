#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "hfc/CHfcBmp.h"
#include "hfc/HfcResourceDir.h"
#include "os/ResourceRegistry.h"
#include "tests/support/PngTestFile.h"

namespace {

using vesk::test::EncodePng;
using vesk::test::PngTestImage;

// One-row image of the given colour type and depth from packed sample bytes.
PngTestImage Row(int colourType, int bitDepth, int width, std::vector<uint8_t> samples) {
  PngTestImage image;
  image.width = width;
  image.height = 1;
  image.colourType = colourType;
  image.bitDepth = bitDepth;
  image.rows = {std::move(samples)};
  return image;
}

std::vector<uint32_t> Decode(const std::vector<uint8_t>& file, bool* ok) {
  CHfcBmp bmp;
  *ok = bmp.LoadPNGFromMemory(file.data(), file.size());
  std::vector<uint32_t> out;
  for (int y = 0; y < bmp.GetHeight(); ++y) {
    for (int x = 0; x < bmp.GetWidth(); ++x) out.push_back(bmp.GetPixel(x, y));
  }
  EXPECT_EQ(bmp.GetLockCount(), 0);
  return out;
}

struct PngVariant {
  const char* what;
  PngTestImage image;
  std::vector<uint32_t> expected;
};

TEST(CHfcBmpPng, DecodesEveryVariantToArgbWords) {
  PngTestImage palette = Row(3, 8, 3, {0, 1, 2});
  palette.palette = {255, 0, 0, 0, 255, 0, 0, 0, 255};
  PngTestImage paletteTrns = palette;
  paletteTrns.trns = {0x00, 0x80};  // entries past the list stay opaque
  PngTestImage palette2 = Row(3, 2, 3, {0b00011000});
  palette2.palette = {10, 20, 30, 40, 50, 60, 70, 80, 90};
  PngTestImage rgbKey = Row(2, 8, 2, {1, 2, 3, 4, 5, 6});
  rgbKey.trns = {0, 4, 0, 5, 0, 6};
  PngTestImage greyKey = Row(0, 8, 2, {7, 9});
  greyKey.trns = {0, 9};

  PngTestImage interlaced;
  interlaced.width = 5;
  interlaced.height = 5;
  interlaced.colourType = 6;
  interlaced.interlaced = true;
  std::vector<uint32_t> interlacedExpected;
  for (int y = 0; y < 5; ++y) {
    std::vector<uint8_t> row;
    for (int x = 0; x < 5; ++x) {
      const uint8_t v = static_cast<uint8_t>(y * 5 + x);
      row.insert(row.end(), {v, static_cast<uint8_t>(v + 100), static_cast<uint8_t>(v + 150), static_cast<uint8_t>(255 - v)});
      interlacedExpected.push_back(static_cast<uint32_t>(255 - v) << 24 | v << 16 | (v + 100) << 8 | (v + 150));
    }
    interlaced.rows.push_back(row);
  }

  const std::vector<PngVariant> cases = {
      {"RGB gets opaque alpha", Row(2, 8, 2, {1, 2, 3, 250, 251, 252}), {0xFF010203, 0xFFFAFBFC}},
      {"RGBA keeps its alpha", Row(6, 8, 2, {1, 2, 3, 0, 9, 8, 7, 0x80}), {0x00010203, 0x80090807}},
      {"palette", palette, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF}},
      {"palette with transparency", paletteTrns, {0x00FF0000, 0x8000FF00, 0xFF0000FF}},
      {"2-bit palette", palette2, {0xFF0A141E, 0xFF28323C, 0xFF46505A}},
      {"RGB colour key", rgbKey, {0xFF010203, 0x00040506}},
      {"grey spreads to RGB", Row(0, 8, 2, {0x00, 0x7F}), {0xFF000000, 0xFF7F7F7F}},
      {"grey colour key", greyKey, {0xFF070707, 0x00090909}},
      {"1-bit grey", Row(0, 1, 3, {0b10100000}), {0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF}},
      {"grey with alpha", Row(4, 8, 2, {0x40, 0x80, 0xC0, 0xFF}), {0x80404040, 0xFFC0C0C0}},
      {"16-bit RGB", Row(2, 16, 1, {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC}), {0xFF12569A}},
      {"16-bit RGBA", Row(6, 16, 1, {0x12, 0, 0x34, 0, 0x56, 0, 0x78, 0}), {0x78123456}},
      {"16-bit grey with alpha", Row(4, 16, 1, {0xAB, 0xCD, 0x44, 0x00}), {0x44ABABAB}},
      {"interlaced", interlaced, interlacedExpected},
  };
  for (const PngVariant& c : cases) {
    SCOPED_TRACE(c.what);
    const std::vector<uint8_t> file = EncodePng(c.image);
    ASSERT_FALSE(file.empty());
    bool ok = false;
    const std::vector<uint32_t> pixels = Decode(file, &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(pixels, c.expected);
  }
}

std::vector<uint8_t> SmallRgba() {
  PngTestImage image;
  image.width = 16;
  image.height = 16;
  for (int y = 0; y < 16; ++y) {
    std::vector<uint8_t> row;
    for (int x = 0; x < 64; ++x) row.push_back(static_cast<uint8_t>(x * 7 + y * 13));
    image.rows.push_back(row);
  }
  return EncodePng(image);
}

// The same file with the size in its header replaced (and the header's
// checksum made right again).
std::vector<uint8_t> WithSize(std::vector<uint8_t> file, uint32_t width, uint32_t height) {
  for (int i = 0; i < 4; ++i) {
    file[16 + i] = static_cast<uint8_t>(width >> (24 - 8 * i));
    file[20 + i] = static_cast<uint8_t>(height >> (24 - 8 * i));
  }
  const uLong crc = crc32(0, file.data() + 12, 17);
  for (int i = 0; i < 4; ++i) file[29 + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
  return file;
}

TEST(CHfcBmpPng, RefusesDamagedAndOversizedImagesAndStaysEmpty) {
  const std::vector<uint8_t> good = SmallRgba();
  bool ok = false;
  Decode(good, &ok);
  ASSERT_TRUE(ok);

  std::vector<std::pair<std::string, std::vector<uint8_t>>> bad;
  for (size_t cut : {size_t{0}, size_t{7}, size_t{8}, size_t{20}, size_t{33}, size_t{45}, good.size() / 2,
                     good.size() - 13}) {
    bad.push_back({"cut at " + std::to_string(cut), std::vector<uint8_t>(good.begin(), good.begin() + cut)});
  }
  std::vector<uint8_t> flipped = good;
  flipped[good.size() - 20] ^= 0x5A;  // inside the image data
  bad.push_back({"corrupt image data", flipped});
  std::vector<uint8_t> notPng = good;
  notPng[1] = 'X';
  bad.push_back({"no signature", notPng});
  bad.push_back({"too wide", WithSize(good, 40000, 1)});
  bad.push_back({"too many pixels", WithSize(good, 30000, 30000)});
  bad.push_back({"header larger than data", WithSize(good, 16, 4000)});

  for (const auto& [what, file] : bad) {
    SCOPED_TRACE(what);
    CHfcBmp bmp;
    ASSERT_TRUE(bmp.Create(3, 3));
    EXPECT_FALSE(bmp.LoadPNGFromMemory(file.data(), file.size()));
    EXPECT_EQ(bmp.GetWidth(), 0);
    EXPECT_EQ(bmp.GetHeight(), 0);
    EXPECT_EQ(bmp.LockPixels(), nullptr);
  }
  CHfcBmp bmp;
  EXPECT_FALSE(bmp.LoadPNGFromMemory(nullptr, 100));
}

class CHfcBmpFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("hfcbmp-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
    file_ = SmallRgba();
    ASSERT_TRUE(vesk::test::WriteFileBytes((dir_ / "Knob_Meter.png").string(), file_));
  }
  void TearDown() override {
    HfcSetResourceDir("");
    std::filesystem::remove_all(dir_);
  }
  std::filesystem::path dir_;
  std::vector<uint8_t> file_;
};

TEST_F(CHfcBmpFiles, LoadsByNameFromTheResourceFolder) {
  CHfcBmp bmp;
  HfcSetResourceDir("");
  EXPECT_FALSE(bmp.LoadPNG("Knob_Meter", nullptr, 0));
  HfcSetResourceDir(dir_.string());
  EXPECT_TRUE(bmp.LoadPNG("Knob_Meter", nullptr, 0));
  EXPECT_EQ(bmp.GetWidth(), 16);
  EXPECT_TRUE(bmp.Load("Knob_Meter"));
  EXPECT_FALSE(bmp.Load("Knob_Missing"));
  EXPECT_EQ(bmp.GetWidth(), 0);
  EXPECT_FALSE(bmp.LoadPNG(nullptr, nullptr, 0));
  EXPECT_FALSE(bmp.Load(128));
}

TEST_F(CHfcBmpFiles, LoadsPictureResourcesById) {
  // The registry lives for the process: ids of this test only.
  constexpr int kPicture = 30101;
  constexpr int kBroken = 30102;
  ASSERT_TRUE(os::ResourceRegistry::Register(CHfcBmp::kPictureResourceType, kPicture, file_.data(), file_.size()));
  const std::vector<uint8_t> broken(file_.begin(), file_.begin() + static_cast<long>(file_.size() / 2));
  ASSERT_TRUE(os::ResourceRegistry::Register(CHfcBmp::kPictureResourceType, kBroken, broken.data(), broken.size()));
  CHfcBmp bmp;
  ASSERT_TRUE(bmp.Load(kPicture));
  CHfcBmp fromFile;
  ASSERT_TRUE(fromFile.LoadPNGFromMemory(file_.data(), file_.size()));
  ASSERT_EQ(bmp.GetWidth(), fromFile.GetWidth());
  ASSERT_EQ(bmp.GetHeight(), fromFile.GetHeight());
  for (int y = 0; y < bmp.GetHeight(); ++y)
    for (int x = 0; x < bmp.GetWidth(); ++x) EXPECT_EQ(bmp.GetPixel(x, y), fromFile.GetPixel(x, y));
  EXPECT_TRUE(bmp.LoadPNG(kPicture));
  EXPECT_EQ(os::ResourceRegistry::LockCount(os::ResourceRegistry::Get(CHfcBmp::kPictureResourceType, kPicture)), 0);

  // Damaged data, a missing id and an id that only wraps to a registered
  // one all leave the bitmap empty.
  for (int id : {kBroken, 30103, kPicture + 65536, kPicture - 65536}) {
    ASSERT_TRUE(bmp.Load(kPicture));
    EXPECT_FALSE(bmp.Load(id)) << id;
    EXPECT_EQ(bmp.GetWidth(), 0) << id;
  }
}

TEST_F(CHfcBmpFiles, LentBufferIsUsedOnlyWhenLargeEnough) {
  const std::string path = (dir_ / "Knob_Meter.png").string();
  std::vector<unsigned char> big(file_.size() + 10, 0);
  std::vector<unsigned char> small(file_.size() - 1, 0);
  CHfcBmp bmp;
  EXPECT_TRUE(bmp.LoadPNGFromFile(path.c_str(), big.data(), big.size()));
  EXPECT_TRUE(std::equal(file_.begin(), file_.end(), big.begin()));
  EXPECT_TRUE(bmp.LoadPNGFromFile(path.c_str(), small.data(), small.size()));
  EXPECT_EQ(small[0], 0);  // untouched: the file went into a buffer of its own
  EXPECT_EQ(bmp.GetHeight(), 16);
  EXPECT_FALSE(bmp.LoadPNGFromFile((dir_ / "none.png").string().c_str(), nullptr, 0));
  EXPECT_FALSE(bmp.LoadPNGFromFile(dir_.string().c_str(), nullptr, 0));
}

// A bitmap holding the given words, row by row.
void MakeBmp(CHfcBmp& bmp, int width, int height, const std::vector<uint32_t>& words) {
  ASSERT_TRUE(bmp.Create(width, height));
  uint32_t* p = bmp.LockPixels();
  std::copy(words.begin(), words.end(), p);
  bmp.UnlockPixels();
}

TEST(CHfcBmp, CreateRefusesEmptyAndOversizedGeometry) {
  CHfcBmp bmp;
  for (auto [w, h] : {std::pair{0, 5}, {5, 0}, {-1, 5}, {5, -3}, {CHfcBmp::kMaxSide + 1, 1}}) {
    EXPECT_FALSE(bmp.Create(w, h)) << w << "x" << h;
    EXPECT_EQ(bmp.GetWidth(), 0);
    EXPECT_EQ(bmp.LockPixels(), nullptr);
  }
  ASSERT_TRUE(bmp.Create(4, 2));
  EXPECT_EQ(bmp.GetRowBytes(), 16);
  EXPECT_EQ(bmp.GetPixel(3, 1), 0u);
}

TEST(CHfcBmp, PixelAccessAndResize) {
  CHfcBmp bmp;
  MakeBmp(bmp, 3, 2, {0, 0, 0, 0, 0, 0x11223344});
  EXPECT_EQ(bmp.GetPixel(2, 1), 0x11223344u);
  for (auto [x, y] : {std::pair{-1, 0}, {3, 0}, {0, -1}, {0, 2}}) EXPECT_EQ(bmp.GetPixel(x, y), 0u);
  ASSERT_TRUE(bmp.Resize(3, 2));
  EXPECT_EQ(bmp.GetPixel(2, 1), 0u);
  EXPECT_EQ(bmp.GetLockCount(), 0);
}

TEST(CHfcBmp, MakeAlphaPreMultipliedOnce) {
  CHfcBmp bmp;
  MakeBmp(bmp, 3, 1, {0x80FF8040, 0x00FFFFFF, 0xFF123456});
  bmp.MakeAlphaPreMultiplied();
  EXPECT_TRUE(bmp.IsPreMultiplied());
  EXPECT_EQ(bmp.GetPixel(0, 0), 0x80804020u);
  EXPECT_EQ(bmp.GetPixel(1, 0), 0x00000000u);
  EXPECT_EQ(bmp.GetPixel(2, 0), 0xFF123456u);
  bmp.MakeAlphaPreMultiplied();
  EXPECT_EQ(bmp.GetPixel(0, 0), 0x80804020u);
  EXPECT_EQ(bmp.GetLockCount(), 0);
}

TEST(CHfcBmp, FilterColorMultipliesEachByte) {
  CHfcBmp src;
  MakeBmp(src, 2, 3, {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0x80402010, 0xFFFFFFFF, 0xFFFFFFFF});

  struct Case {
    uint32_t colour;
    int sx, sy;
    uint32_t first, second;  // pixels (0, 0) and (1, 0) of the result
  };
  const Case cases[] = {
      {0xFFFFFFFF, 0, 1, 0xFEFEFEFE, 0x7F3F1F0F},
      {0x00000000, 0, 1, 0, 0},
      {0x80FF0040, 0, 1, 0x7FFE003F, 0x403F0004},
      {0xFFFFFFFF, 1, 2, 0xFEFEFEFE, 0},  // past the source's edge: transparent
  };
  for (const Case& c : cases) {
    CHfcBmp out;
    ASSERT_TRUE(out.Create(2, 1));
    out.FilterColor(c.colour, &src, c.sx, c.sy);
    EXPECT_EQ(out.GetPixel(0, 0), c.first) << std::hex << c.colour;
    EXPECT_EQ(out.GetPixel(1, 0), c.second) << std::hex << c.colour;
  }
}

}  // namespace
