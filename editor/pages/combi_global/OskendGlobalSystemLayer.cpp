#include "editor/pages/combi_global/OskendGlobalSystemLayer.h"

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

bool OskendGlobalSystemLayer::CreateSetupControls() {
  const int wt = combipage::SkinWidth("Container_Horizontal_1");
  const int ht = combipage::SkinHeight("Container_Horizontal_1");
  const int q = (wt / 2 + 30) / 2;
  const int r = (wt / 2 - 30) / 2;
  const int s = wt / 4;
  const int t = (wt - s) / 2;
  const eMode mode = GetTargetMode();

  auto title = [&](int x, int y, int w, const char* text) {
    XEControlContainer* g = AddGroup(this, "Container_Horizontal_1", x, y, w, ht);
    XEControlCreater make(g->m_pBackground, g->m_iX, g->m_iY);
    Put(this, g, make.CreateLabel(5, 5, text, w - 10, 13, 1, 0, 0, -1));
  };
  auto label = [&](XEControlContainer* g, int x, int y, const char* text, int w, int style,
                   int id = -1) {
    XEControlCreater make(g->m_pBackground, g->m_iX, g->m_iY);
    Put(this, g, make.CreateLabel(x, y, text, w, 13, style, 0, 0, id));
  };
  // A row's caption carries its control's label id: it greys with it.
  auto caption = [&](XEControlContainer* g, int x, int y, const char* text, int w, int pid) {
    label(g, x, y, text, w, 0, pid + kLabelIdOffset);
  };
  auto link = [&](XEControlContainer* g, CHfcControl* c, int pid) {
    if (!Put(this, g, c)) return;
    LinkControlWithParam(c, mode, pid);
    SynchronizeControlWithParam(c, true);
  };
  auto bar = [&](XEControlContainer* g, int x, int y, int pid) {
    XEControlCreater make(g->m_pBackground, g->m_iX, g->m_iY);
    link(g, make.CreateHorizontalValueBar(x, y, 0, 99, 0, pid, false), pid);
  };
  auto list = [&](XEControlContainer* g, int x, int y, int style, int pid) {
    XEControlCreater make(g->m_pBackground, g->m_iX, g->m_iY);
    link(g, make.CreateDropdownList(x, y, style, pid), pid);
  };
  auto check = [&](XEControlContainer* g, int x, int y, int pid) {
    XEControlCreater make(g->m_pBackground, g->m_iX, g->m_iY);
    link(g, make.CreateSwitch(x, y, "Switch_CheckBox", 2, pid, 0), pid);
  };
  auto selector = [&](XEControlContainer* g, int x, int y, int pid) {
    XEControlCreater make(g->m_pBackground, g->m_iX, g->m_iY);
    link(g, make.CreateSoundSelector(x, y, 6, 8, pid, 0), pid);
  };

  // Basic set-up.
  title(9, 5, wt / 2 + 28, "Basic Setup");
  XEControlContainer* a = AddGroup(this, "Container_Base", 9, 25, q + 24, 200);
  label(a, 10, 9, "Basic", 100, 2);
  label(a, 10, 29, "Master Tune [440.00Hz]", 110, 0, kMasterTuneLabelId);
  bar(a, 120, 29, kMasterTuneId);
  caption(a, 10, 49, "Key Transpose", 110, P(0x80000101));
  bar(a, 120, 49, P(0x80000101));
  caption(a, 10, 69, "Octave", 110, P(0x80000105));
  bar(a, 120, 69, P(0x80000105));
  caption(a, 10, 89, "Velocity Curve", 110, P(0x80000102));
  list(a, 120, 89, 4, P(0x80000102));
  caption(a, 10, 109, "AfterTouch Curve", 110, P(0x80000103));
  list(a, 120, 109, 4, P(0x80000103));
  label(a, 10, 149, "System Preference", 120, 2);
  caption(a, 10, 169, "Scroll Text", 110, P(0x80000111));
  list(a, 120, 169, 4, P(0x80000111));

  XEControlContainer* b = AddGroup(this, "Container_Base", q + 34, 25, q - 26, 200);
  label(b, 10, 9, "EQ Offset", 100, 2);
  static const char* const kEq[] = {"Bass", "Mid", "Treble"};
  static constexpr unsigned kEqIds[] = {0x80000109, 0x80000108, 0x80000107};
  for (int i = 0; i < 3; ++i) {
    caption(b, 10, 29 + 20 * i, kEq[i], 110, P(kEqIds[i]));
    bar(b, 70, 29 + 20 * i, P(kEqIds[i]));
  }
  label(b, 10, 109, "Memory Protect", 100, 2);
  static const char* const kProtect[] = {"Program", "Performance"};
  static constexpr unsigned kProtectIds[] = {0x80000205, 0x80000206};
  for (int i = 0; i < 2; ++i) {
    check(b, 10, 129 + 20 * i, P(kProtectIds[i]));
    caption(b, 28, 129 + 20 * i, kProtect[i], 110, P(kProtectIds[i]));
  }

  // MIDI.
  title(2 * q + 11, 5, wt / 2 - 31, "MIDI");
  XEControlContainer* c = AddGroup(this, "Container_Base", 2 * q + 11, 25, r + 24, 200);
  label(c, 10, 9, "Basic", 120, 2);
  caption(c, 10, 29, "MIDI Channel", 110, P(0x80000400));
  list(c, 120, 29, 6, P(0x80000400));
  check(c, 10, 49, P(0x80000402));
  caption(c, 28, 49, "Local Control On", 110, P(0x80000402));
  caption(c, 10, 69, "Convert Position", 110, P(0x80000106));
  list(c, 120, 69, 6, P(0x80000106));
  caption(c, 10, 89, "Note Receive", 110, P(0x80000401));
  list(c, 120, 89, 6, P(0x80000401));
  label(c, 10, 129, "MIDI Clock", 100, 2);
  caption(c, 10, 149, "MIDI Clock", 110, P(0x80000403));
  {
    XEControlCreater make(c->m_pBackground, c->m_iX, c->m_iY);
    m_pClockList = make.CreateDropdownList(90, 149, 4, P(0x80000403));
    if (m_pClockList) {
      m_pClockList->SetEnableParameterList(m_clockEnable, 5);
      link(c, m_pClockList, P(0x80000403));
    }
  }

  XEControlContainer* d = AddGroup(this, "Container_Base", 2 * q + r + 36, 25, r - 25, 200);
  label(d, 10, 9, "MIDI Filter", 100, 2);
  static const char* const kFilter[] = {"Program Change", "Bank Change", "After Touch",
                                        "Control Change", "SysEx"};
  static constexpr unsigned kFilterIds[] = {0x8000040d, 0x8000040e, 0x80000410, 0x80000411,
                                            0x80000412};
  for (int i = 0; i < 5; ++i) {
    check(d, 10, 29 + 20 * i, P(kFilterIds[i]));
    caption(d, 28, 29 + 20 * i, kFilter[i], 74, P(kFilterIds[i]));
  }

  // Controllers.
  title(9, 228, wt, "Controllers");
  XEControlContainer* e = AddGroup(this, "Container_Base", 9, 248, s - 1, 146);
  label(e, 10, 9, "Joystick", 180, 2);
  caption(e, 10, 29, "JS Lock", 60, P(0x80000113));
  list(e, 75, 29, 4, P(0x80000113));

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
    XEControlContainer* g = AddGroup(this, "Container_Base", f.x, 248, t, 146);
    label(g, 10, 9, f.heading, 180, 2);
    for (int row = 0; row < 4; ++row) {
      const int y = 29 + 20 * row;
      caption(g, 10, y, f.labels[row], 110, P(f.ids[row]));
      if (row == 0 || row == 3)
        list(g, 120, y, 0, P(f.ids[row]));
      else
        selector(g, 120, y, P(f.ids[row]));
    }
  }
  UpdateMasterTuneLabel();
  return true;
}
