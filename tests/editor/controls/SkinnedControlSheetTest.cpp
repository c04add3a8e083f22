// Every control of the editor's control set in several states on one
// editor-sized picture: the panel's framework controls, the main tab strip
// whose active page carries the skinned controls, sub-level strips, knobs,
// value bars, drop-downs, sound selectors, check boxes, a text field, MIDI
// indicators, a browser list with scroll bars and split-key bars. The
// picture is left in the build folder to be looked at.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "editor/controls/CMMPCtrlFlash.h"
#include "editor/controls/CMMPCtrlList.h"
#include "editor/controls/CMMPCtrlScrollBar.h"
#include "editor/controls/CTabControl.h"
#include "editor/controls/XEDropdownList.h"
#include "editor/controls/XESoundSelector.h"
#include "editor/controls/XESplitKeyBar.h"
#include "editor/controls/XEStaticBmp.h"
#include "editor/controls/XEStaticText.h"
#include "hfc/CHfcCtrlCharEditText.h"
#include "hfc/CHfcCtrlKnob.h"
#include "hfc/CHfcCtrlSwitch.h"
#include "hfc/CHfcCtrlWheel.h"
#include "hfc/CHfcOffscreenContext.h"
#include "tests/editor/controls/SkinnedControlRecords.h"
#include "tests/hfc/HfcFakes.h"
#include "tests/support/TestEnvironment.h"

namespace {

using skintest::Font;
using skintest::Skin;

// A tab page: a layer of the window.
class Page : public CHfcWindowLayer, public ITabPageLayer {
 public:
  explicit Page(std::string name = "") : name_(std::move(name)) {}
  CHfcWindowLayer* GetTabPageWindowLayer() override { return this; }
  const std::string& GetTabPageName() const override { return name_; }
  void SetOwnerTabControl(CTabControl*) override {}
  void SetTabPageRefresh(bool) override {}

 private:
  std::string name_;
};

class Sheet {
 public:
  static constexpr int kPageX = 3;
  static constexpr int kPageY = 123;
  static constexpr int kPageW = 794;
  static constexpr int kPageH = 397;

  explicit Sheet(CHfcWindow* window) : window_(window) {
    ResourceManager::Initialize();
    FontManager::Initialize();
    bg_ = Skin("Background_Base");
    ok_ = bg_ && root_.Create(0, 0, 800, 600, window);
    if (!ok_) return;
    root_.GetOffscreen()->CopyBmp(0, 0, 800, 600, bg_, 0, 0);
    root_.Show(false);
    pageBack_ = std::make_unique<CHfcOffscreenContext>(kPageW, kPageH);
    pageBack_->CopyBmp(0, 0, kPageW, kPageH, bg_, kPageX, kPageY);
  }
  ~Sheet() {
    for (auto& c : controls_) c->Destroy();
    for (auto& p : pages_) p->Destroy();
    root_.Destroy();
    FontManager::Uninitialize();
    ResourceManager::Uninitialize();
  }
  bool ok() const { return ok_; }
  CHfcWindowLayer& root() { return root_; }
  CHfcBmp* Back() { return bg_; }
  CHfcBmp* PageBack() { return pageBack_->GetBmp(); }
  CHfcOffscreenContext* PagePaint() { return pageBack_.get(); }
  Page* NewPage(int w, int h) {
    pages_.push_back(std::make_unique<Page>());
    pages_.back()->Create(0, 0, w, h, window_);
    return pages_.back().get();
  }
  template <typename T>
  T* Own(CHfcWindowLayer& layer, std::unique_ptr<T> c) {
    T* raw = c.get();
    layer.AddControl(raw, false);
    raw->Show(true);
    controls_.push_back(std::move(c));
    return raw;
  }
  void DrawAll() {
    for (auto& c : controls_) c->Update(true, false);
  }

 private:
  CHfcWindow* window_;
  bool ok_ = false;
  CHfcBmp* bg_ = nullptr;
  CHfcWindowLayer root_;
  std::unique_ptr<CHfcOffscreenContext> pageBack_;
  std::vector<std::unique_ptr<Page>> pages_;
  std::vector<std::unique_ptr<CHfcControl>> controls_;
};

// A section of the page: a light panel with a dark title bar.
void Section(CHfcOffscreenContext* dc, int x, int y, int w, int h) {
  dc->SetBrushColor(0xFF9096A0);
  dc->FillRect(x, y, w, h);
  dc->SetBrushColor(0xFFF1F2F4);
  dc->FillRect(x + 1, y + 1, w - 2, h - 2);
  dc->SetBrushColor(0xFF3A3E46);
  dc->FillRect(x + 1, y + 1, w - 2, 15);
}

struct Builder {
  Sheet& s;
  CHfcWindowLayer& page;

  XEStaticText* Text(int x, int y, int w, const char* text, const char* font, uint32_t colour,
                     int hAlign = 0, bool enabled = true, int h = 0) {
    auto t = std::make_unique<XEStaticText>();
    SXEStaticText p{x, y, w, h, s.PageBack(), x, y, Font(font), text, colour, hAlign, 0, 1, 0};
    if (!t->Create(&p, 1, 0)) return nullptr;
    if (enabled) t->Enable(false);
    else t->SetDisabledAlpha(0.25f);
    return s.Own(page, std::move(t));
  }
  XEStaticText* Title(int x, int y, int w, const char* text) {
    return Text(x + 6, y + 2, w - 12, text, "FontHelvB11", 0xFFFFFFFF, 0, true, 13);
  }
  XEStaticText* Label(int x, int y, int w, const char* text, int hAlign = 0, bool enabled = true) {
    return Text(x, y, w, text, "FontGeneva9", 0xFF000000, hAlign, enabled, 13);
  }
  XEDropdownList* Dropdown(int x, int y, const char* skin, int frames, const char* font, uint32_t colour,
                           int hAlign, int margin, int reserve, std::vector<const char*> items, int value,
                           bool enabled = true, const char* sub = nullptr) {
    auto d = std::make_unique<XEDropdownList>();
    CHfcBmp* face = Skin(skin);
    if (!face) return nullptr;
    SXEDropdownListParam p{};
    p.x = x;
    p.y = y;
    p.height = face->GetHeight() / frames;
    p.skin = face;
    p.bgBmp = s.PageBack();
    p.bgX = x;
    p.bgY = y;
    p.states = 1;
    p.oneFramePerState = 1;
    p.font = Font(font);
    p.text = "";
    p.textColor = colour;
    p.hAlign = hAlign;
    p.hMargin = margin;
    p.vAlign = 1;
    p.rightReserve = reserve;
    if (!d->Create(&p, 1, 0)) return nullptr;
    for (size_t i = 0; i < items.size(); ++i) d->AddItem(items[i], i == 0 ? sub : nullptr, false);
    d->SetIntValue(value, false);
    d->SetFocusColor(0);
    d->SetDisabledAlpha(0.25f);
    if (!enabled) d->Disable(false);
    return s.Own(page, std::move(d));
  }
  XESoundSelector* Selector(int x, int y, const char* skin, const char* font, int margin, bool strip,
                            const char* text, bool enabled = true) {
    auto sel = std::make_unique<XESoundSelector>();
    SXESoundSelector p{3, x, y, Skin(skin), s.PageBack(), x, y, Font(font), margin, strip, 0xFF000000};
    if (!sel->Create(&p, 1, 0)) return nullptr;
    sel->SetPtrValue(const_cast<char*>(text), false);
    sel->SetDisabledAlpha(0.25f);
    if (!enabled) sel->Disable(false);
    return s.Own(page, std::move(sel));
  }
  CHfcCtrlSwitch* Switch(CHfcWindowLayer& layer, CHfcBmp* back, int x, int y, const char* skin, int states,
                         int value, bool enabled = true) {
    auto sw = std::make_unique<CHfcCtrlSwitch>();
    tagHfcCtrlSwitchParamEx p{};
    static_cast<tagHfcCtrlSwitchParam&>(p) = {x, y, 0, 0, Skin(skin), back, x, y, states};
    p.oneFramePerState = 1;
    if (!sw->CreateEx(&p, 1, 0)) return nullptr;
    sw->SetIntValue(value, false);
    sw->SetDisabledAlpha(0.25f);
    if (!enabled) sw->Disable(false);
    return s.Own(layer, std::move(sw));
  }
  CMMPCtrlFlash* Indicator(int x, int y, int n, int value, bool enabled, int idle) {
    char name[32];
    std::snprintf(name, sizeof name, "MidiIndicatorNum%02dSw_p", n % 6 + 1);
    CHfcBmp* frames = Skin(name);
    if (!frames) return nullptr;
    const int32_t values[] = {0, 1, 2};
    tagMMPCtrlFlashParam p{x, y, frames->GetWidth(), frames->GetHeight() / 3, frames, x, y,
                           s.PageBack(), 3, 3, 50, values};
    auto flash = std::make_unique<CMMPCtrlFlash>();
    if (!flash->Create(&p, 1, 0)) return nullptr;
    flash->SetIntValue(value, false);
    // The first tick shows where the time stands, the second where it went.
    flash->OnIdle(idle);
    flash->OnIdle(0);
    if (!enabled) flash->Disable(false);
    return s.Own(page, std::move(flash));
  }
  CMMPCtrlScrollBar* ScrollBar(int x, int y, int length, bool vertical, const char* skin, uint32_t thumb,
                               uint32_t track, int max, int page, int value, bool enabled = true) {
    CHfcBmp* sw = Skin(skin);
    if (!sw) return nullptr;
    tagMMPCtrlScrollBarParam p{x, y, vertical ? sw->GetWidth() : length, vertical ? length : sw->GetHeight() / 4,
                               x, y, s.PageBack(), sw, vertical, thumb, 0, track, 0, max, page,
                               vertical ? 2 : 0, vertical ? 0 : 2, vertical ? 2 : 0, vertical ? 0 : 2};
    auto bar = std::make_unique<CMMPCtrlScrollBar>();
    if (!bar->Create(&p, 1, 0)) return nullptr;
    bar->SetIntValue(value, false);
    bar->SetDisabledAlpha(0.25f);
    if (!enabled) bar->Disable(false);
    return s.Own(this->page, std::move(bar));
  }
  Oskend::XESplitKeyBar* Split(int x, int y, int kind, int key, int state, int reversed) {
    auto bar = std::make_unique<Oskend::XESplitKeyBar>();
    if (!bar->Create(x, y, s.PageBack(), x, y, 1, reversed, kind == 0 ? 0xFF990000 : 0xFF0000FF))
      return nullptr;
    Oskend::tagSplitBarValue v{key, state};
    bar->SetSplitBarValue(0, &v, false);
    bar->SetSplitBarValue(1, &v, false);
    return s.Own(page, std::move(bar));
  }
};

const char* const kSounds[] = {
    "A000 Warm Analog Pad", "A001 Bright Saw Lead", "A002 Fat Square Bass", "A003 Glass Bells",
    "A004 Stereo Strings",  "A005 Vintage EP",      "A006 Sync Sweep",      "A007 Wide Brass",
    "A008 Noise Wind",      "A009 Arp Pluck",       "A010 Dark Drone",      "A011 Organ Perc",
    "A012 Choir Aah",       "A013 Resonant Bass",   "A014 Soft Flute",      "A015 Metal Hit",
};

TEST(SkinnedControlSheet, EveryControlInSeveralStates) {
  vesk::test::TestEnvironment env;
  hfctest::HeadlessHfcWindow window(800, 600);
  Sheet s(&window);
  ASSERT_TRUE(s.ok());
  CHfcWindowLayer& root = s.root();

  // ---- The panel: framework knobs, switches and wheels ----
  Builder panel{s, root};
  const int rt[] = {0, 40, 64, 100, 127, 50};
  for (int i = 0; i < 6; ++i) {
    auto knob = std::make_unique<CHfcCtrlKnob>();
    const int x = 297 + 44 * i;
    tagHfcCtrlKnobParam p{x, 23, 0, 0, Skin("Knob_RealTimeKnob"), s.Back(), x, 23, 127, 0, 0, 127, 1};
    ASSERT_TRUE(knob->Create(&p, 1, 0));
    knob->SetIntValue(rt[i], false);
    if (i == 5) knob->Disable(false);
    s.Own(root, std::move(knob));
    ASSERT_TRUE(panel.Switch(root, s.Back(), 292 + 44 * i + 4, 66, "TimbreOnOff_SW", 2, i % 2, i != 5));
  }
  const int modeX[] = {31, 67, 103, 138};
  for (int i = 0; i < 4; ++i)
    ASSERT_TRUE(panel.Switch(root, s.Back(), modeX[i], 64, "Switch_ModeSelect", 2, i == 1, i != 3));
  for (int i = 0; i < 2; ++i) {
    auto wheel = std::make_unique<CHfcCtrlWheel>();
    tagHfcCtrlWheelParam p{77 + 24 * i, 529, 0, 0, Skin("ControllerWheel"), s.Back(), 77 + 24 * i, 529,
                           128, 0, 1270, 10, 640, i == 0};
    ASSERT_TRUE(wheel->Create(&p, 1, i));
    wheel->SetIntValue(i == 0 ? 640 : 300, false);
    s.Own(root, std::move(wheel));
  }

  // ---- The main tab strip; its active page holds the skinned controls ----
  auto strip = std::make_unique<CTabControl>();
  stTabControlCreateParam main{3, 90, 0, 0, 76, 33, 5, 2, 9, Skin("Tab_Prog_Main"), s.Back(), 3, 90, 0, 1, 0};
  ASSERT_TRUE(strip->Create(main, 1, 0));
  CTabControl* mainStrip = s.Own(root, std::move(strip));
  Page* content = nullptr;
  for (int i = 0; i < 9; ++i) {
    Page* p = s.NewPage(Sheet::kPageW, Sheet::kPageH);
    mainStrip->AddTabPageLayer(&window, p);
    if (i == 3) content = p;
  }
  mainStrip->SetActivePageByIndex(3, false);
  mainStrip->OnIdle(17);
  CHfcWindowLayer& page = *content;
  ASSERT_EQ(page.GetRect().left, Sheet::kPageX);
  ASSERT_EQ(page.GetRect().top, Sheet::kPageY);

  // The page's own background: sections painted once, under the controls.
  CHfcOffscreenContext* paint = s.PagePaint();
  Section(paint, 8, 84, 250, 96);    // knobs
  Section(paint, 264, 84, 250, 96);  // value bars
  Section(paint, 520, 84, 266, 96);  // drop-downs
  Section(paint, 8, 186, 250, 104);  // sound selectors
  Section(paint, 264, 186, 250, 104);  // switches, text, indicators
  Section(paint, 8, 296, 778, 98);   // split keys
  page.GetOffscreen()->CopyBmp(0, 0, Sheet::kPageW, Sheet::kPageH, s.PageBack(), 0, 0);
  Builder b{s, page};

  // Sub-level strips: six pitch pages, and eight filter pages in groups of
  // five showing the second group.
  auto pitch = std::make_unique<CTabControl>();
  stTabControlCreateParam sub{7, 6, 0, 0, 76, 34, 5, 2, 4, Skin("Tab_Low_Prog_Pitch"), s.PageBack(), 7, 6, 0, 1, 0};
  ASSERT_TRUE(pitch->Create(sub, 1, 0));
  CTabControl* pitchStrip = s.Own(page, std::move(pitch));
  for (int i = 0; i < 6; ++i) pitchStrip->AddTabPageLayer(&window, s.NewPage(1, 1));
  pitchStrip->SetActivePageByIndex(1, false);
  auto filter = std::make_unique<CTabControl>();
  stTabControlCreateParam grouped{7, 44, 0, 0, 76, 34, 5, 2, 4, Skin("Tab_Low_Prog_Filter"), s.PageBack(), 7, 44, 1, 5, 0};
  ASSERT_TRUE(filter->Create(grouped, 1, 0));
  CTabControl* filterStrip = s.Own(page, std::move(filter));
  for (int i = 0; i < 8; ++i) filterStrip->AddTabPageLayer(&window, s.NewPage(1, 1));
  filterStrip->SetActivePageByIndex(6, false);
  auto basic = std::make_unique<CTabControl>();
  stTabControlCreateParam one{500, 6, 0, 0, 76, 34, 5, 2, 4, Skin("Tab_Low_Prog_Basic"), s.PageBack(), 500, 6, 0, 1, 0};
  ASSERT_TRUE(basic->Create(one, 1, 0));
  CTabControl* basicStrip = s.Own(page, std::move(basic));
  basicStrip->AddTabPageLayer(&window, s.NewPage(1, 1));

  // Knobs: minimum, middle, maximum, random at the minimum, disabled.
  ASSERT_TRUE(b.Title(8, 84, 250, "Knobs"));
  const char* knobNames[] = {"Cutoff", "Reso", "EG Int", "Random", "Off"};
  const int knobValues[] = {0, 64, 127, 0, 80};
  for (int i = 0; i < 5; ++i) {
    auto knob = std::make_unique<XEKnob>();
    const int x = 18 + 48 * i;
    ASSERT_TRUE(skintest::CreateFactoryKnob(knob.get(), x, 118, 0, 127, 0, 3, s.PageBack(), i == 3));
    knob->SetIntValue(knobValues[i], false);
    char text[8];
    std::snprintf(text, sizeof text, "%d", knobValues[i]);
    knob->SetPtrValue(text, false);
    if (i == 4) knob->Disable(false);
    s.Own(page, std::move(knob));
    ASSERT_TRUE(b.Label(x - 6, 104, 48, knobNames[i], 1, i != 4));
  }

  // Value bars: bipolar, plain, no display, disabled.
  ASSERT_TRUE(b.Title(264, 84, 250, "Value bars"));
  struct Bar {
    int style, min, max, value;
    const char* label;
    bool enabled;
  };
  const Bar bars[] = {{96, -64, 63, 20, "Pan", true},
                      {96, -99, 99, -40, "Bend", true},
                      {154, 0, 127, 100, "Level", true},
                      {67, 0, 127, 64, "Depth", true},
                      {96, 0, 127, 90, "Off", false}};
  for (int i = 0; i < 5; ++i) {
    auto bar = std::make_unique<CXBCtrlHorizontalValueBar>();
    const int y = 104 + 15 * i;
    ASSERT_TRUE(skintest::CreateFactoryValueBar(bar.get(), 330, y, bars[i].style, bars[i].min, bars[i].max, 0,
                                                s.PageBack()));
    bar->SetIntValue(bars[i].value, false);
    char text[8];
    std::snprintf(text, sizeof text, "%d", bars[i].value);
    bar->SetPtrValue(text, false);
    if (!bars[i].enabled) bar->Disable(false);
    s.Own(page, std::move(bar));
    ASSERT_TRUE(b.Label(272, y, 54, bars[i].label, 0, bars[i].enabled));
  }

  // Drop-downs of the edit pages and of the browsers.
  ASSERT_TRUE(b.Title(520, 84, 266, "Drop-down lists"));
  ASSERT_TRUE(b.Label(528, 104, 60, "Type"));
  ASSERT_TRUE(b.Dropdown(590, 104, "DropdownList_154X13", 1, "FontGeneva9", 0xFF000000, 0, 13, 0,
                         {"Low Pass Resonance", "High Pass", "Band Pass"}, 0));
  ASSERT_TRUE(b.Label(528, 120, 60, "Slope"));
  ASSERT_TRUE(b.Dropdown(590, 120, "DropdownList_96X13", 1, "FontGeneva9", 0xFF000000, 0, 13, 0,
                         {"12 dB/oct", "24 dB/oct"}, 1));
  ASSERT_TRUE(b.Label(528, 136, 60, "Mode", 0, false));
  ASSERT_TRUE(b.Dropdown(590, 136, "DropdownList_65X13", 1, "FontGeneva9", 0xFF000000, 0, 13, 0,
                         {"Poly", "Mono"}, 0, false));
  ASSERT_TRUE(b.Label(686, 136, 24, "Bank"));
  ASSERT_TRUE(b.Dropdown(716, 136, "DropdownList_Bank_25X13", 1, "FontGeneva9", 0xFF0000FF, 0, 13, 0,
                         {"A", "B", "C", "D"}, 1));
  ASSERT_TRUE(b.Label(528, 152, 60, "(none)"));
  ASSERT_TRUE(b.Dropdown(590, 152, "DropdownList_80X13", 1, "FontGeneva9", 0xFF000000, 0, 13, 0,
                         {"Off", "On"}, 5));

  // Sound selectors: stripped program name, plain, boxes, disabled.
  ASSERT_TRUE(b.Title(8, 186, 250, "Sound selectors"));
  ASSERT_TRUE(b.Selector(16, 206, "SoundSelector_LCD_180X25", "FontHelvB11", 8, false, "A012 Choir Aah"));
  ASSERT_TRUE(b.Selector(16, 236, "SoundSelector_LCD_139X13", "FontGeneva9", 4, true, "B064: Warm Analog Pad"));
  ASSERT_TRUE(b.Selector(160, 236, "SoundSelector_LCD_79X13", "FontGeneva9", 4, true, "C003: Sub Drop"));
  ASSERT_TRUE(b.Selector(16, 254, "SoundSelector_Box_129X13", "FontGeneva9", 2, true, "012: LFO1"));
  ASSERT_TRUE(b.Selector(150, 254, "SoundSelector_Box_94x11", "FontGeneva9", 0, true, "07: Velocity"));
  ASSERT_TRUE(b.Selector(16, 272, "SoundSelector_NL_139X13", "FontGeneva9", 4, true, "3: Stereo Chorus"));
  ASSERT_TRUE(b.Selector(160, 272, "SoundSelector_Box_Tiny", "FontGeneva9", 4, true, "0: No Effect", false));

  // Check boxes, a text field, MIDI indicators, pictures.
  ASSERT_TRUE(b.Title(264, 186, 250, "Switches, text, indicators"));
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(b.Switch(page, s.PageBack(), 272, 206 + 16 * i, "Switch_CheckBox", 2, i == 0 ? 1 : 0, i != 2));
    const char* names[] = {"Filter On", "Key Sync", "Disabled"};
    ASSERT_TRUE(b.Label(290, 206 + 16 * i, 80, names[i], 0, i != 2));
    ASSERT_TRUE(b.Switch(page, s.PageBack(), 372, 207 + 16 * i, "Switch_CheckBox_Medium", 2, i == 1, i != 2));
  }
  {
    tagHfcBmpFontInfo* font = Font("FontGeneva9");
    auto edit = std::make_unique<CHfcCtrlCharEditText>();
    tagHfcCtrlCharEditTextParamEx2 p{};
    p.x = 272;
    p.y = 258;
    p.width = 96;
    p.height = 13;
    p.background = Skin("EditText_96X13");
    p.backgroundX = 0;
    p.backgroundY = 0;
    p.font = font->bmp;
    p.rows = 1;
    p.columns = 16;
    p.selectionColor = 0x2B0000FF;
    p.cursorColor = 0xFF000000;
    p.sensitivity = 1.0;
    p.fineSensitivity = 0.1;
    p.proportional = 1;
    p.fontInfo = font;
    p.textColor = 0xFF000000;
    ASSERT_TRUE(edit->CreateEx2(&p, 1, 0));
    char name[] = "Warm Analog Pad";
    edit->SetPtrValue(name, false);
    edit->Enable(false);
    s.Own(page, std::move(edit));
  }
  ASSERT_TRUE(b.Label(400, 206, 100, "MIDI in"));
  for (int i = 0; i < 6; ++i) {
    // Frames 0, 1, 2 as time passes after a note, and a disabled one.
    const int value = i < 3 ? 3 : 0;
    const int idle = i == 0 ? 0 : (i == 1 ? 60 : 110);
    ASSERT_TRUE(b.Indicator(400 + 17 * i, 222, i, i < 3 ? value : 0, i != 5, i < 3 ? idle : 0));
  }
  for (int i = 0; i < 2; ++i) {
    auto pic = std::make_unique<XEStaticBmp>();
    SXEStaticBmp p{400 + 44 * i, 240, 36, 36, Skin("Knob_MeterBack"), 0, 0};
    ASSERT_TRUE(pic->Create(&p, 1, 0));
    if (i == 1) pic->Disable(false);
    s.Own(page, std::move(pic));
  }

  // A blue browser list with its scroll bars.
  {
    CHfcOffscreenContext* dc = s.PagePaint();
    dc->SetBrushColor(0xFF07080F);
    dc->FillRect(520, 186, 266, 104);
    page.GetOffscreen()->CopyBmp(520, 186, 266, 104, s.PageBack(), 520, 186);
    tagHfcBmpFontInfo* font = Font("FontGeneva9ForControls");
    auto list = std::make_unique<CMMPCtrlList>();
    tagMMPCtrlListParamEx p{};
    p.x = 524;
    p.y = 190;
    p.width = 240;
    p.height = 6 * 14;
    p.bgX = 524;
    p.bgY = 190;
    p.bgBmp = s.PageBack();
    p.font = font->bmp;
    p.maxItems = 128;
    p.columns = 2;
    p.rows = 6;
    p.marginX = 1;
    p.marginY = 1;
    p.textX = 1;
    p.verticalOrder = true;
    p.selectedColor = 0xFF6178C2;
    p.holdColor = 0xFFFFFFFF;
    p.dropTargetColor = 0xFFFFFFFF;
    p.proportional = 1;
    p.fontInfo = font;
    p.textColor = 0xFFFFFFFF;
    ASSERT_TRUE(list->CreateEx(&p, 1, 0));
    for (const char* name : kSounds) list->AddItem()->SetCaption(name);
    list->GetItem(2)->SetSelected(true);
    list->GetItem(8)->SetEnabled(false);
    list->SetItemDropTarget(9, true);
    list->SetFocusColor(0);
    s.Own(page, std::move(list));
    ASSERT_TRUE(b.ScrollBar(768, 190, 84, true, "Scrollbar_Blue_Vertical_IncDec", 0xFF6178C2, 0xFF07080F, 15, 6, 4));
    ASSERT_TRUE(b.ScrollBar(524, 276, 240, false, "Scrollbar_Blue_Horizontal_IncDec", 0xFF6178C2, 0xFF07080F, 2, 1, 0));
  }

  // Split keys: all keys, below, above, and a reversed bar showing none.
  ASSERT_TRUE(b.Title(8, 296, 778, "Split key"));
  // The page shows the keyboard; a bar tints the keys of its side.
  for (int i = 0; i < 4; ++i) {
    CHfcBmp* keys = Skin("Image_SplitPointKeyboard");
    ASSERT_TRUE(keys);
    s.PagePaint()->CopyBmp(60, 313 + 20 * i, keys->GetWidth() - 1, keys->GetHeight(), keys, 0, 0);
    page.GetOffscreen()->CopyBmp(60, 313 + 20 * i, keys->GetWidth() - 1, keys->GetHeight(), keys, 0, 0);
  }
  struct SplitCase {
    int kind, key, state, reversed;
    const char* label;
  };
  const SplitCase splits[] = {{0, 60, 0, 0, "All"}, {0, 60, 1, 0, "Lower"}, {1, 72, 2, 0, "Upper"},
                              {1, 48, 0, 1, "None"}};
  for (int i = 0; i < 4; ++i) {
    ASSERT_TRUE(b.Split(60, 313 + 20 * i, splits[i].kind, splits[i].key, splits[i].state, splits[i].reversed));
    ASSERT_TRUE(b.Label(16, 316 + 20 * i, 40, splits[i].label));
  }
  // Browser drop-downs, a red scroll bar and the parameter one beside them.
  ASSERT_TRUE(b.Dropdown(600, 12, "DropdownSwitch_BlueBrowser", 2, "FontHelvB11", 0xFF6178C2, 1, 2, 20,
                         {"Bank A"}, 0));
  ASSERT_TRUE(b.Dropdown(500, 52, "DropdownSwitch_RedBrowser_Long", 2, "FontHelvB11", 0xFFC0543E, 1, 2, 40,
                         {"Category: Keyboard"}, 0, true, "Keyboard"));

  s.DrawAll();
  window.Update(nullptr);
  os::HeadlessWindow* out = window.platform();
  ASSERT_TRUE(out->WritePng(std::string(VESK_RENDER_DIR) + "/skinned_controls.png"));
  // The page layer sits under the tab row and shows its controls.
  EXPECT_TRUE(page.IsVisible());
}

}  // namespace
