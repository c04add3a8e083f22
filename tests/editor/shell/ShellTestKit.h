#pragma once
// Controls for shell tests, made from the generated skins the way the
// control factory makes them but with the ids the tests choose, and a page
// that records what reaches it.
#include <memory>
#include <string>
#include <vector>

#include "editor/controls/FontManager.h"
#include "editor/controls/ResourceManager.h"
#include "editor/controls/XEKnob.h"
#include "editor/controls/XESoundSelector.h"
#include "editor/controls/XEStaticText.h"
#include "editor/shell/CTabPageLayer.h"
#include "editor/shell/EditTabPageLayerBase.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcCtrlSwitch.h"
#include "model/IStringConverter.h"

namespace shelltest {

inline CHfcBmp* Skin(const std::string& name) {
  return ResourceManager::GetInstance()->LoadImage(name);
}
inline tagHfcBmpFontInfo* Font(const std::string& name) {
  return FontManager::mInstance->GetBmpFontInfo(name);
}

// A knob of the editor's meter skin at (x, y) over the page background.
inline XEKnob* MakeKnob(int id, int x, int y, CHfcBmp* panel = nullptr) {
  CHfcBmp* meter = Skin("Knob_Meter");
  tagHfcBmpFontInfo* font = Font("FontGeneva9ForControls");
  tagZublKnobParamEx p{};
  p.x = x;
  p.y = y;
  p.width = meter->GetWidth();
  p.height = meter->GetHeight();
  p.panelX = x;
  p.panelY = y;
  p.panel = panel;
  p.minimum = 0;
  p.maximum = 127;
  p.ringX = p.ringY = p.ringRadius = 18.0f;
  p.startAngle = 3.9880764f;
  p.endAngle = -0.8203046f;
  p.gap = 0.05f;
  p.secondColor = 0xFFFFFFFF;
  p.modColor = 0xFF00FFFF;
  p.modMarkerColor = 0xFFFFFF00;
  p.meter = meter;
  p.face = Skin("Knob_MeterBack");
  p.minimumMeter = Skin("Knob_Meter_RND");
  p.font = font->bmp;
  p.fontInfo = font;
  p.textX = 7;
  p.textY = 15;
  p.textLength = 4;
  p.coarseStep = 1.0f;
  p.fineStep = 0.1f;
  p.keyStep = 1;
  p.proportional = 1;
  p.textColor = 0xFF000000;
  auto* knob = new XEKnob;
  if (!knob->CreateEx(&p, id, 0)) {
    delete knob;
    return nullptr;
  }
  knob->SetFocusColor(0);
  return knob;
}

inline CHfcCtrlSwitch* MakeCheckBox(int id, int x, int y, CHfcBmp* back = nullptr) {
  tagHfcCtrlSwitchParamEx p{};
  p.x = x;
  p.y = y;
  p.skin = Skin("Switch_CheckBox");
  p.bgBmp = back;
  p.bgX = x;
  p.bgY = y;
  p.states = 2;
  p.oneFramePerState = 1;
  auto* box = new CHfcCtrlSwitch;
  if (!box->CreateEx(&p, id, 0)) {
    delete box;
    return nullptr;
  }
  return box;
}

inline XEStaticText* MakeLabel(int id, int x, int y, int width, const std::string& text,
                               CHfcBmp* back = nullptr) {
  SXEStaticText p{};
  p.x = x;
  p.y = y;
  p.width = width;
  p.back = back;
  p.backX = x;
  p.backY = y;
  p.font = Font("FontGeneva9");
  p.text = text.c_str();
  p.color = 0xFF000000;
  auto* label = new XEStaticText;
  if (!label->Create(&p, id, 0)) {
    delete label;
    return nullptr;
  }
  return label;
}

inline XESoundSelector* MakeSelector(int id, int kind, int x, int y, CHfcBmp* back = nullptr) {
  SXESoundSelector p{};
  p.kind = kind;
  p.x = x;
  p.y = y;
  p.frame = Skin("SoundSelector_LCD_139X13");
  p.back = back;
  p.backX = x;
  p.backY = y;
  p.margin = 3;
  p.color = 0xFF000000;
  auto* selector = new XESoundSelector;
  if (!selector->Create(&p, id, 0)) {
    delete selector;
    return nullptr;
  }
  return selector;
}

// A converter whose texts are all as long as its template.
class FixedWidthConverter : public IStringConverter {
 public:
  explicit FixedWidthConverter(std::string shape) : shape_(std::move(shape)) {}
  std::string Format(int) const override { return shape_ + std::string(1, '\0') + "s"; }
  int Parse(const char*) const override { return 0; }
  std::pair<int32_t, int32_t> Range() const override { return {0, 127}; }

 private:
  std::string shape_;
};

// Adds a created control to a page, shown and heard by the page, then
// links (pid != -1) and synchronises it.
template <typename Page, typename T>
T* PutOn(Page* page, T* control, int pid) {
  page->AddControl(control, false);
  control->SetListener(page);
  control->Show(false);
  if (pid != -1) {
    page->LinkControlWithParam(control, page->GetTargetMode(), pid);
    page->SynchronizeControlWithParam(control, true);
  }
  return control;
}

// A page whose controls the test adds; it listens to them as pages do.
class TestPage : public CTabPageLayer {
 public:
  explicit TestPage(Oskend::IRemoteSynth* synth, eMode mode = eMode_ProgEdit)
      : CTabPageLayer(synth, "Test") {
    SetTargetMode(mode);
  }
  template <typename T>
  T* Put(T* control, int pid = -1) {
    return PutOn(this, control, pid);
  }
};

// The same as an edit page (program edit), which also draws containers.
class TestEditPage : public EditTabPageLayerBase {
 public:
  explicit TestEditPage(Oskend::IRemoteSynth* synth) : EditTabPageLayerBase(synth, eMode_ProgEdit) {}
  template <typename T>
  T* Put(T* control, int pid = -1) {
    return PutOn(this, control, pid);
  }
};

}  // namespace shelltest
