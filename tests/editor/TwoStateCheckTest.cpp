// The two-state picture check itself, on a small page of the program's
// on/off and oscillator mode parameters whose pictures the test paints:
// right ones pass, each kind of wrong one is found and named.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/shell/CTabPageLayer.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcCtrlSlideSwitch.h"
#include "hfc/CHfcCtrlSwitch.h"
#include "tests/support/pageharness/PageHarness.h"
#include "tests/support/pageharness/TwoStateCheck.h"

namespace {

using vesk::test::PageHarness;
using vesk::test::TwoStateCheck;

constexpr uint32_t kDark = 0xFF1B1C20u;
constexpr uint32_t kAmber = 0xFFFFA21Fu;
constexpr uint32_t kSlot = 0xFF3A3D44u;
constexpr uint32_t kBox = 0xFFF6F7F8u;
constexpr uint32_t kRim = 0xFF5B5F67u;
constexpr uint32_t kMark = 0xFF1D4FB8u;

// A strip of two frames, w x h each; paint(frame, x, y) gives a pixel.
std::unique_ptr<CHfcBmp> Strip(int w, int h, const std::function<uint32_t(int, int, int)>& paint) {
  auto bmp = std::make_unique<CHfcBmp>();
  if (!bmp->Create(w, 2 * h)) return nullptr;
  uint32_t* px = bmp->LockPixels();
  for (int f = 0; f < 2; ++f)
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) px[(f * h + y) * w + x] = paint(f, x, y);
  bmp->UnlockPixels();
  return bmp;
}

// A slide switch of two 10-row positions in a dark casing; frame f lights
// the position `litOf(f)` (0 the upper).
std::unique_ptr<CHfcBmp> SlidePicture(const std::function<int(int)>& litOf) {
  return Strip(20, 20, [&](int f, int x, int y) {
    if (x < 2 || x >= 18 || y < 2 || y >= 18) return kDark;
    return y / 10 == litOf(f) ? kAmber : kSlot;
  });
}

// A check box; frame f shows a mark when `marked(f)`.
std::unique_ptr<CHfcBmp> BoxPicture(const std::function<bool(int)>& marked) {
  return Strip(13, 13, [&](int f, int x, int y) {
    if (x == 0 || y == 0 || x == 12 || y == 12) return kRim;
    return marked(f) && x >= 4 && x <= 8 && y >= 4 && y <= 8 ? kMark : kBox;
  });
}

class TestPage : public CTabPageLayer {
 public:
  explicit TestPage(Oskend::IRemoteSynth* synth) : CTabPageLayer(synth, "Test") { SetTargetMode(eMode_ProgEdit); }
  void Put(CHfcControl* c, int pid) {
    AddControl(c, false);
    c->SetListener(this);
    c->Show(false);
    LinkControlWithParam(c, GetTargetMode(), pid);
    SynchronizeControlWithParam(c, true);
  }
};

TEST(TwoStateCheckFixture, EachPictureUnlikeItsParameterIsFoundAndNamed) {
  PageHarness h;
  TestPage page(h.synth());
  ASSERT_TRUE(h.AddPage(page));
  // The pictures live longer than the page that draws them.
  std::vector<std::unique_ptr<CHfcBmp>> pictures;
  auto slide = [&](int x, int id, std::unique_ptr<CHfcBmp> picture) {
    auto* c = new CHfcCtrlSlideSwitch;
    tagHfcCtrlSlideSwitchParam p{x, 20, 0, 0, picture.get(), nullptr, 0, 0, 2, 0};
    ASSERT_TRUE(c->Create(&p, id, 0));
    pictures.push_back(std::move(picture));
    page.Put(c, 0x0D00);
  };
  auto box = [&](int x, int id, int pid, std::unique_ptr<CHfcBmp> picture) {
    auto* c = new CHfcCtrlSwitch;
    tagHfcCtrlSwitchParamEx p{};
    p.x = x;
    p.y = 80;
    p.skin = picture.get();
    p.height = 13;
    p.states = 2;
    p.oneFramePerState = 1;
    ASSERT_TRUE(c->CreateEx(&p, id, 0));
    pictures.push_back(std::move(picture));
    page.Put(c, pid);
  };
  // The oscillator mode's first value ("Single") shows on the upper
  // position, the highest state: frame 1.
  slide(20, 1, SlidePicture([](int f) { return 1 - f; }));
  slide(60, 2, SlidePicture([](int f) { return f; }));                  // lights the other position
  box(20, 3, 0x0D0C, BoxPicture([](int f) { return f == 1; }));         // marked for "On"
  box(60, 4, 0x0D01, BoxPicture([](int f) { return f == 0; }));         // marked for "Off"
  box(100, 5, 0x0D06, BoxPicture([](int) { return false; }));           // never marked
  h.Idle();

  TwoStateCheck check(h);
  check.Check("fixture");
  // A control is checked once, however often its page is shown.
  check.Check("fixture again");
  EXPECT_EQ(check.SlidesChecked(), 2);
  EXPECT_EQ(check.SwitchesChecked(), 3);
  std::string all;
  for (const std::string& f : check.Faults()) all += f + "\n";
  const char* const expected[] = {
      "fixture: id 0x2 CHfcCtrlSlideSwitch (60, 20 20x20) 'OSC Mode' lights its lower position for \"Single\", where a "
      "click sets \"Double\"",
      "fixture: id 0x4 CHfcCtrlSwitch (60, 80 13x13) 'Hold' shows its lit picture for \"Off\" and its "
      "plain one for \"On\"",
      "fixture: id 0x5 CHfcCtrlSwitch (100, 80 13x13) 'Mono Legato' shows one picture for \"Off\" and \"On\"",
  };
  for (const char* e : expected) EXPECT_NE(all.find(e), std::string::npos) << e << "\nin:\n" << all;
  EXPECT_EQ(check.Faults().size(), std::size(expected)) << all;
  h.DestroyPage(page);
}

}  // namespace
