#include "spare/CombiMultiCommonLayer.h"

#include <cstdio>

#include "editor/controls/CMMPCtrlFlash.h"
#include "editor/controls/XEControlCreater.h"
#include "editor/pages/combi_global/PageBuild.h"
#include "editor/shell/XEControlContainer.h"
#include "hfc/CHfcControl.h"

using combipage::AddGroup;

CombiMultiCommonLayer::CombiMultiCommonLayer(Oskend::IRemoteSynth* synth, eMode mode, bool groups)
    : CombiMultiLayerBase(synth, mode, groups) {}

bool CombiMultiCommonLayer::OnCreate() {
  CreateSetupControls();
  return CombiMultiLayerBase::OnCreate();
}

void CombiMultiCommonLayer::PutLinked(XEControlContainer* group, CHfcControl* control, int kind,
                                      int index) {
  if (!control) return;
  AddControl(control, false);
  control->SetListener(this);
  control->Show(false);
  LinkControlWithParam(control, GetTargetMode(), GetParamId(kind, 0, index));
  SynchronizeControlWithParam(control, true);
  group->AddControl(control);
}

void CombiMultiCommonLayer::PutLabel(XEControlContainer* group, int x, int y, const char* text,
                                     int w, int style) {
  XEControlCreater make(group->m_pBackground, group->m_iX, group->m_iY);
  CHfcControl* label = make.CreateLabel(x, y, text, w, 13, style, 0, 1, -1);
  if (!label) return;
  AddControl(label, false);
  label->Show(false);
  group->AddControl(label);
}

void CombiMultiCommonLayer::CreateTrackNumbers(XEControlCreater* creator,
                                               XEControlContainer* container, int index, int x,
                                               int y) {
  CMMPCtrlFlash* indicator = creator->CreateMIDIIndicator(x, y, index, -1, true);
  if (!indicator) return;
  AddControl(indicator, false);
  indicator->SetListener(this);
  indicator->Show(false);
  container->AddControl(indicator);
  m_trackIndicators.push_back(indicator);
}

void CombiMultiCommonLayer::CreateSetupControls() {
  const int w0 = combipage::SkinWidth("Container_Horizontal_1");
  const int h0 = combipage::SkinHeight("Container_Horizontal_1");
  const int wb = combipage::SkinWidth("Container_Base");

  XEControlContainer* title = AddGroup(this, "Container_Horizontal_1", 9, 5, 0, 0);
  PutLabel(title, 5, 5, "Arpeggiator Assign", 150, 1);

  XEControlContainer* tracks = AddGroup(this, "Container_Base", 9, h0 + 5, w0, 67);
  for (int i = 0; i < 16; ++i) {
    XEControlContainer* cell =
        AddGroup(this, "Container_Base", 10 + i * (w0 / 16 + 1), h0 + 14, 13, 16);
    XEControlCreater make(cell->m_pBackground, cell->m_iX, cell->m_iY);
    CreateTrackNumbers(&make, cell, i, 0, 2);
    PutLinked(cell, make.CreateDropdownList(13, 0, 9, GetParamId(kTrackArpAssign, 0, i)),
              kTrackArpAssign, i);
  }
  {
    XEControlCreater make(tracks->m_pBackground, tracks->m_iX, tracks->m_iY);
    PutLabel(tracks, 10, 33, "Arpeggiator Run", 80, 0);
    PutLinked(tracks, make.CreateCheckBox(115, 33, GetParamId(kArpRun, 0, 0), 0), kArpRun, 0);
    PutLabel(tracks, 135, 33, "A", 70, 0);
    PutLinked(tracks, make.CreateCheckBox(165, 33, GetParamId(kArpRun, 0, 1), 0), kArpRun, 1);
    PutLabel(tracks, 185, 33, "B", 70, 0);
  }

  for (int a = 0; a < 2; ++a) {
    const int x = 9 + a * (w0 / 2 + 1);
    XEControlContainer* head =
        AddGroup(this, "Container_Horizontal_1", x, h0 + 76, w0 / 2 - 2 + a, h0);
    char name[32];
    std::snprintf(name, sizeof name, "Arpeggiator %c", 'A' + a);
    PutLabel(head, 5, 5, name, 150, 1);

    auto id = [&](int kind) { return GetParamId(kind, 0, a); };
    XEControlContainer* setup = AddGroup(this, "Container_Base", x, 2 * h0 + 76, wb / 4 + a, 208);
    XEControlCreater make(setup->m_pBackground, setup->m_iX, setup->m_iY);
    PutLabel(setup, 10, 4, "Setup", 80, 2);
    static const struct {
      const char* text;
      int y;
    } kRows[] = {{"Pattern", 22}, {"Resolution", 58}, {"Octave", 76},
                 {"Gate", 94},    {"Velocity", 112},  {"Swing", 130}};
    for (const auto& r : kRows) PutLabel(setup, 10, r.y, r.text, 80, 0);
    PutLinked(setup, make.CreateSoundSelector(22, 40, 6, 8, id(kPattern), 0), kPattern, a);
    PutLinked(setup, make.CreateSoundSelector(80, 58, 6, 13, id(kResolution), 0), kResolution, a);
    PutLinked(setup, make.CreateDropdownList(80, 76, 6, id(kOctave)), kOctave, a);
    PutLinked(setup, make.CreateTextEdit(80, 94, 40, 13, id(kGate), false), kGate, a);
    PutLinked(setup, make.CreateTextEdit(80, 112, 40, 13, id(kVelocity), false), kVelocity, a);
    PutLinked(setup, make.CreateHorizontalValueBar(80, 130, 0, 100, 0, id(kSwing), false), kSwing,
              a);
    static const struct {
      int x, y, kind;
      const char* text;
    } kChecks[] = {{10, 166, kSort, "Sort"},
                   {90, 166, kKeySync, "Key Sync"},
                   {10, 184, kLatch, "Latch"},
                   {90, 184, kKeyboard, "Keyboard"}};
    for (const auto& c : kChecks) {
      PutLinked(setup, make.CreateCheckBox(c.x, c.y, id(c.kind), 0), c.kind, a);
      PutLabel(setup, c.x + 16, c.y, c.text, 70, 0);
    }

    XEControlContainer* scan =
        AddGroup(this, "Container_Base", x + wb / 4 + 1 + a, 2 * h0 + 76, wb / 4 - 2, 208);
    XEControlCreater zone(scan->m_pBackground, scan->m_iX, scan->m_iY);
    PutLabel(scan, 10, 4, "Scan Zone", 100, 2);
    static const struct {
      const char* text;
      int y, kind;
    } kZone[] = {{"Top Key", 22, kTopKey},
                 {"Bottom Key", 40, kBottomKey},
                 {"Top Velocity", 76, kTopVelocity},
                 {"Bottom Velocity", 94, kBottomVelocity}};
    for (const auto& z : kZone) {
      PutLabel(scan, 10, z.y, z.text, 70, 0);
      PutLinked(scan, zone.CreateTextEdit(125, z.y, 40, 13, id(z.kind), false), z.kind, a);
    }
  }

  XEControlContainer* knobHead = AddGroup(this, "Container_Horizontal_1", 9, 2 * h0 + 287, 0, 0);
  PutLabel(knobHead, 5, 5, "Realtime Control Knob Assign", 200, 1);
  XEControlContainer* knobs = AddGroup(this, "Container_Base", 9, 3 * h0 + 287, wb, 46);
  XEControlCreater make(knobs->m_pBackground, knobs->m_iX, knobs->m_iY);
  for (int n = 1; n <= 4; ++n) {
    const int x = 60 + (n - 1) * (wb / 4);
    char name[16];
    std::snprintf(name, sizeof name, "Knob %d-B", n);
    PutLabel(knobs, x - 50, 10, name, 80, 0);
    PutLinked(knobs, make.CreateSoundSelector(x, 10, 6, 5, GetParamId(kKnobAssignB + n, 0, n - 1), 0),
              kKnobAssignB + n, n - 1);
  }
}

CombiCommonLayer::CombiCommonLayer(Oskend::IRemoteSynth* synth)
    : CombiMultiCommonLayer(synth, eMode_Combi, false) {}

void CombiCommonLayer::GetMenuItemInfoList(std::list<MenuItemInfo>& list) {
  for (const MenuItemInfo* m :
       {&MenuItemInfo::kMenuItemInfo_WriteCombination, &MenuItemInfo::kMenuItemInfo_InitCombination,
        &MenuItemInfo::kMenuItemInfo_CopyArpeggiator, &MenuItemInfo::kMenuItemInfo_Separator,
        &MenuItemInfo::kMenuItemInfo_Load, &MenuItemInfo::kMenuItemInfo_Save,
        &MenuItemInfo::kMenuItemInfo_Separator, &MenuItemInfo::kMenuItemInfo_ReceiveAll,
        &MenuItemInfo::kMenuItemInfo_TransmitAll, &MenuItemInfo::kMenuItemInfo_ReceiveCombi,
        &MenuItemInfo::kMenuItemInfo_TransmitCombi, &MenuItemInfo::kMenuItemInfo_Receive1Combi,
        &MenuItemInfo::kMenuItemInfo_Transmit1Combi})
    list.push_back(*m);
}
