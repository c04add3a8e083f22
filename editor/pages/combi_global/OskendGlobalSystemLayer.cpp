#include "editor/pages/combi_global/OskendGlobalSystemLayer.h"

#include <initializer_list>

#include "editor/controls/XEControlCreater.h"
#include "editor/controls/XEDropdownList.h"
#include "editor/pages/combi_global/PageBuild.h"
#include "editor/shell/XEControlContainer.h"
#include "hfc/CHfcControl.h"

using combipage::AddGroup;
using combipage::Put;

namespace {
constexpr int P(unsigned id) { return static_cast<int>(id); }
}  // namespace

bool OskendGlobalSystemLayer::OnCreate() {
  CreateSetupControls();
  return GlobalPageLayerBase::OnCreate();
}

// The page's panels and the controls in them: a title bar, labels, value
// bars, lists, check boxes and selectors linked to the global section.
struct OskendGlobalSystemLayer::Build {
  OskendGlobalSystemLayer* page;
  eMode mode;
  int titleHeight;

  void Title(int x, int y, int w, const char* text) const {
    XEControlContainer* g = AddGroup(page, "Container_Horizontal_1", x, y, w, titleHeight);
    XEControlCreater make(g->m_pBackground, g->m_iX, g->m_iY);
    Put(page, g, make.CreateLabel(5, 5, text, w - 10, 13, 1, 0, 0, -1));
  }
  XEControlContainer* Panel(int x, int y, int w, int h) const { return AddGroup(page, "Container_Base", x, y, w, h); }
  static XEControlCreater Maker(XEControlContainer* g) { return XEControlCreater(g->m_pBackground, g->m_iX, g->m_iY); }
  void Label(XEControlContainer* g, int x, int y, const char* text, int w, int style, int id = -1) const {
    Put(page, g, Maker(g).CreateLabel(x, y, text, w, 13, style, 0, 0, id));
  }
  // A row's caption carries its control's label id: it greys with it.
  void Caption(XEControlContainer* g, int x, int y, const char* text, int w, int pid) const {
    Label(g, x, y, text, w, 0, pid + kLabelIdOffset);
  }
  void Link(XEControlContainer* g, CHfcControl* c, int pid) const {
    if (!Put(page, g, c)) return;
    page->LinkControlWithParam(c, mode, pid);
    page->SynchronizeControlWithParam(c, true);
  }
  void Bar(XEControlContainer* g, int x, int y, int pid) const {
    Link(g, Maker(g).CreateHorizontalValueBar(x, y, 0, 99, 0, pid, false), pid);
  }
  void List(XEControlContainer* g, int x, int y, int style, int pid) const {
    Link(g, Maker(g).CreateDropdownList(x, y, style, pid), pid);
  }
  void Check(XEControlContainer* g, int x, int y, int pid) const {
    Link(g, Maker(g).CreateSwitch(x, y, "Switch_CheckBox", 2, pid, 0), pid);
  }
  void Selector(XEControlContainer* g, int x, int y, int pid) const {
    Link(g, Maker(g).CreateSoundSelector(x, y, 6, 8, pid, 0), pid);
  }
  // A labelled row of a panel: the label at x 10, its value bar or list at
  // x 120.
  static constexpr int kBarRow = -1;
  struct Row {
    int y;
    const char* label;
    int listStyle;  // kBarRow for a value bar
    unsigned pid;
  };
  void Rows(XEControlContainer* g, std::initializer_list<Row> rows) const {
    for (const Row& r : rows) {
      Caption(g, 10, r.y, r.label, 110, P(r.pid));
      if (r.listStyle == kBarRow)
        Bar(g, 120, r.y, P(r.pid));
      else
        List(g, 120, r.y, r.listStyle, P(r.pid));
    }
  }
};

bool OskendGlobalSystemLayer::CreateSetupControls() {
  const Build b{this, GetTargetMode(), combipage::SkinHeight("Container_Horizontal_1")};
  const int wt = combipage::SkinWidth("Container_Horizontal_1");
  CreateBasicSetup(b, wt);
  CreateMidiSetup(b, wt);
  CreateControllerSetup(b, wt);
  UpdateMasterTuneLabel();
  return true;
}

void OskendGlobalSystemLayer::CreateBasicSetup(const Build& b, int wt) {
  const int q = (wt / 2 + 30) / 2;
  b.Title(9, 5, wt / 2 + 28, "Basic Setup");
  XEControlContainer* a = b.Panel(9, 25, q + 24, 200);
  b.Label(a, 10, 9, "Basic", 100, 2);
  b.Label(a, 10, 29, "Master Tune [440.00Hz]", 110, 0, kMasterTuneLabelId);
  b.Bar(a, 120, 29, kMasterTuneId);
  b.Rows(a, {{49, "Key Transpose", Build::kBarRow, 0x80000101},
             {69, "Octave", Build::kBarRow, 0x80000105},
             {89, "Velocity Curve", 4, 0x80000102},
             {109, "AfterTouch Curve", 4, 0x80000103}});
  b.Label(a, 10, 149, "System Preference", 120, 2);
  b.Rows(a, {{169, "Scroll Text", 4, 0x80000111}});

  XEControlContainer* e = b.Panel(q + 34, 25, q - 26, 200);
  b.Label(e, 10, 9, "EQ Offset", 100, 2);
  static const char* const kEq[] = {"Bass", "Mid", "Treble"};
  static constexpr unsigned kEqIds[] = {0x80000109, 0x80000108, 0x80000107};
  for (int i = 0; i < 3; ++i) {
    b.Caption(e, 10, 29 + 20 * i, kEq[i], 110, P(kEqIds[i]));
    b.Bar(e, 70, 29 + 20 * i, P(kEqIds[i]));
  }
  b.Label(e, 10, 109, "Memory Protect", 100, 2);
  static const char* const kProtect[] = {"Program", "Performance"};
  static constexpr unsigned kProtectIds[] = {0x80000205, 0x80000206};
  for (int i = 0; i < 2; ++i) {
    b.Check(e, 10, 129 + 20 * i, P(kProtectIds[i]));
    b.Caption(e, 28, 129 + 20 * i, kProtect[i], 110, P(kProtectIds[i]));
  }
}

void OskendGlobalSystemLayer::CreateMidiSetup(const Build& b, int wt) {
  const int q = (wt / 2 + 30) / 2;
  const int r = (wt / 2 - 30) / 2;
  b.Title(2 * q + 11, 5, wt / 2 - 31, "MIDI");
  XEControlContainer* c = b.Panel(2 * q + 11, 25, r + 24, 200);
  b.Label(c, 10, 9, "Basic", 120, 2);
  b.Rows(c, {{29, "MIDI Channel", 6, 0x80000400}});
  b.Check(c, 10, 49, P(0x80000402));
  b.Caption(c, 28, 49, "Local Control On", 110, P(0x80000402));
  b.Rows(c, {{69, "Convert Position", 6, 0x80000106}, {89, "Note Receive", 6, 0x80000401}});
  b.Label(c, 10, 129, "MIDI Clock", 100, 2);
  b.Caption(c, 10, 149, "MIDI Clock", 110, P(0x80000403));
  m_pClockList = Build::Maker(c).CreateDropdownList(90, 149, 4, P(0x80000403));
  if (m_pClockList) {
    m_pClockList->SetEnableParameterList(m_clockEnable, 5);
    b.Link(c, m_pClockList, P(0x80000403));
  }

  XEControlContainer* d = b.Panel(2 * q + r + 36, 25, r - 25, 200);
  b.Label(d, 10, 9, "MIDI Filter", 100, 2);
  static const char* const kFilter[] = {"Program Change", "Bank Change", "After Touch", "Control Change", "SysEx"};
  static constexpr unsigned kFilterIds[] = {0x8000040d, 0x8000040e, 0x80000410, 0x80000411, 0x80000412};
  for (int i = 0; i < 5; ++i) {
    b.Check(d, 10, 29 + 20 * i, P(kFilterIds[i]));
    b.Caption(d, 28, 29 + 20 * i, kFilter[i], 74, P(kFilterIds[i]));
  }
}

void OskendGlobalSystemLayer::CreateControllerSetup(const Build& b, int wt) {
  const int s = wt / 4;
  const int t = (wt - s) / 2;
  b.Title(9, 228, wt, "Controllers");
  XEControlContainer* e = b.Panel(9, 248, s - 1, 146);
  b.Label(e, 10, 9, "Joystick", 180, 2);
  b.Caption(e, 10, 29, "JS Lock", 60, P(0x80000113));
  b.List(e, 75, 29, 4, P(0x80000113));

  struct FootPanel {
    int x;
    const char* heading;
    const char* labels[4];
    unsigned ids[4];
  };
  const FootPanel kFoot[] = {
      {s + 9,
       "Foot Switch & Pedal / Damper",
       {"Type", "Foot SW Function", "Foot Pedal Function", "Damper/SW Polarity"},
       {0x8000010a, 0x8000010b, 0x8000010d, 0x80000112}},
      {s + t + 10,
       "Foot Switch & Pedal",
       {"Type", "Foot SW Function", "Foot Pedal Function", "Switch Polarity"},
       {0x8000010e, 0x8000010f, 0x80000110, 0x80000104}},
  };
  for (const FootPanel& f : kFoot) {
    XEControlContainer* g = b.Panel(f.x, 248, t, 146);
    b.Label(g, 10, 9, f.heading, 180, 2);
    for (int row = 0; row < 4; ++row) {
      const int y = 29 + 20 * row;
      b.Caption(g, 10, y, f.labels[row], 110, P(f.ids[row]));
      if (row == 0 || row == 3)
        b.List(g, 120, y, 0, P(f.ids[row]));
      else
        b.Selector(g, 120, y, P(f.ids[row]));
    }
  }
}
