#include "editor/pages/program/ProgBasicLayer.h"

#include <algorithm>
#include <cstdlib>

#include "editor/controls/XEDropdownList.h"
#include "editor/controls/ZubZoneSlopeBar.h"
#include "editor/pages/program/PageBuilder.h"
#include "editor/shell/XEControlContainer.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcCtrlCharEditText.h"
#include "hfc/CHfcOffscreenContext.h"
#include "model/IStringConverter.h"
#include "model/paramdesc/SParamDesc.h"

namespace {

bool IsZoneKey(int id) {
  return id == 0x0D0D || id == 0x0D0E || id == 0x0D12 || id == 0x0D13 || id == 0x0D14 || id == 0x0D15;
}

// Bar index of a zone key: OSC1, OSC2, Hold.
int BarOf(int pid) { return pid == 0x0D12 || pid == 0x0D13 ? 0 : pid == 0x0D14 || pid == 0x0D15 ? 1 : 2; }
bool IsBottom(int pid) { return pid == 0x0D12 || pid == 0x0D14 || pid == 0x0D0D; }

// The zone bars run the width of the keyboard picture below them, three
// to a 6-pixel pitch: thinner and wider than the factory's zone bar.
ZubZoneSlopeBar* CreateZoneBar(XEControlContainer* box, int x, int y, int id) {
  CHfcBmp* back = PageBuilder::Skin("KeyZoneBarBack");
  CHfcBmp* zone = PageBuilder::Skin("KeyZoneBar");
  CHfcBmp* slope = PageBuilder::Skin("KeyZoneSlope");
  if (!box || !back || !zone || !slope) return nullptr;
  tagKvxCtrlZoneSlopeBarParam p{};
  p.x = box->m_iX + x;
  p.y = box->m_iY + y;
  p.background = back;
  p.barX = 1;
  p.barY = 1;
  p.zone = zone;
  p.slope = slope;
  p.insideColor = 0xFF003983u;
  p.outsideColor = 0xFFDB0330u;
  p.minimum = 0;
  p.maximum = 127;
  p.dragScale = 10.0f;
  auto* bar = new ZubZoneSlopeBar();
  if (!bar->Create(&p, id, 0)) {
    delete bar;
    return nullptr;
  }
  bar->SetParameter(ZubZoneSlopeBar::kIdSlopeMin, 0, true);
  bar->SetParameter(ZubZoneSlopeBar::kIdSlopeMax, 127, true);
  bar->SetParameter(ZubZoneSlopeBar::kIdZoneMin, 0, true);
  bar->SetParameter(ZubZoneSlopeBar::kIdZoneMax, 127, true);
  return bar;
}

}  // namespace

bool ProgBasicLayer::OnCreate() {
  CreateControls();
  m_bars[0] = m_bars[1] = m_bars[2] = nullptr;
  CreateKeyZoneControls();
  CreateFormSublevelTab("Tab_Low_Prog_Basic", {1024}, eMode_ProgEdit);
  UpdateControlStatus();
  return ProgEditLayer::OnCreate();
}

void ProgBasicLayer::CreateControls() {
  PageBuilder b(this, GetTargetMode());
  const int h = PageBuilder::SkinHeight("Container_Horizontal_1");
  struct Title {
    const char* text;
    int x, y, w;
  } titles[] = {{"OSC Mode", 9, 5, 94}, {"Scale", 106, 5, 169}, {"Half-Damper Control", 106, 81, 169},
                {"Key Zone", 278, 5, 529}};
  for (const Title& t : titles) {
    b.Box("Container_Horizontal_1", t.x, t.y, t.w, h);
    b.Label(5, 5, t.text, t.w - 5, 13, 1);
  }
  b.Box("Container_Base", 9, h + 5, 94, 101);
  b.Put(b.Creater().CreateSlideSwitch(11, 6, "Switch_OscillatorMode", 2, 0x0D00), 0x0D00);
  b.Box("Container_Base", 106, h + 5, 169, 73 - h);
  static const char* kScale[] = {"Type", "Key", "Random"};
  for (int i = 0; i < 3; ++i) {
    XEDropdownList* list = b.Put(b.Creater().CreateDropdownList(49, 4 + 16 * i, i == 0 ? 2 : 6, 0x0D0F + i),
                                 0x0D0F + i);
    b.Label(7, 4 + 16 * i, kScale[i], 40, list ? list->GetHeight() : 13, 0);
  }
  b.Box("Container_Base", 106, h + 81, 169, 25);
  b.Put(b.Creater().CreateSwitch(7, 6, 0x0D0C, 0), 0x0D0C);
  b.Label(25, 6, "Enable Half-Damper", 120, 13, 0);
}

void ProgBasicLayer::CreateKeyZoneControls() {
  PageBuilder b(this, GetTargetMode());
  b.Box("Container_Base", 278, 25, 529, 101);
  for (int i = 0; i < 3; ++i) {
    ZubZoneSlopeBar* bar = b.Put(CreateZoneBar(b.Current(), 2, 53 + 6 * i, 0x40000 + i));
    if (bar) {
      bar->SetMinIntValue(0, false);
      bar->SetMaxIntValue(127, false);
    }
    m_bars[i] = bar;
  }
  for (int j = 0; j < 4; ++j)
    b.Label(57 + 90 * (j % 2) + 250 * (j / 2), 6, j % 2 ? "Top Key" : "Bottom Key", 60, 13, 0);
  static const char* kRows[] = {"OSC1", "OSC2", "Hold"};
  static const int kKeys[3][2] = {{0x0D12, 0x0D13}, {0x0D14, 0x0D15}, {0x0D0D, 0x0D0E}};
  for (int i = 0; i < 3; ++i) {
    const int l = 250 * (i / 2);
    const int t = 15 * (i % 2);
    if (i == 2) b.Put(b.Creater().CreateSwitch(l + 7, t + 20, 0x0D01, 0), 0x0D01);
    b.Label(i == 2 ? l + 24 : l + 9, t + 22, kRows[i], 50, 13, 0);
    b.Put(b.Creater().CreateTextEdit(l + 57, t + 20, 40, 13, kKeys[i][0], false), kKeys[i][0]);
    b.Put(b.Creater().CreateTextEdit(l + 147, t + 20, 40, 13, kKeys[i][1], false), kKeys[i][1]);
  }
  SynchronizeAllControlWithParam(GetParamSection(GetTargetMode(), 0x0D13), true);
}

void ProgBasicLayer::OnPostDrawBackground(CHfcOffscreenContext* context) {
  CHfcBmp* keys = PageBuilder::Skin("Image_Keyboard");
  if (context && keys) context->CopyBmp(279, 97, keys->GetWidth(), keys->GetHeight(), keys, 0, 0);
}

void ProgBasicLayer::OnHfcCtrlIntValueChanged(CHfcControl* control, int value) {
  if (IsZoneKey(control->GetId())) {
    ApplyKeyValueChange(control->GetId(), value);
    return;
  }
  XESynthLayer::OnHfcCtrlIntValueChanged(control, value);
  if (control->GetId() == 0x0D00) RequestRedraw();
}

void ProgBasicLayer::OnHfcCtrlPtrValueChanged(CHfcControl* control, void* pointer) {
  const int id = control->GetId();
  if ((id & 0xFFFF0) == 0x40000) {
    const auto* v = static_cast<const tagZoneSlopeBarValue*>(pointer);
    const int bar = id & 15;
    if (!v || bar > 2) return;
    static const int kBottom[3] = {0x0D12, 0x0D14, 0x0D0D};
    static const int kTop[3] = {0x0D13, 0x0D15, 0x0D0E};
    if (v->id == ZubZoneSlopeBar::kIdZoneMin)
      ApplyKeyValueChange(kBottom[bar], v->value);
    else if (v->id == ZubZoneSlopeBar::kIdZoneMax)
      ApplyKeyValueChange(kTop[bar], v->value);
    return;
  }
  if (dynamic_cast<CHfcCtrlCharEditText*>(control)) {
    const char* text = static_cast<const char*>(pointer);
    if (!text || !IsZoneKey(id)) return;
    // A plain number 0 to 127 is a key number (key 0 included); anything
    // else is a note name for the parameter's converter.
    char* end = nullptr;
    long n = std::strtol(text, &end, 10);
    const bool number = end != text && *end == '\0' && n >= 0 && n <= 127;
    if (!number) {
      SParamDesc desc{};
      if (GetParamDesc(&desc, GetTargetMode(), id) && desc.converter) n = desc.converter->Parse(text);
    }
    ApplyKeyValueChange(id, static_cast<int>(n));
    // The field shows the stored key again, whatever was typed.
    SynchronizeControlWithParam(control, true);
    return;
  }
  XESynthLayer::OnHfcCtrlPtrValueChanged(control, pointer);
}

void ProgBasicLayer::ApplyKeyValueChange(int pid, int value) {
  const eMode m = GetTargetMode();
  switch (pid) {
    case 0x0D0D: PutParamValue(m, pid, std::min(value, GetParamValue(m, 0x0D0E))); break;
    case 0x0D0E: PutParamValue(m, pid, std::max(value, GetParamValue(m, 0x0D0D))); break;
    case 0x0D12: PutParamValue(m, pid, std::min(value, GetParamValue(m, 0x0D13))); break;
    case 0x0D13: PutParamValue(m, pid, std::max(value, GetParamValue(m, 0x0D12))); break;
    case 0x0D14: PutParamValue(m, pid, std::min(value, GetParamValue(m, 0x0D15))); break;
    case 0x0D15: PutParamValue(m, pid, std::max(value, GetParamValue(m, 0x0D14))); break;
    default: break;
  }
}

void ProgBasicLayer::OnPostSynchronizeControlWithParam(CHfcControl*, Oskend::ISection*, int pid) {
  if (!IsZoneKey(pid)) return;
  ZubZoneSlopeBar* bar = m_bars[BarOf(pid)];
  if (!bar) return;
  const int v = GetParamValue(GetTargetMode(), pid);
  if (IsBottom(pid)) {
    bar->SetParamSlopeMin(v);
    bar->SetParamZoneMin(v);
  } else {
    bar->SetParamSlopeMax(v);
    bar->SetParamZoneMax(v);
  }
}

void ProgBasicLayer::UpdateControlStatus() {
  EnableForSecondOscillator({0x0D15, 0x0D14, 0x40001});
}
