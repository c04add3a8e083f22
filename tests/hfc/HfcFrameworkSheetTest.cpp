// The framework's controls on the front panel and an edit page, in several
// states, drawn from the generated skins and left as a picture in the build
// folder to be looked at.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "editor/controls/FontManager.h"
#include "editor/controls/ResourceManager.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcCtrlKeyboard.h"
#include "hfc/CHfcCtrlKnob.h"
#include "hfc/CHfcCtrlList.h"
#include "hfc/CHfcCtrlTextSwitch.h"
#include "hfc/CHfcCtrlWheel.h"
#include "hfc/CHfcOffscreenContext.h"
#include "tests/hfc/HfcFakes.h"
#include "tests/hfc/HfcKeyboardLayout.h"
#include "tests/support/TestEnvironment.h"

namespace {

const char* const kSounds[] = {
    "A000 Warm Analog Pad", "A001 Bright Saw Lead", "A002 Fat Square Bass", "A003 Glass Bells",
    "A004 Stereo Strings",  "A005 Vintage EP",      "A006 Sync Sweep",      "A007 Wide Brass",
    "A008 Noise Wind",      "A009 Arp Pluck",       "A010 Dark Drone",      "A011 Organ Perc",
    "A012 Choir Aah",       "A013 Resonant Bass",   "A014 Soft Flute",      "A015 Metal Hit",
    "A016 Pulse Keys",      "A017 Lush Pad 2",      "A018 Acid Line",       "A019 Big Unison",
    "A020 Clav Funk",       "A021 Hollow Pipe",     "A022 Detuned Saw",     "A023 Sub Drop",
};

class Sheet {
 public:
  explicit Sheet(CHfcWindow* window) {
    ResourceManager::Initialize();
    FontManager::Initialize();
    images_ = ResourceManager::GetInstance();
    bg_ = images_->LoadImage("Background_Base");
    ok_ = bg_ && layer_.Create(0, 0, 800, 600, window);
    if (!ok_) return;
    layer_.GetOffscreen()->CopyBmp(0, 0, 800, 600, bg_, 0, 0);
    layer_.Show(false);
  }
  ~Sheet() {
    layer_.Destroy();
    FontManager::Uninitialize();
    ResourceManager::Uninitialize();
  }
  bool ok() const { return ok_; }
  CHfcBmp* Image(const char* name) { return images_->LoadImage(name); }
  tagHfcBmpFontInfo* Font(const char* name) { return FontManager::mInstance->GetBmpFontInfo(name); }
  CHfcBmp* Back() { return bg_; }

  template <typename T>
  T* Own(std::unique_ptr<T> c) {
    T* raw = c.get();
    layer_.AddControl(raw, false);
    raw->Show(true);
    controls_.push_back(std::move(c));
    return raw;
  }
  void DrawAll() {
    for (auto& c : controls_) c->Update(true, false);
  }
  // A glyph picture of the font tinted to colour, for fixed-cell text.
  CHfcBmp* Tinted(tagHfcBmpFontInfo* font, uint32_t colour) {
    auto bmp = std::make_unique<CHfcBmp>();
    bmp->Create(font->bmp->GetWidth(), font->bmp->GetHeight());
    bmp->FilterColor(colour, font->bmp, 0, 0);
    tinted_.push_back(std::move(bmp));
    return tinted_.back().get();
  }

 private:
  bool ok_ = false;
  ResourceManager* images_ = nullptr;
  CHfcBmp* bg_ = nullptr;
  CHfcWindowLayer layer_;
  std::vector<std::unique_ptr<CHfcControl>> controls_;
  std::vector<std::unique_ptr<CHfcBmp>> tinted_;
};

CHfcCtrlSwitch* AddSwitch(Sheet& s, const char* skin, int x, int y, int states, bool oneFrame,
                          int value, bool enabled = true) {
  auto sw = std::make_unique<CHfcCtrlSwitch>();
  tagHfcCtrlSwitchParamEx p{};
  static_cast<tagHfcCtrlSwitchParam&>(p) = {x, y, 0, 0, s.Image(skin), s.Back(), x, y, states};
  p.oneFramePerState = oneFrame ? 1 : 0;
  if (!sw->CreateEx(&p, 1, 0)) return nullptr;
  sw->SetIntValue(value, false);
  if (!enabled) sw->Disable(false);
  return s.Own(std::move(sw));
}

CHfcCtrlKnob* AddKnob(Sheet& s, const char* skin, int x, int y, int value, bool enabled = true) {
  auto knob = std::make_unique<CHfcCtrlKnob>();
  tagHfcCtrlKnobParam p{x, y, 0, 0, s.Image(skin), s.Back(), x, y, 127, 0, 0, 127, 1};
  if (!knob->Create(&p, 1, 0)) return nullptr;
  knob->SetIntValue(value, false);
  if (!enabled) knob->Disable(false);
  return s.Own(std::move(knob));
}

TEST(FrameworkSheet, TheControlsDrawFromTheGeneratedSkins) {
  vesk::test::TestEnvironment env;
  hfctest::HeadlessHfcWindow window(800, 600);
  Sheet s(&window);
  ASSERT_TRUE(s.ok());

  // Program arrows on the LCD: up plain, down pressed.
  ASSERT_TRUE(AddSwitch(s, "Switch_Arrow_Up", 157, 17, 1, false, 0));
  ASSERT_TRUE(AddSwitch(s, "Switch_Arrow_Down", 157, 25, 1, false, -1));
  // Mode switches: off, on, on pressed look (one frame per state), disabled.
  const int modeX[] = {31, 67, 103, 138};
  for (int i = 0; i < 4; ++i)
    ASSERT_TRUE(AddSwitch(s, "Switch_ModeSelect", modeX[i], 64, 2, true, i == 1 ? 1 : 0, i != 3));
  // Easy setup, split type and controller target switches.
  const char* easy[] = {"Switch_EasySetup_Volume", "Switch_EasySetup_Octave",
                        "Switch_EasySetup_CFsend", "Switch_EasySetup_RDsend"};
  const int easyX[] = {178, 178, 223, 223};
  const int easyY[] = {20, 29, 20, 29};
  for (int i = 0; i < 4; ++i)
    ASSERT_TRUE(AddSwitch(s, easy[i], easyX[i], easyY[i], 2, true, i == 0 ? 1 : 0));
  ASSERT_TRUE(AddSwitch(s, "Switch_SplitType_Off", 178, 54, 2, false, 1));
  ASSERT_TRUE(AddSwitch(s, "Switch_SplitType_MainLower", 178, 63, 2, false, -1));  // held
  ASSERT_TRUE(AddSwitch(s, "Switch_SplitType_MainUpper", 178, 72, 2, false, 0));
  ASSERT_TRUE(AddSwitch(s, "Switch_Ctrl_Main", 252, 54, 2, false, 1));
  ASSERT_TRUE(AddSwitch(s, "Switch_Ctrl_Sub", 252, 63, 2, false, 0, false));
  // Real-time knobs with their on/off switches; the last knob disabled.
  const int rt[] = {0, 30, 64, 90, 127, 50};
  for (int i = 0; i < 6; ++i) {
    ASSERT_TRUE(AddKnob(s, "Knob_RealTimeKnob", 297 + 44 * i, 23, rt[i], i != 5));
    ASSERT_TRUE(AddSwitch(s, "TimbreOnOff_SW", 292 + 44 * i, 63, 2, true, i % 2));
  }
  const int fxX[] = {560, 588, 616, 645, 673, 701, 728, 756, 784};
  for (int i = 0; i < 9; ++i)
    ASSERT_TRUE(AddKnob(s, "Knob_FxParamKnob", fxX[i] - 2, 55, i * 15, i != 8));

  // Wheels: pitch at rest, modulation part way.
  const int wheelValues[] = {640, 380};
  for (int i = 0; i < 2; ++i) {
    auto wheel = std::make_unique<CHfcCtrlWheel>();
    tagHfcCtrlWheelParam p{77 + 24 * i, 529, 0, 0, s.Image("ControllerWheel"), s.Back(),
                           77 + 24 * i, 529, 128, 0, 1270, 10, 640, i == 0};
    ASSERT_TRUE(wheel->Create(&p, 1, i));
    wheel->SetIntValue(wheelValues[i], false);
    s.Own(std::move(wheel));
  }
  // The keyboard with a chord and a black key lit.
  hfctest::KeyboardLayout layout;
  auto keyboard = std::make_unique<CHfcCtrlKeyboard>();
  tagHfcCtrlKeyboardParam kp = layout.Param(131, 528, s.Image("ControllerKeyboard"));
  ASSERT_TRUE(keyboard->Create(&kp, 1, 0));
  for (int note : {48, 60, 64, 67, 70, 73}) keyboard->SetIntValue(note | 0x80000000, false);
  s.Own(std::move(keyboard));

  // The page: a sound list of three columns with a selection, a disabled
  // item and a drop target, a scrolled one-column list beside it, and text
  // switches.
  tagHfcBmpFontInfo* geneva = s.Font("FontGeneva9");
  ASSERT_TRUE(geneva);
  CHfcBmp* black = s.Tinted(geneva, 0xFF000000);
  CHfcBmp* grey = s.Tinted(geneva, 0xFF8A8E96);
  CHfcBmp* white = s.Tinted(geneva, 0xFFFFFFFF);
  auto makeList = [&](int x, int y, int columns, int rows, int width, bool vertical) {
    auto list = std::make_unique<CHfcCtrlList>();
    tagHfcCtrlListParam p = CHfcCtrlList::sm_mInitParam;
    p.x = x;
    p.y = y;
    p.width = width;
    p.height = rows * 17;
    p.bgX = x;
    p.bgY = y;
    p.bgBmp = s.Back();
    p.font = black;
    p.selectedFont = white;
    p.disabledFont = grey;
    p.charWidth = 7;
    p.charHeight = geneva->cellHeight;
    p.columns = columns;
    p.rows = rows;
    p.marginX = 1;
    p.marginY = 1;
    p.textX = 4;
    p.verticalOrder = vertical;
    p.selectedColor = 0xFF3A3E46;
    p.holdColor = 0xFFFFD9A0;
    p.dropTargetColor = 0xFFFFA21F;
    EXPECT_TRUE(list->Create(&p, 1, 0));
    for (const char* name : kSounds) list->AddItem()->SetCaption(name);
    return list;
  };
  auto sounds = makeList(24, 150, 3, 8, 3 * 150, true);
  sounds->GetItem(5)->SetSelected(true);
  sounds->GetItem(9)->SetEnabled(false);
  sounds->SetItemDropTarget(18, true);
  CHfcCtrlList* soundList = s.Own(std::move(sounds));
  auto scrolled = makeList(500, 150, 1, 8, 170, false);
  scrolled->SetHoldEnabled(true);
  for (int i : {10, 12, 13}) scrolled->GetItem(i)->SetHold(true);
  scrolled->SetCurrentLine(10);
  scrolled->GetItem(11)->SetSelected(true);
  CHfcCtrlList* scrolledList = s.Own(std::move(scrolled));

  tagHfcBmpFontInfo* mini = s.Font("FontMiniMoji5");
  ASSERT_TRUE(mini);
  const char* labels[] = {"PLAY", "EDIT", "WRITE", "LOCK"};
  for (int i = 0; i < 4; ++i) {
    auto sw = std::make_unique<CHfcCtrlTextSwitch>();
    tagHfcCtrlTextSwitchParam p{};
    const int x = 24 + 40 * i;
    static_cast<tagHfcCtrlSwitchParam&>(p) = {x, 310, 0, 0, s.Image("Switch_ModeSelect"), s.Back(),
                                              x, 310, 2};
    p.oneFramePerState = 1;
    p.font = mini;
    p.text = labels[i];
    p.textColor = 0xFFE6E8EC;
    p.hAlign = 1;
    p.vAlign = 2;
    p.vMargin = 1;
    ASSERT_TRUE(sw->Create(&p, 1, 0));
    sw->SetIntValue(i == 1 ? 1 : 0, false);
    if (i == 3) sw->Disable(false);
    s.Own(std::move(sw));
  }

  s.DrawAll();
  window.Update(nullptr);
  os::HeadlessWindow* out = window.platform();
  ASSERT_TRUE(out->WritePng(std::string(VESK_RENDER_DIR) + "/framework_controls.png"));

  // The selected sound's cell carries the selection fill, the scrolled list
  // shows item 10 first.
  tagHfcPoint cell;
  soundList->ViewIndexToPoint(&cell, 5);
  EXPECT_EQ(out->Pixel(cell.x + 140, cell.y + 8), 0xFF3A3E46u);
  EXPECT_EQ(scrolledList->ViewIndexToIndex(0), 10);
}

}  // namespace
