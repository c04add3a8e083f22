#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

#include "os/window/SystemFonts.h"
#include "os/window/TextRenderer.h"

namespace {

TEST(SystemFonts, NamesMapOntoDejaVuFaces) {
  const struct {
    const char* name;
    const char* file;
  } cases[] = {
      {"Helvetica", "DejaVuSans.ttf"},       {"helvetica-bold", "DejaVuSans-Bold.ttf"},
      {"Geneva", "DejaVuSans.ttf"},          {"Lucida Grande", "DejaVuSans.ttf"},
      {"Lucida Grande Bold", "DejaVuSans-Bold.ttf"}, {"Arial Bold", "DejaVuSans-Bold.ttf"},
      {"Monaco", "DejaVuSansMono.ttf"},      {"Courier-Bold", "DejaVuSansMono-Bold.ttf"},
      {"Helvetica-Narrow", "DejaVuSansCondensed.ttf"}, {"Helvetica Narrow Bold", "DejaVuSansCondensed-Bold.ttf"},
      {"No Such Font", "DejaVuSans.ttf"},    {nullptr, "DejaVuSans.ttf"},
  };
  for (const auto& c : cases) {
    EXPECT_STREQ(os::FindSystemFont(c.name).file, c.file) << (c.name ? c.name : "(null)");
  }
  // Every face of the table exists where the renderer looks.
  int count = 0;
  const os::SystemFontFace* table = os::SystemFontTable(&count);
  ASSERT_GT(count, 0);
  for (int i = 0; i < count; ++i) {
    struct stat st {};
    const std::string path = std::string(os::TextRenderer::FontDirectory()) + "/" + table[i].file;
    EXPECT_EQ(stat(path.c_str(), &st), 0) << path;
  }
}

TEST(SystemFonts, MacRomanBytes) {
  EXPECT_EQ(os::MacRomanToUnicode('A'), 0x41u);
  EXPECT_EQ(os::MacRomanToUnicode(0x80), 0xC4u);  // A umlaut
  EXPECT_EQ(os::MacRomanToUnicode(0xA5), 0x2022u);  // bullet
  EXPECT_EQ(os::MacRomanToUnicode(0xDB), 0x20ACu);  // euro
  EXPECT_EQ(os::MacRomanToUnicode(0xFF), 0x02C7u);
}

}  // namespace
