// Every spare control on one instrument panel, drawn from the generated
// skins and left as a picture in the build folder to be looked at.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "editor/controls/FontManager.h"
#include "editor/controls/ResourceManager.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcOffscreenContext.h"
#include "spare/CHfcCtrlAmtKnob.h"
#include "spare/CHfcCtrlBitmapList.h"
#include "spare/CHfcCtrlButton.h"
#include "spare/CHfcCtrlCharLcd.h"
#include "spare/CHfcCtrlCharStaticText.h"
#include "spare/CHfcCtrlEnvelopeGraph.h"
#include "spare/CHfcCtrlEqGraph.h"
#include "spare/CHfcCtrlHorizontalFader.h"
#include "spare/CHfcCtrlHorizontalVuMeter.h"
#include "spare/CHfcCtrlLed.h"
#include "spare/CHfcCtrlMTap.h"
#include "spare/CHfcCtrlOnOffButton.h"
#include "spare/CHfcCtrlScrollBar.h"
#include "spare/CHfcCtrlSelectKnob.h"
#include "spare/CHfcCtrlStringDisplay.h"
#include "spare/CHfcCtrlVerticalFader.h"
#include "spare/CHfcCtrlVerticalVuMeter.h"
#include "spare/XERTCSlider.h"
#include "spare/XEUpdownSelector.h"
#include "tests/hfc/HfcFakes.h"
#include "tests/support/TestEnvironment.h"

namespace {

constexpr int kW = 800, kH = 560;

// The panel behind the controls: a dark instrument panel with one recessed
// plate per group and its title.
class Sheet {
 public:
  explicit Sheet(CHfcWindow* window) : panel_(kW, kH) {
    ResourceManager::Initialize();
    FontManager::Initialize();
    images_ = ResourceManager::GetInstance();
    for (int y = 0; y < kH; ++y) {
      const float t = static_cast<float>(y) / kH;
      const auto mix = [t](int a, int b) { return static_cast<uint32_t>(a + (b - a) * t); };
      panel_.SetBrushColor(0xFF000000u | mix(0x3B, 0x24) << 16 | mix(0x3E, 0x26) << 8 | mix(0x45, 0x2B));
      panel_.FillRect(0, y, kW, 1);
    }
    ok_ = layer_.Create(0, 0, kW, kH, window);
  }
  ~Sheet() {
    layer_.Destroy();
    FontManager::Uninitialize();
    ResourceManager::Uninitialize();
  }
  bool ok() const { return ok_; }
  CHfcBmp* Image(const char* name) { return images_->LoadImage(name); }
  CHfcBmp* Back() { return panel_.GetBmp(); }

  // A group plate with its title above the top-left corner.
  void Plate(int x, int y, int w, int h, const char* title) {
    panel_.SetBrushColor(0xFF17181C);
    panel_.FillRect(x, y, w, h);
    panel_.SetBrushColor(0xFF2C2F35);
    panel_.FillRect(x + 1, y + 1, w - 2, h - 2);
    panel_.SetBrushColor(0xFF595D66);
    panel_.FillRect(x + 1, y + h - 1, w - 1, 1);
    Text(x + 2, y - 4, title, 0xFFB4B8C0);
  }
  // A dark recess a few pixels round a display.
  void Bezel(int x, int y, int w, int h) {
    panel_.SetBrushColor(0xFF0B0C0E);
    panel_.FillRect(x - 3, y - 3, w + 6, h + 6);
    panel_.SetBrushColor(0xFF595D66);
    panel_.FillRect(x - 2, y + h + 2, w + 4, 1);
  }
  void Text(int x, int y, const char* text, uint32_t colour) {
    panel_.SetFont("Helvetica-Bold", 9.0f);
    panel_.SetBrushColor(colour);
    panel_.DrawText(static_cast<float>(x), static_cast<float>(y), text, std::strlen(text));
  }
  // The panel goes into the layer once every plate is drawn.
  void Settle() {
    layer_.GetOffscreen()->CopyBmp(0, 0, kW, kH, panel_.GetBmp(), 0, 0);
    layer_.Show(false);
  }

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

 private:
  bool ok_ = false;
  ResourceManager* images_ = nullptr;
  CHfcOffscreenContext panel_;
  CHfcWindowLayer layer_;
  std::vector<std::unique_ptr<CHfcControl>> controls_;
};

// A peaking section of the usual recipe, as a graph's owner would design it.
CHfcCtrlEqGraph::tagEqBandValue PeakingBand(int band, double f0, double gainDb, double q) {
  const double a = std::pow(10.0, gainDb / 40.0), w0 = 2.0 * M_PI * f0 / 44100.0;
  const double alpha = std::sin(w0) / (2.0 * q), a0 = 1.0 + alpha / a;
  return {3, band,
          {static_cast<float>((1.0 + alpha * a) / a0), static_cast<float>(-2.0 * std::cos(w0) / a0),
           static_cast<float>((1.0 - alpha * a) / a0), static_cast<float>(-2.0 * std::cos(w0) / a0),
           static_cast<float>((1.0 - alpha / a) / a0)}};
}

TEST(SpareSheet, EverySpareControlFromTheGeneratedSkins) {
  vesk::test::TestEnvironment env;
  hfctest::HeadlessHfcWindow window(kW, kH);
  Sheet s(&window);
  ASSERT_TRUE(s.ok());

  // ---- Displays ----
  s.Plate(16, 22, 768, 74, "DISPLAY");
  s.Bezel(30, 40, 272, 29);
  s.Bezel(330, 44, 192, 20);
  s.Text(548, 82, "MIDI", 0xFFB4B8C0);
  s.Text(576, 82, "CLIP", 0xFFB4B8C0);
  s.Text(604, 82, "SYNC", 0xFFB4B8C0);
  s.Bezel(660, 46, 100, 16);
  // ---- Graphs ----
  s.Plate(16, 120, 768, 132, "");
  s.Text(30, 116, "EQUALISER", 0xFFB4B8C0);
  s.Text(286, 116, "ENVELOPE", 0xFFB4B8C0);
  s.Text(560, 116, "DELAY TAPS", 0xFFB4B8C0);
  // ---- Controls ----
  s.Plate(16, 276, 500, 168, "");
  s.Text(30, 272, "REAL-TIME CONTROL", 0xFFB4B8C0);
  s.Text(180, 272, "MOD AMOUNT", 0xFFB4B8C0);
  s.Text(340, 272, "WAVE", 0xFFB4B8C0);
  s.Text(178, 392, "TRANSPORT", 0xFFB4B8C0);
  s.Plate(532, 276, 252, 168, "MIXER");
  s.Plate(16, 468, 768, 76, "LEVELS");
  s.Text(30, 492, "IN", 0xFFB4B8C0);
  s.Text(30, 506, "OUT", 0xFFB4B8C0);
  s.Text(256, 492, "FREQ", 0xFFB4B8C0);
  s.Text(256, 522, "RES", 0xFFB4B8C0);
  s.Text(30, 523, "L", 0xFFB4B8C0);
  s.Text(30, 533, "R", 0xFFB4B8C0);
  s.Settle();

  // The character LCD, editing its name with the caret on the sixth cell.
  auto lcd = std::make_unique<CHfcCtrlCharLcd>();
  tagHfcCtrlCharLcdParam lp;
  lp.x = 30;
  lp.y = 40;
  lp.width = 272;
  lp.height = 0;
  lp.glyphs = s.Image("Spare_Lcd_Glyphs");
  lp.background = s.Image("Spare_Lcd_Back");
  lp.characters = 16;
  ASSERT_TRUE(lcd->Create(&lp, 1, 0));
  char name[] = "A012 Choir Aah";
  lcd->SetPtrValue(name, false);
  s.Own(std::move(lcd));

  auto text = std::make_unique<CHfcCtrlCharStaticText>();
  tagHfcCtrlCharStaticTextParam tp;
  tp.x = 330;
  tp.y = 44;
  tp.glyphs = s.Image("Spare_Text_Glyphs");
  tp.glyphWidth = tp.glyphHeight = 0;
  tp.lines = 1;
  tp.columns = 16;
  ASSERT_TRUE(text->Create(&tp, 1, 0));
  char tempo[] = "TEMPO  120.0 BPM";
  text->SetPtrValue(tempo, false);
  s.Own(std::move(text));

  for (int i = 0; i < 3; ++i) {
    auto led = std::make_unique<CHfcCtrlLed>();
    tagHfcCtrlLedParam p;
    p.x = 552 + 28 * i;
    p.y = 52;
    p.states = s.Image("Spare_Led");
    p.background = s.Back();
    p.backgroundX = p.x;
    p.backgroundY = p.y;
    p.stateCount = 3;
    ASSERT_TRUE(led->Create(&p, 1, 0));
    led->SetIntValue(i, false);
    s.Own(std::move(led));
  }
  auto onOff = std::make_unique<CHfcCtrlOnOffButton>();
  tagHfcCtrlOnOffButtonParam op{720, 72, 0, 0, s.Image("Spare_OnOffButton"), s.Back(), 720, 72};
  ASSERT_TRUE(onOff->Create(&op, 1, 0));
  onOff->SetIntValue(1, false);
  s.Own(std::move(onOff));
  auto stringDisplay = std::make_unique<CHfcCtrlStringDisplay>();
  tagHfcCtrlStringDisplayParam sp{660, 46, 100, 16, 16, {0, 0}, 0xFFB9C8AA, 0};
  ASSERT_TRUE(stringDisplay->Create(&sp, 1, 0));
  stringDisplay->SetIntValue(-12, false);
  s.Own(std::move(stringDisplay));

  // EQ: a low shelf-like boost, a mid cut and the third band selected.
  auto eq = std::make_unique<CHfcCtrlEqGraph>();
  tagHfcCtrlEqGraphParam ep;
  ep.x = 30;
  ep.y = 136;
  ep.width = 240;
  ep.height = 100;
  ep.background = s.Image("Spare_EqGraph_Back");
  ep.bands = 3;
  ep.curveColour = 0xFFFFA21F;
  ep.selectedFill = 0xFFFFA21F;
  ep.otherFill = 0xFF2C2F35;
  ep.otherOutline = 0xFFE6E8EC;
  ASSERT_TRUE(eq->Create(&ep, 1, 0));
  const double bands[3][3] = {{120.0, 6.0, 0.8}, {900.0, -5.0, 1.2}, {5000.0, 4.0, 1.0}};
  for (int b = 0; b < 3; ++b) {
    CHfcCtrlEqGraph::tagEqBandValue v = PeakingBand(b, bands[b][0], bands[b][1], bands[b][2]);
    eq->SetPtrValue(&v, false);
    v = {0, b, {static_cast<float>(bands[b][0])}};
    eq->SetPtrValue(&v, false);
    v = {2, b, {static_cast<float>(bands[b][1])}};
    eq->SetPtrValue(&v, false);
  }
  CHfcCtrlEqGraph::tagEqBandValue select{5, 2, {}};
  eq->SetPtrValue(&select, false);
  s.Own(std::move(eq));

  // Envelope: attack, decay, sustain, release with the decay point held.
  auto env4 = std::make_unique<CHfcCtrlEnvelopeGraph>();
  tagHfcCtrlEnvelopeGraphParam gp;
  gp.x = 286;
  gp.y = 136;
  gp.background = s.Image("Spare_EnvGraph_Back");
  gp.points = 5;
  gp.handleSize = 7;
  gp.lineColour = 0xFFFFA21F;
  gp.selectedFill = 0xFFFFA21F;
  gp.selectedOutline = 0xFFFFFFFF;
  gp.otherFill = 0xFF2C2F35;
  gp.otherOutline = 0xFFE6E8EC;
  ASSERT_TRUE(env4->Create(&gp, 1, 0));
  const CHfcCtrlEnvelopeGraph::tagEnvelopeValue adsr[] = {
      {0, 0, 0}, {1, 127, 30}, {2, 80, 60}, {3, 80, 90}, {4, 0, 70}};
  env4->SetEnvelopeAllValue(adsr, false);
  s.Own(std::move(env4));

  auto tap = std::make_unique<CHfcCtrlMTap>();
  tagHfcCtrlMTapParam mp = CHfcCtrlMTap::sm_mInitParam;
  mp.x = 560;
  mp.y = 136;
  mp.width = 200;
  mp.height = 104;
  mp.background = s.Image("Spare_MTap_Back");
  mp.backgroundX = mp.backgroundY = 0;
  mp.taps = 4;
  mp.centreX = 100.0f;
  mp.centreY = 96.0f;
  mp.innerRadius = 20.0f;
  mp.outerRadius = 90.0f;
  mp.pointSize = 3.5f;
  mp.highlightFill = 0xFFFFA21F;
  mp.highlightPen = 0xFFFFFFFF;
  mp.normalFill = 0xFF2C2F35;
  mp.normalPen = 0xFFE6E8EC;
  mp.normalPenWidth = 1.5f;
  ASSERT_TRUE(tap->Create(&mp, 1, 0));
  const float taps[4][2] = {{0.15f, 0.3f}, {0.4f, 0.55f}, {0.65f, 0.75f}, {0.9f, 0.95f}};
  for (int i = 0; i < 4; ++i) {
    tagHfcCtrlMTapChange pan{0, i, taps[i][0], 0}, time{1, i, taps[i][1], 0};
    tap->SetPtrValue(&pan, false);
    tap->SetPtrValue(&time, false);
  }
  tagHfcCtrlMTapChange hi{3, 1, 0, 0};
  tap->SetPtrValue(&hi, false);
  s.Own(std::move(tap));

  // Real-time sliders at several heights.
  const int sliderValues[] = {127, 90, 40, 0};
  for (int i = 0; i < 4; ++i) {
    auto slider = std::make_unique<XERTCSlider>();
    const int x = 30 + 34 * i;
    tagHfcCtrlKnobParam p{x, 292, 0, 0, s.Image("Spare_RTCSlider"), s.Back(), x, 292, 32, 0, 0, 127, 1};
    ASSERT_TRUE(slider->Create(&p, 1, 0));
    slider->SetOffsetMode(1);
    slider->SetIntValue(sliderValues[i], false);
    s.Own(std::move(slider));
  }
  // Amount knobs: a modulation range and amount round each.
  const int amounts[3][3] = {{64, 64, 100}, {90, 30, 90}, {20, 20, 50}};
  for (int i = 0; i < 3; ++i) {
    auto knob = std::make_unique<CHfcCtrlAmtKnob>();
    tagHfcCtrlAmtKnobParam p{};
    const int x = 180 + 54 * i;
    static_cast<tagHfcCtrlKnobParam&>(p) = {x, 306, 0, 0, s.Image("Spare_AmtKnob"), s.Back(), x, 306, 64, 0, 0, 127, 1};
    p.marginX = 2;
    p.marginY = 2;
    p.rangeColour = 0xFF17181C;
    p.amountColour = 0xFFFFA21F;
    ASSERT_TRUE(knob->Create(&p, 1, 0));
    knob->SetIntValue(amounts[i][0], false);
    CHfcCtrlAmtKnob::tagAmtValue a{1, amounts[i][1]}, b{3, amounts[i][2]};
    knob->SetPtrValue(&a, false);
    knob->SetPtrValue(&b, false);
    s.Own(std::move(knob));
  }
  auto selectKnob = std::make_unique<CHfcCtrlSelectKnob>();
  tagHfcCtrlSelectKnobParam kp{340, 290, 0, 0, s.Image("Spare_SelectKnob"), s.Back(), 340, 290, 8, 0, 10,
                               225.0f, -270.0f};
  ASSERT_TRUE(selectKnob->Create(&kp, 1, 0));
  selectKnob->SetIntValue(3, false);
  s.Own(std::move(selectKnob));

  auto selector = std::make_unique<XEUpdownSelector>();
  SXEUpdownSelector up{340, 352, s.Image("Spare_UpDown_Back"), 102, 0, 120, 10, 102, 10, 120, 20, {0, 0, 0},
                       nullptr, 0xFFFFA21F};
  ASSERT_TRUE(selector->Create(&up, 1, 0));
  for (const char* item : {"Sine", "Triangle", "Saw Down", "Square", "Noise"}) selector->AddItem(item);
  selector->SetIntValue(2, false);
  s.Own(std::move(selector));
  auto wave = std::make_unique<CHfcCtrlBitmapList>();
  tagHfcCtrlBitmapListParam wp;
  wp.x = 412;
  wp.y = 302;
  wp.items = s.Image("Spare_Wave_Icons");
  wp.itemCount = 5;
  ASSERT_TRUE(wave->Create(&wp, 1, 0));
  wave->SetIntValue(2, false);
  s.Own(std::move(wave));
  for (int i = 0; i < 2; ++i) {
    auto button = std::make_unique<CHfcCtrlButton>();
    tagHfcCtrlButtonParam bp;
    bp.x = 180 + 74 * i;
    bp.y = 400;
    bp.button = s.Image("Spare_Button_Transport");
    bp.values = 2;
    ASSERT_TRUE(button->Create(&bp, 1, 0));
    button->SetIntValue(i, false);
    s.Own(std::move(button));
  }
  auto scroll = std::make_unique<CHfcCtrlScrollBar>();
  tagHfcCtrlScrollBarParam bp = CHfcCtrlScrollBar::sm_mInitParam;
  bp.x = 490;
  bp.y = 292;
  bp.width = 14;
  bp.height = 140;
  bp.buttons = s.Image("Spare_ScrollBar_Buttons");
  bp.maximum = 100;
  bp.viewSize = 25;
  bp.bodyColour = 0xFF6A6F78;
  bp.backColour = 0xFF17181C;
  ASSERT_TRUE(scroll->Create(&bp, 1, 0));
  scroll->SetIntValue(30, false);
  s.Own(std::move(scroll));

  // Mixer: four channel faders.
  const int faderValues[] = {100, 80, 64, 20};
  for (int i = 0; i < 4; ++i) {
    auto fader = std::make_unique<CHfcCtrlVerticalFader>();
    tagHfcCtrlVerticalFaderParam fp;
    fp.x = 548 + 58 * i;
    fp.y = 284;
    fp.width = 36;
    fp.height = 150;
    fp.thumb = s.Image("Spare_VFader_Thumb");
    fp.background = s.Image("Spare_VFader_Back");
    fp.thumbX = 5;
    fp.trackTop = 4;
    fp.trackLength = 142;
    fp.maximum = 127;
    ASSERT_TRUE(fader->Create(&fp, 1, 0));
    fader->SetIntValue(faderValues[i], false);
    s.Own(std::move(fader));
  }

  // Levels: input and output meters with their held peaks, two faders.
  for (int i = 0; i < 2; ++i) {
    auto meter = std::make_unique<CHfcCtrlHorizontalVuMeter>();
    tagHfcCtrlHorizontalVuMeterParam hp = CHfcCtrlHorizontalVuMeter::sm_mInitParam;
    hp.x = 60;
    hp.y = 484 + 14 * i;
    hp.width = hp.height = 0;
    hp.bar = s.Image("Spare_HMeter_Bar");
    hp.background = s.Image("Spare_HMeter_Back");
    hp.peakHold = 1000;
    ASSERT_TRUE(meter->Create(&hp, 1, 0));
    // A held peak above a level that has fallen back since.
    meter->SetFloatValue(i == 0 ? 0.9f : 0.6f, false);
    meter->OnIdle(5);
    meter->SetFloatValue(i == 0 ? 0.45f : 0.3f, false);
    s.Own(std::move(meter));
  }
  for (int i = 0; i < 2; ++i) {
    auto meter = std::make_unique<CHfcCtrlVerticalVuMeter>();
    tagHfcCtrlVerticalVuMeterParam vp;
    vp.x = 60;
    vp.y = 516 + 10 * i;
    vp.width = vp.height = 0;
    vp.bar = s.Image("Spare_VMeter_Bar");
    vp.background = s.Image("Spare_VMeter_Back");
    vp.peakHold = 500;
    ASSERT_TRUE(meter->Create(&vp, 1, 0));
    meter->SetFloatValue(i == 0 ? 0.8f : 0.7f, false);
    meter->OnIdle(5);
    meter->SetFloatValue(i == 0 ? 0.4f : 0.35f, false);
    s.Own(std::move(meter));
  }
  for (int i = 0; i < 2; ++i) {
    auto fader = std::make_unique<CHfcCtrlHorizontalFader>();
    tagHfcCtrlHorizontalFaderParam hp = CHfcCtrlHorizontalFader::sm_mInitParam;
    hp.x = 290;
    hp.y = 478 + 30 * i;
    hp.thumb = s.Image("Spare_HFader_Thumb");
    hp.background = s.Image("Spare_HFader_Back");
    hp.backgroundX = hp.backgroundY = 0;
    hp.thumbWidth = hp.thumbHeight = 0;
    hp.extraWidth = 140;
    hp.extraHeight = 20;
    hp.trackLength = 140;
    hp.maximum = 127;
    hp.initialValue = i == 0 ? 90 : 30;
    ASSERT_TRUE(fader->Create(&hp, 1, 0));
    s.Own(std::move(fader));
  }

  s.DrawAll();
  window.Update(nullptr);
  os::HeadlessWindow* out = window.platform();
  ASSERT_TRUE(out->WritePng(std::string(VESK_RENDER_DIR) + "/spare_controls.png"));
}

}  // namespace
