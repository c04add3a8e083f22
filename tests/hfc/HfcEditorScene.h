#pragma once
// A whole editor window for the tests and the benchmark: the front panel
// as the bottom layer (background, LCD texts, mode and on/off switches,
// real-time and effect knobs, wheels, tabs) and an edit page as a second
// layer on top of it (sections with ring knobs, labels and check boxes).
// Skins and fonts come from the generated skins through the image cache.
#include <memory>
#include <string>
#include <vector>

#include "editor/controls/FontManager.h"
#include "editor/controls/ResourceManager.h"
#include "hfc/CHfcOffscreenContext.h"
#include "hfc/CHfcWindow.h"
#include "hfc/CHfcWindowLayer.h"
#include "tests/hfc/HfcSkinFakes.h"

namespace hfctest {

class EditorScene {
 public:
  static constexpr int kWidth = 800;
  static constexpr int kHeight = 600;
  // The edit page's place in the window.
  static constexpr int kPageX = 4;
  static constexpr int kPageY = 124;
  static constexpr int kPageW = 792;
  static constexpr int kPageH = 395;

  explicit EditorScene(CHfcWindow* window) {
    ResourceManager::Initialize();
    FontManager::Initialize();
    ResourceManager* images = ResourceManager::GetInstance();
    FontManager* fonts = FontManager::mInstance;
    bg_ = images->LoadImage("Background_Base");
    helv_ = fonts->GetBmpFontInfo("FontHelvB11");
    geneva_ = fonts->GetBmpFontInfo("FontGeneva9");
    controlsFont_ = fonts->GetBmpFontInfo("FontGeneva9ForControls");
    mini_ = fonts->GetBmpFontInfo("FontMiniMoji5");
    arial_ = fonts->GetBmpFontInfo("FontArialB12");
    ok_ = bg_ && helv_ && geneva_ && controlsFont_ && mini_ && arial_ &&
          root_.Create(0, 0, kWidth, kHeight, window) &&
          page_.Create(kPageX, kPageY, kPageW, kPageH, window);
    if (!ok_) return;
    root_.GetOffscreen()->CopyBmp(0, 0, kWidth, kHeight, bg_, 0, 0);
    BuildPanel(images);
    PaintPage();
    BuildPage(images);
    root_.Show(false);
    page_.Show(false);
  }
  ~EditorScene() {
    page_.Destroy();
    root_.Destroy();
    FontManager::Uninitialize();
    ResourceManager::Uninitialize();
  }

  bool ok() const { return ok_; }
  CHfcWindowLayer& root() { return root_; }
  CHfcWindowLayer& page() { return page_; }
  // Draws every control into its layer's picture.
  void DrawControls() {
    for (auto& c : controls_) c->Update(true, false);
  }
  CHfcControl* firstPageKnob() const { return firstPageKnob_; }

 private:
  template <typename T, typename... Args>
  T* Add(CHfcWindowLayer& layer, int x, int y, int w, int h, Args&&... args) {
    auto control = std::make_unique<T>(std::forward<Args>(args)...);
    CHfcBmp* back = &layer == &root_ ? bg_ : page_.GetOffscreen()->GetBmp();
    // A control repaints what lies under it; on the page that is a copy
    // of the page's own background taken before any control drew.
    if (&layer == &page_) back = pageBack_.get() ? pageBack_->GetBmp() : nullptr;
    control->Place(x, y, w, h, back, x, y);
    layer.AddControl(control.get(), false);
    T* raw = control.get();
    controls_.push_back(std::move(control));
    return raw;
  }

  StripControl* Strip(CHfcWindowLayer& layer, CHfcBmp* strip, int frames, int x, int y, int value) {
    if (!strip) return nullptr;
    StripControl* c = Add<StripControl>(layer, x, y, strip->GetWidth(),
                                        strip->GetHeight() / frames, strip, frames);
    c->SetMaxIntValue(frames - 1, false);
    c->SetIntValue(value, false);
    return c;
  }

  void Text(CHfcWindowLayer& layer, int x, int y, int w, int h, const std::string& text,
            tagHfcBmpFontInfo* font, uint32_t colour, int align = 0, uint32_t fill = 0) {
    Add<TextLabel>(layer, x, y, w, h, text, font, colour, align, fill);
  }

  void BuildPanel(ResourceManager* images) {
    // LCD.
    Text(root_, 18, 16, 26, 14, "A000", helv_, 0xFF0400FD);
    Text(root_, 48, 16, 120, 14, "Warm Analog Pad", helv_, 0xFF0400FD);
    Text(root_, 18, 34, 100, 13, "Bank A  Pad/Strings", geneva_, 0xFF0400FD);
    Text(root_, 128, 34, 40, 13, "120.00", geneva_, 0xFF0400FD, 1);
    // Mode switches and the utility switch.
    CHfcBmp* mode = images->LoadImage("Switch_ModeSelect");
    const char* modes[] = {"COMBI", "PROG", "GLOBAL", "UTILITY"};
    const int modeX[] = {31, 67, 103, 138};
    for (int i = 0; i < 4; ++i) {
      Text(root_, modeX[i] - 2, 55, 36, 8, modes[i], mini_, 0xFFC8CCD4, 1);
      Strip(root_, mode, 2, modeX[i], 64, i == 1 ? 1 : 0);
    }
    // Easy setup.
    CHfcBmp* onOff = images->LoadImage("TimbreOnOff_SW");
    const char* easy[] = {"VOLUME", "OCTAVE", "CC SEND", "RD SEND"};
    for (int i = 0; i < 4; ++i) {
      const int x = 180 + (i / 2) * 45;
      const int y = 22 + (i % 2) * 30;
      Text(root_, x, y - 9, 40, 8, easy[i], mini_, 0xFFC8CCD4, 1);
      Strip(root_, onOff, 2, x + 2, y, i == 0 ? 1 : 0);
    }
    // Real-time knobs with their on/off switches.
    CHfcBmp* rt = images->LoadImage("Knob_RealTimeKnob");
    const char* rtNames[] = {"CUTOFF", "RESONANCE", "EG INT", "RELEASE", "LFO SPEED", "LFO INT"};
    const int rtValues[] = {92, 40, 70, 30, 64, 18};
    for (int i = 0; i < 6; ++i) {
      Text(root_, 290 + 44 * i, 11, 44, 8, rtNames[i], mini_, 0xFFC8CCD4, 1);
      Strip(root_, rt, 127, 297 + 44 * i, 23, rtValues[i]);
      Strip(root_, onOff, 2, 292 + 44 * i + 4, 66, i < 3 ? 1 : 0);
    }
    // Effects and EQ.
    CHfcBmp* fx = images->LoadImage("Knob_FxParamKnob");
    Text(root_, 560, 12, 80, 11, "FX 1", geneva_, 0xFFC8CCD4);
    Text(root_, 560, 28, 80, 11, "Stereo Chorus", geneva_, 0xFFFFA21F);
    Text(root_, 646, 12, 76, 11, "FX 2", geneva_, 0xFFC8CCD4);
    Text(root_, 646, 28, 76, 11, "Delay L/R", geneva_, 0xFFFFA21F);
    Text(root_, 728, 12, 66, 11, "EQ", geneva_, 0xFFC8CCD4);
    Text(root_, 728, 28, 66, 11, "Lo  Mid  Hi", geneva_, 0xFFFFA21F);
    const int fxX[] = {562, 590, 618, 647, 675, 703, 730, 754, 776};
    const int fxValues[] = {50, 80, 20, 100, 64, 35, 70, 64, 88};
    for (int i = 0; i < 9; ++i) Strip(root_, fx, 127, fxX[i], 55, fxValues[i]);
    // Tabs of the edit pages.
    const char* tabs[] = {"PLAY", "BASIC", "OSC", "FILTER", "AMP", "LFO", "FX"};
    for (int i = 0; i < 7; ++i) {
      const bool active = i == 3;
      Text(root_, 8 + i * 81, 96, 76, active ? 28 : 24, tabs[i], helv_,
           active ? 0xFF1B1D22 : 0xFFC8CCD4, 1, active ? 0xFFDCDEE2 : 0xFF454951);
    }
    // Wheels and the logo badge.
    CHfcBmp* wheel = images->LoadImage("ControllerWheel");
    Strip(root_, wheel, 128, 77, 529, 64);
    Strip(root_, wheel, 128, 101, 529, 20);
    Text(root_, 9, 540, 56, 20, "VESK", arial_, 0xFFFFA21F, 1);
  }

  struct Section {
    int x, y, w, h;
    const char* title;
    const char* knobs[4];
    int values[4];
  };

  void PaintPage() {
    CHfcOffscreenContext* dc = page_.GetOffscreen();
    dc->CopyBmp(0, 0, kPageW, kPageH, bg_, kPageX, kPageY);
    for (const Section& s : kSections) {
      dc->SetBrushColor(0xFF9096A0);
      dc->FillRect(s.x, s.y, s.w, s.h);
      dc->SetBrushColor(0xFFF1F2F4);
      dc->FillRect(s.x + 1, s.y + 1, s.w - 2, s.h - 2);
      dc->SetBrushColor(0xFF3A3E46);
      dc->FillRect(s.x + 1, s.y + 1, s.w - 2, 17);
    }
    pageBack_ = std::make_unique<CHfcOffscreenContext>(kPageW, kPageH);
    pageBack_->CopyBmp(0, 0, kPageW, kPageH, dc->GetBmp(), 0, 0);
  }

  void BuildPage(ResourceManager* images) {
    CHfcBmp* meter = images->LoadImage("Knob_Meter");
    CHfcBmp* face = images->LoadImage("Knob_MeterBack");
    CHfcBmp* check = images->LoadImage("Switch_CheckBox");
    for (const Section& s : kSections) {
      Text(page_, s.x + 8, s.y + 2, s.w - 16, 15, s.title, helv_, 0xFFFFFFFF);
      const int step = (s.w - 20) / 4;
      for (int i = 0; i < 4; ++i) {
        if (!s.knobs[i]) continue;
        const int kx = s.x + 10 + i * step + (step - 36) / 2;
        RingKnob* knob = Add<RingKnob>(page_, kx, s.y + 30, 36, 36, meter, face, controlsFont_);
        knob->SetMinIntValue(0, false);
        knob->SetMaxIntValue(127, false);
        knob->SetIntValue(s.values[i], false);
        if (!firstPageKnob_) firstPageKnob_ = knob;
        Text(page_, s.x + 10 + i * step, s.y + 70, step, 12, s.knobs[i], geneva_, 0xFF000000, 1);
      }
      if (s.h > 110) {
        const char* boxes[] = {"Key Sync", "Tempo Sync"};
        for (int i = 0; i < 2; ++i) {
          Strip(page_, check, 2, s.x + 14 + i * 120, s.y + 100, i == 0 ? 1 : 0);
          Text(page_, s.x + 32 + i * 120, s.y + 100, 90, 13, boxes[i], geneva_, 0xFF000000);
        }
      }
    }
  }

  static constexpr Section kSections[] = {
      {10, 10, 250, 96, "Oscillator 1", {"Octave", "Transpose", "Tune", "Level"}, {64, 70, 58, 110}},
      {270, 10, 250, 96, "Filter", {"Cutoff", "Resonance", "EG Int", "Key Track"}, {92, 40, 96, 64}},
      {530, 10, 252, 96, "Amp", {"Level", "Pan", "Velocity", "Drive"}, {100, 64, 80, 12}},
      {10, 116, 380, 130, "Filter EG", {"Attack", "Decay", "Sustain", "Release"}, {8, 60, 90, 45}},
      {400, 116, 382, 130, "LFO 1", {"Frequency", "Delay", "Fade In", "Intensity"}, {72, 0, 30, 84}},
      {10, 256, 380, 130, "Amp EG", {"Attack", "Decay", "Sustain", "Release"}, {2, 50, 127, 70}},
      {400, 256, 382, 130, "LFO 2", {"Frequency", "Delay", "Fade In", "Intensity"}, {40, 16, 0, 20}},
  };

  bool ok_ = false;
  CHfcBmp* bg_ = nullptr;
  tagHfcBmpFontInfo* helv_ = nullptr;
  tagHfcBmpFontInfo* geneva_ = nullptr;
  tagHfcBmpFontInfo* controlsFont_ = nullptr;
  tagHfcBmpFontInfo* mini_ = nullptr;
  tagHfcBmpFontInfo* arial_ = nullptr;
  CHfcWindowLayer root_;
  CHfcWindowLayer page_;
  std::unique_ptr<CHfcOffscreenContext> pageBack_;
  std::vector<std::unique_ptr<CHfcControl>> controls_;
  CHfcControl* firstPageKnob_ = nullptr;
};

}  // namespace hfctest
