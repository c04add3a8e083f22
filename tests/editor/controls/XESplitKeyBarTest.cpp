#include "editor/controls/XESplitKeyBar.h"

#include "hfc/CHfcMouse.h"
#include "hfc/HfcResourceDir.h"
#include "tests/editor/controls/SkinnedControlFixture.h"
#include "tests/support/PngTestFile.h"
#include "tests/support/TempDir.h"

namespace {

using namespace skinnedtest;
using Oskend::tagSplitBarValue;
using Oskend::XESplitKeyBar;

constexpr int kLeft = 20;
constexpr int kTop = 100;

// Skins of flat colours: a white keyboard and grey arrows, so that tinted
// in blue the keys come out bright blue and the arrows half as bright.
class SplitKeyBarTest : public SkinnedControlTest {
 protected:
  void SetUp() override {
    SkinnedControlTest::SetUp();
    WriteSkin(XESplitKeyBar::kKeyboardSkin, 677, 16, 0xFFFFFFFFu);
    WriteSkin(XESplitKeyBar::kArrowSkin, 7, 16, 0xFF808080u);
    Use(dir.path());
  }
  void TearDown() override {
    Use(ResourceManager::DefaultResourceDir());
    SkinnedControlTest::TearDown();
  }
  void WriteSkin(const char* name, int w, int h, uint32_t colour) {
    std::vector<uint32_t> px(static_cast<size_t>(w) * h, colour);
    ASSERT_TRUE(vesk::test::WriteArgbPng(dir.File(std::string(name) + ".png"), px.data(), w, h));
  }
  static void Use(const std::string& folder) {
    HfcSetResourceDir(folder);
    ResourceManager::GetInstance()->UnloadImage(XESplitKeyBar::kKeyboardSkin);
    ResourceManager::GetInstance()->UnloadImage(XESplitKeyBar::kArrowSkin);
  }
  void Make(int reversed = 0) {
    ASSERT_TRUE(bar.Create(kLeft, kTop, editor.back(), kLeft, kTop, 9, reversed, 0xFF0000FF));
    Add(&bar);
  }
  void Set(int key, int kind) {
    tagSplitBarValue v{key, kind};
    bar.SetSplitBarValue(0, &v, false);
    bar.SetSplitBarValue(1, &v, true);
    Idle(20);
  }
  // 'p' page, 'k' tinted key, 'a' tinted arrow.
  char At(int x) {
    const uint32_t p = Pixel(x, kTop + 8);
    if (((p >> 16) & 0xFF) > 0x80) return 'p';
    return (p & 0xFF) > 0xC0 ? 'k' : 'a';
  }

  vesk::test::TempDir dir;
  XESplitKeyBar bar;
};

TEST_F(SplitKeyBarTest, TheSplitPointFollowsTheKeyAt91PixelsAnOctave) {
  Make();
  EXPECT_EQ(bar.GetWidth(), 676);
  EXPECT_EQ(bar.GetHeight(), 16);
  struct Case {
    int key, kind, x;
  };
  const Case cases[] = {
      {60, 0, kLeft + 301},  // 3 octaves and 3 semitones above 21
      {60, 2, kLeft + 301},
      {60, 1, kLeft + 293},  // below the split counts from the key before
      {21, 2, kLeft + 5},
      {21, 1, kLeft - 3},    // before the first semitone: the keyboard's edge
      {108, 2, kLeft + 7 * 91 + 31 - 3},
  };
  for (const Case& c : cases) {
    Set(c.key, c.kind);
    EXPECT_EQ(bar.SplitX(), c.x) << c.key << " kind " << c.kind;
  }
}

TEST_F(SplitKeyBarTest, TintAndArrowsFollowTheState) {
  Make();
  // All keys: arrows at both ends only.
  Set(60, 0);
  EXPECT_EQ(bar.GetState(), XESplitKeyBar::kAll);
  EXPECT_EQ(At(kLeft + 5), 'a');
  EXPECT_EQ(At(kLeft + 676 - 4), 'a');
  EXPECT_EQ(At(kLeft + 301 + 3), 'k');
  EXPECT_EQ(At(kLeft + 100), 'k');
  // Below the split: tint up to the split's arrow, none above it.
  Set(60, 1);
  EXPECT_EQ(At(kLeft + 100), 'k');
  EXPECT_EQ(At(kLeft + 293 + 3), 'a');
  EXPECT_EQ(At(kLeft + 330), 'p');
  EXPECT_EQ(At(kLeft + 5), 'a');
  // Above the split.
  Set(60, 2);
  EXPECT_EQ(At(kLeft + 200), 'p');
  EXPECT_EQ(At(kLeft + 301 + 3), 'a');
  EXPECT_EQ(At(kLeft + 400), 'k');
  EXPECT_EQ(At(kLeft + 676 - 4), 'a');
  // Below key 21 only the background shows, not the (white) keys.
  Set(20, 0);
  for (int x : {kLeft + 5, kLeft + 100, kLeft + 600}) {
    EXPECT_EQ(At(x), 'p');
    EXPECT_NE(Pixel(x, kTop + 8) & 0xFFFFFFu, 0xFFFFFFu);
  }
  // Key 21 split below tints nothing and draws inside the control.
  Set(21, 1);
  EXPECT_EQ(At(kLeft + 100), 'p');
  EXPECT_EQ(At(kLeft + 5), 'a');
}

TEST_F(SplitKeyBarTest, KindsMapToStatesAndBackByTheReversedFlag) {
  struct Case {
    int reversed, kind, state;
  };
  const Case cases[] = {{0, 0, 3}, {0, 1, 1}, {0, 2, 2}, {1, 0, 0}, {1, 1, 2}, {1, 2, 1}};
  for (const Case& c : cases) {
    XESplitKeyBar b;
    ASSERT_TRUE(b.Create(0, 0, nullptr, 0, 0, 1, c.reversed, 0xFF990000));
    EXPECT_EQ(b.GetState(), c.reversed ? 0 : 3);
    tagSplitBarValue v{0, c.kind};
    b.SetSplitBarValue(1, &v, false);
    EXPECT_EQ(b.GetState(), c.state);
    tagSplitBarValue out{-1, -1};
    b.GetSplitBarValue(&out, 1);
    EXPECT_EQ(out.kind, c.kind);
    v.kind = 5;  // no kind: the state stays
    b.SetSplitBarValue(1, &v, false);
    EXPECT_EQ(b.GetState(), c.state);
  }
  // A reversed bar shows kind 0 as an untinted keyboard without arrows:
  // the keyboard skin's own white.
  Make(1);
  Set(60, 0);
  for (int x : {kLeft + 5, kLeft + 301 + 3, kLeft + 600}) EXPECT_EQ(Pixel(x, kTop + 8) & 0xFFFFFFu, 0xFFFFFFu) << x;
}

TEST_F(SplitKeyBarTest, WithoutTheArrowSkinTheBarDrawsNoArrows) {
  ASSERT_EQ(std::remove(dir.File(std::string(XESplitKeyBar::kArrowSkin) + ".png").c_str()), 0);
  Make();
  EXPECT_EQ(bar.GetHeight(), 16);
  for (int kind : {0, 1, 2}) Set(21, kind);
  Set(60, 0);
  EXPECT_EQ(At(kLeft + 1), 'p');
  EXPECT_EQ(At(kLeft + 2), 'k');
  EXPECT_EQ(At(kLeft + 676 - 2), 'k');
  // No keyboard skin: no bar.
  ASSERT_EQ(std::remove(dir.File(std::string(XESplitKeyBar::kKeyboardSkin) + ".png").c_str()), 0);
  Use(dir.path());
  XESplitKeyBar none;
  EXPECT_FALSE(none.Create(0, 0, nullptr, 0, 0, 1, 0, 0));
}

TEST_F(SplitKeyBarTest, APressCapturesTheMouseUnlessThePageTakesIt) {
  Make();
  Press(kLeft + 50, kTop + 5);
  EXPECT_EQ(CHfcMouse::sm_pInstance->GetCapture(), static_cast<CHfcMouseListener*>(&bar));
  Release(kLeft + 50, kTop + 5);
  EXPECT_EQ(CHfcMouse::sm_pInstance->GetCapture(), nullptr);
  EXPECT_EQ(listener.log, (std::vector<std::string>{"press 50,5"}));
}

}  // namespace
