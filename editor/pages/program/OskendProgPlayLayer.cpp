#include "editor/pages/program/OskendProgPlayLayer.h"

#include <string>

#include "editor/controls/CXBCtrlEnvelopeGraph.h"
#include "editor/controls/CXBCtrlFilterGraph.h"
#include "editor/controls/XESoundSelector.h"
#include "editor/shell/EditorIds.h"
#include "editor/shell/IEditTabSelector.h"
#include "editor/pages/program/PageBuilder.h"
#include "editor/shell/XEControlContainer.h"
#include "hfc/CHfcControl.h"
#include "remote/IRemoteSynth.h"

using namespace EditorIds;

namespace {

constexpr eMode kEditMode = eMode_ProgEdit;

}  // namespace

OskendProgPlayLayer::OskendProgPlayLayer(Oskend::IRemoteSynth* synth, IEditTabSelector* selector)
    : EditTabPageLayerBase(synth, eMode_ProgPlay), m_pSelector(selector) {
  SetTargetMode(eMode_ProgEdit);
}

int OskendProgPlayLayer::GetParamId(int kind, int i) {
  switch (kind) {
    case 0: return 0x200 + i;
    case 1: return 0x800 + i;
    case 2: return 0xB00;
    case 3: return 0x205 + i;
    case 4: return 0x802 + i;
    case 5: return 0xB01;
    case 6: return 0xBC05 + i;
    case 7: return 0xC203;
    default: return -1;
  }
}

bool OskendProgPlayLayer::OnCreate() {
  CreateOverViewControls();
  CreateFxNameBox();
  CreateFormSublevelTab("Tab_Low_Prog_Play", {0x40C, 0x40D, 0x40E, 0x40F}, kEditMode);
  UpdateOverViewControls();
  return CTabPageLayer::OnCreate();
}

void OskendProgPlayLayer::CreateOverViewControls() {
  PageBuilder b(this, kEditMode);
  CreateBasicBlocks(b);
  CreateMultisampleRows(b);
  for (int osc = 0; osc < 2; ++osc) CreateOscillatorBlocks(b, osc);
  CreateCommonBlocks(b);
}

namespace {
// A block of the overview; its kind tells where a click on it jumps.
void Block(PageBuilder& b, int kind, const char* skin, int x, int y, int w = -1, int h = -1) {
  b.Box(skin, x, y, w, h)->m_iId = kind;
}
}  // namespace

void OskendProgPlayLayer::CreateBasicBlocks(PageBuilder& b) {
  auto& f = b.Creater();
  Block(b, 0, "Container_ProgPlay_Overview_EQ", 10, 6);
  b.Label(4, 1, "Basic", 50, 13, 0);
  b.Put(f.CreateSwitch(3, 14, "Switch_OscillatorMode_s", 4, kIdOscModePicture, 0));
  b.Label(4, 31, "Assign", 28, 13, 0);
  // The field ends inside its block: at its picture's width it would reach
  // over the multisample column's first check box, which the field, made
  // first, would take every click from.
  XESoundSelector* assign = f.CreateSoundSelector(37, 30, 6, 10, 0xD02, 0);
  if (assign && b.Current()) assign->Resize(b.Current()->m_iWidth - 37 - 3, assign->GetHeight(), false);
  b.Put(assign, 0xD02);
  b.Put(f.CreateSwitch(3, 45, "Switch_CheckBox_Medium", 2, 0xD0C, 0), 0xD0C);
  b.Label(14, 45, "HalfDamper", 60, 13, 0);
  Block(b, 1, "Container_ProgPlay_Overview_FEG", 10, 66);
  b.Label(4, 1, "Pitch EG", 50, 13, 0);
  b.Put(f.CreateMiniEnvelopeGraph(1, 16, 0, kIdPitchEG));
}

void OskendProgPlayLayer::CreateMultisampleRows(PageBuilder& b) {
  auto& f = b.Creater();
  for (int k = 0; k < 2; ++k) {
    for (int r = 0; r < 4; ++r) {
      Block(b, 3 + 4 * k + r, "Container_Plane_221X29", 83, 6 + 60 * k + 15 * r, 13, 13);
      const int p = 0x1000 + 0x1000 * k + 6 * r;
      b.Put(f.CreateSwitch(0, 0, "Switch_CheckBox", 2, p, 1), p);
      b.Put(f.CreateTextEdit(14, 0, 37, 13, p + 1, false), p + 1);
      b.Put(f.CreateSoundSelector(52, 0, 2, 11, p + 2, 0), p + 2);
    }
  }
}

void OskendProgPlayLayer::CreateOscillatorBlocks(PageBuilder& b, int k) {
  auto& f = b.Creater();
  const int o = 0x1000 * k;
  const std::string n = std::to_string(k + 1);
  Block(b, 11 + k, "Container_ProgPlay_Overview_FLT", 267, 6 + 60 * k);
  b.Label(4, 1, "Filter" + n, 50, 13, 0);
  b.Put(f.CreateSwitch(46, 5, "Image_FilterRouting_mini", 4, 0x1400 + o, 1), 0x1400 + o);
  for (int t : {0x1500, 0x1600}) {
    CHfcControl* c = b.Put(f.CreateSwitch(47, 6, "Image_FilterType", 4, t + o, 0), t + o);
    if (c) c->Hide(false);
  }
  b.Put(f.CreateMiniTG01FilterGraph(3, 28, GraphId(kIdFilterAGraph, k)));
  b.Put(f.CreateMiniTG01FilterGraph(46, 28, GraphId(kIdFilterBGraph, k)));
  Block(b, 13 + k, "Container_ProgPlay_Overview_FEG", 360, 6 + 60 * k);
  b.Label(4, 1, "Filter" + n + " EG", 60, 13, 0);
  b.Put(f.CreateMiniEnvelopeGraph(1, 16, 1, GraphId(kIdFilterEG, k)));
  Block(b, 15 + k, "Container_ProgPlay_Overview_AEG", 433, 6 + 60 * k);
  b.Label(4, 1, "Amp" + n + " EG", 50, 13, 0);
  b.Put(f.CreateMiniEnvelopeGraph(1, 17, 2, GraphId(kIdAmpEG, k)));
  Block(b, 17 + k, "Container_ProgPlay_Overview_LFO2", 507, 6 + 60 * k);
  // Wider than the other block titles: the name is longer.
  b.Label(4, 1, "LFO (OSC" + n + ")", 90, 13, 0);
  for (int i = 0; i < 2; ++i) {
    const int c = i == 0 ? 4 : 54;
    b.Put(f.CreateSwitch(c, 17, "Image_LFO", 18, 0x1100 + 0x100 * i + o, 1), 0x1100 + 0x100 * i + o);
    b.Label(c, 44, "Frq", 16, 13, 0);
    b.Put(f.CreateHorizontalValueBar(c + 17, 44, 30, 0, 100, 0, 0x1103 + 0x100 * i + o, false), 0x1103 + 0x100 * i + o);
  }
}

void OskendProgPlayLayer::CreateCommonBlocks(PageBuilder& b) {
  auto& f = b.Creater();
  const int w2 = PageBuilder::SkinWidth("Container_ProgPlay_Overview_LFO2");
  const int w1 = PageBuilder::SkinWidth("Container_ProgPlay_Overview_LFO");
  Block(b, 19, "Container_ProgPlay_Overview_LFO", w2 + 510, 6);
  b.Label(4, 1, "Common", 40, 13, 0);
  b.Put(f.CreateSwitch(5, 17, "Image_LFO", 18, 0xF00, 0), 0xF00);
  b.Label(5, 44, "Frq", 16, 13, 0);
  b.Put(f.CreateHorizontalValueBar(22, 44, 30, 0, 100, 0, 0xF02, false), 0xF02);
  Block(b, 20, "Container_ProgPlay_Overview_EQ", w2 + w1 + 513, 6);
  b.Label(4, 1, "AMS Mixer", 50, 13, 0);
  int y = 13;
  for (int p : {0x1D00, 0x1E00, 0x2D00, 0x2E00}) {
    b.Put(f.CreateSoundSelector(0, y, 6, 10, p, 0), p);
    y += 11;
  }
}

void OskendProgPlayLayer::CreateFxNameBox() {
  PageBuilder b(this, kEditMode);
  XEControlContainer* box = b.Box("Container_ProgPlay_FX", 614, 66);
  box->m_iId = 22;
  auto& f = b.Creater();
  struct Row {
    int onId, labelId, typeId;
    std::string label;
  } rows[] = {{GetParamId(3, 0), GetParamId(6, 0), GetParamId(0, 0), "IFX"},
              {GetParamId(4, 0), -1, GetParamId(1, 0), "MFX1"},
              {GetParamId(4, 1), GetParamId(7, 0), GetParamId(1, 1), "MFX2"},
              {GetParamId(5, 0), -1, GetParamId(2, 0), "EQ"}};
  // The type fields reach to the box's right margin: effect names are
  // long, and the AMS mixer's fields that share their picture are not.
  constexpr int kTypeX = 39;
  const int typeWidth = box->m_iWidth - kTypeX - 3;
  for (int r = 0; r < 4; ++r) {
    b.Put(f.CreateSwitch(3, 2 + 15 * r, "Switch_CheckBox_Medium", 2, rows[r].onId, 0), rows[r].onId);
    b.Label(14, 1 + 15 * r, rows[r].label, 27, 13, 0, rows[r].labelId);
    XESoundSelector* type = f.CreateSoundSelector(kTypeX, 1 + 15 * r, 1, 10, rows[r].typeId, 0);
    if (type && typeWidth > type->GetWidth()) type->Resize(typeWidth, type->GetHeight(), false);
    b.Put(type, rows[r].typeId);
  }
}

void OskendProgPlayLayer::UpdateOverViewControls() {
  const int mode = GetParamValue(kEditMode, kProgOscMode);
  const bool twoOscillators = mode == kProgOscDouble;
  if (CHfcControl* sw = GetControlById(kIdOscModePicture)) sw->SetIntValue(mode, true);
  for (int id : {kIdFilterAGraph, kIdFilterBGraph, kIdFilterEG, kIdAmpEG})
    EnableControl(GetControlById(GraphId(id, 1)), twoOscillators);
  static const int kPitchL[6] = {0xE00, 0xE02, 0xE04, -1, -1, 0xE07};
  static const int kPitchT[6] = {-1, 0xE01, 0xE03, 0xE05, -1, 0xE06};
  ShowEnvelope(kIdPitchEG, kPitchL, kPitchT, false);
  for (int k = 0; k < 2; ++k) UpdateOscillatorOverview(k, twoOscillators);
  UpdateIfxOverView();
}

int OskendProgPlayLayer::OverviewValue(int pid) { return pid < 0 ? -1 : GetParamValue(kEditMode, pid); }

void OskendProgPlayLayer::ShowEnvelope(int id, const int* levels, const int* times, bool amp) {
  auto* g = dynamic_cast<CXBCtrlEnvelopeGraph*>(GetControlById(id));
  if (!g) return;
  for (int p = 0; p < 6; ++p) {
    // The amplifier's end point has no level parameter: it ends at
    // silence, the graph's floor, not below it.
    const int level = levels[p] < 0 && amp ? 0 : OverviewValue(levels[p]);
    tagEnvelopeValue v{p, amp ? level * 2 : level + 99, p == 4 ? 198 : OverviewValue(times[p]) * 2};
    g->SetEnvelopeValue(p, &v, true);
  }
}

void OskendProgPlayLayer::UpdateOscillatorOverview(int k, bool twoOscillators) {
  const int o = 0x1000 * k;
  const int ampL[6] = {0x1A00 + o, 0x1A02 + o, 0x1A04 + o, 0x1A06 + o, 0x1A06 + o, -1};
  const int ampT[6] = {-1, 0x1A01 + o, 0x1A03 + o, 0x1A05 + o, -1, 0x1A07 + o};
  ShowEnvelope(GraphId(kIdAmpEG, k), ampL, ampT, true);
  const int routing = OverviewValue(0x1400 + o);
  for (int fi = 0; fi < 2; ++fi) {
    auto* g = dynamic_cast<CXBCtrlFilterGraph*>(GetControlById(GraphId(kIdFilterAGraph + fi, k)));
    if (!g) continue;
    const int base = 0x1500 + 0x100 * fi + o;
    g->SetFilterType(OverviewValue(base), true);
    tagFilterValue v{0, OverviewValue(base + 7) + 99, OverviewValue(base + 6) * 2};
    g->SetFilterValue(0, &v, true);
    if (fi == 1) EnableControl(g, routing != 0 && routing != 3 && (k == 0 || twoOscillators));
  }
  const int fegL[6] = {0x1700 + o, 0x1702 + o, 0x1704 + o, 0x1706 + o, 0x1706 + o, 0x1708 + o};
  const int fegT[6] = {-1, 0x1701 + o, 0x1703 + o, 0x1705 + o, -1, 0x1707 + o};
  ShowEnvelope(GraphId(kIdFilterEG, k), fegL, fegT, false);
  PlaceFilterTypePictures(k, routing);
}

void OskendProgPlayLayer::PlaceFilterTypePictures(int k, int routing) {
  const int o = 0x1000 * k;
  XEControlContainer* block = nullptr;
  for (int i = 0; i < GetContainerCount(); ++i)
    if (GetContainerByIndex(i)->m_iId == 11 + k) block = GetContainerByIndex(i);
  CHfcControl* a = GetControlById(0x1500 + o);
  CHfcControl* bpic = GetControlById(0x1600 + o);
  if (!block || !a || !bpic) return;
  // Serial filters side by side, parallel ones one above the other, a
  // single or four-pole filter alone.
  int ax = 18, ay = 9, bx = 0, by = 0;
  bool showB = true;
  if (routing == 1) {
    ax = 9, bx = 28, by = 9;
  } else if (routing == 2) {
    ax = 18, ay = 5, bx = 18, by = 13;
  } else {
    showB = false;
  }
  a->Move(block->m_iX + ax + 40, block->m_iY + ay + 3, true);
  a->Show(true);
  if (showB) {
    bpic->Move(block->m_iX + bx + 40, block->m_iY + by + 3, true);
    bpic->Show(true);
  } else {
    bpic->Hide(true);
  }
}

void OskendProgPlayLayer::OnPostSynchronizeControlWithParam(CHfcControl*, Oskend::ISection*, int pid) {
  // Every synchronisation brings a control whose row is not hidden into
  // view, the second filter's picture too, also where the routing has one
  // filter only (after a whole transfer, for one).
  for (int k = 0; k < 2; ++k) {
    const int o = 0x1000 * k;
    if (pid == 0x1500 + o || pid == 0x1600 + o) PlaceFilterTypePictures(k, OverviewValue(0x1400 + o));
  }
}

void OskendProgPlayLayer::UpdateIfxOverView() {
  if (!m_pRemoteSynth || m_pRemoteSynth->GetActiveTrack() % 6 != 3) return;
  for (int id : {GetParamId(3, 0), GetParamId(0, 0)})
    if (CHfcControl* c = GetControlById(id)) c->Hide(true);
}

bool OskendProgPlayLayer::Show(bool redraw) {
  const bool shown = CTabPageLayer::Show(redraw);
  UpdateOverViewControls();
  return shown;
}

void OskendProgPlayLayer::OnIdleSectionReinitialized(Oskend::ISection* section) {
  XESynthLayer::OnIdleSectionReinitialized(section);
  UpdateOverViewControls();
}

void OskendProgPlayLayer::OnIdleSectionParamChanged(Oskend::ISection* section, int pid) {
  XESynthLayer::OnIdleSectionParamChanged(section, pid);
  // The miniature graphs and pictures are not linked: they follow the
  // parameters they draw here.
  UpdateOverViewControls();
}

void OskendProgPlayLayer::OnIdleRemoteSynthCurSoundChanged(Oskend::IRemoteSynth*, const Oskend::SSoundIndex&) {
  UpdateOverViewControls();
}

void OskendProgPlayLayer::OnIdleRemoteSynthBankListChanged(Oskend::IRemoteSynth* s, eMode m,
                                                           const Oskend::SSoundIndex& i) {
  XESynthLayer::OnIdleRemoteSynthBankListChanged(s, m, i);
  UpdateOverViewControls();
}

void OskendProgPlayLayer::OnIdleRemoteSynthAuditionStateChanged(Oskend::IRemoteSynth* s, bool on) {
  XESynthLayer::OnIdleRemoteSynthAuditionStateChanged(s, on);
  UpdateOverViewControls();
}

void OskendProgPlayLayer::GetMenuItemInfoList(std::list<MenuItemInfo>& out) {
  using M = MenuItemInfo;
  for (const M* m : {&M::kMenuItemInfo_WriteProgram, &M::kMenuItemInfo_RemoveProgramFromCat,
                     &M::kMenuItemInfo_CopyOscillator, &M::kMenuItemInfo_SwapOscillator, &M::kMenuItemInfo_Separator})
    out.push_back(*m);
  AppendFileAndTransferItems(out, eMode_ProgEdit);
}

int OskendProgPlayLayer::HitKind(int x, int y, int* left, int* top) const {
  for (int i = 0; i < GetContainerCount(); ++i) {
    const XEControlContainer* c = GetContainerByIndex(i);
    if (x >= c->m_iX && x <= c->m_iX + c->m_iWidth && y >= c->m_iY && y <= c->m_iY + c->m_iHeight) {
      if (left) *left = c->m_iX;
      if (top) *top = c->m_iY;
      return c->m_iId;
    }
  }
  return -1;
}

bool OskendProgPlayLayer::JumpTarget(int kind, int dx, int dy, int* tab, int* sub) {
  auto set = [&](int t, int s) {
    *tab = t;
    *sub = s;
    return true;
  };
  if (kind == 0) return set(1, 0);
  if (kind == 1) return set(2, 5);
  if (kind >= 3 && kind <= 6) return set(2, 0);
  if (kind >= 7 && kind <= 10) return set(2, 2);
  switch (kind) {
    case 11: return set(3, 0);
    case 12: return set(3, 4);
    case 13: return set(3, 3);
    case 14: return set(3, 7);
    case 15: return set(4, 2);
    case 16: return set(4, 5);
    case 17: return set(5, dx > 51 ? 1 : 0);
    case 18: return set(5, dx >= 52 ? 3 : 2);
    case 19: return set(5, 4);
    case 20: return set(6, 2);
    case 22:
      if (dy < 13) return set(7, 0);
      if (dy <= 14) return false;
      if (dy <= 41) return set(8, (dy - 15) / 15);
      return set(8, dy >= 45 ? 2 : 0);
    default: return false;
  }
}

bool OskendProgPlayLayer::OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) {
  // The background click also ends any text entry.
  XELayerBase::OnHfcMouseLButtonDown(m, x, y, mods);
  if (!m_pRemoteSynth || m_pRemoteSynth->GetMode() != eMode_ProgEdit) return true;
  int left = 0, top = 0, tab = 0, sub = 0;
  const int kind = HitKind(x, y, &left, &top);
  if (kind >= 0 && JumpTarget(kind, x - left, y - top, &tab, &sub) && m_pSelector)
    m_pSelector->SelectEditTabPage(eMode_ProgEdit, tab, sub);
  return true;
}
