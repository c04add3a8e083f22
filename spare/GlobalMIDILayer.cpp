#include "spare/GlobalMIDILayer.h"

#include "editor/controls/XEControlCreater.h"
#include "editor/pages/combi_global/PageBuild.h"
#include "editor/shell/XEControlContainer.h"
#include "hfc/CHfcControl.h"

using combipage::AddGroup;
using combipage::Put;

namespace {
constexpr int P(unsigned id) { return static_cast<int>(id); }
constexpr int kMidiChannel = P(0x80000400);
constexpr int kNoteReceive = P(0x80000401);
constexpr int kLocalControl = P(0x80000402);
constexpr int kMidiClock = P(0x80000403);
constexpr int kExtRealtime = P(0x80000404);
constexpr int kConvertPosition = P(0x80000106);

struct FilterSwitch {
  int pid;
  const char* label;
  int x;
  int y;
};
const FilterSwitch kFilters[] = {
    {P(0x8000040D), "Program Change", 10, 24}, {P(0x8000040E), "Bank Change", 10, 42},
    {P(0x80000410), "After Touch", 110, 24},   {P(0x80000411), "Control Change", 110, 42},
    {P(0x80000412), "SysEx", 110, 60},
};
}  // namespace

GlobalMIDILayer::GlobalMIDILayer(Oskend::IRemoteSynth* synth)
    : GlobalPageLayerBase(synth, eMode_Global, true, kDumpSwitchId) {}

bool GlobalMIDILayer::OnCreate() {
  CreateControls();
  CreateSublevelTab();
  return GlobalPageLayerBase::OnCreate();
}

void GlobalMIDILayer::CreateSublevelTab() {
  EditTabPageLayerBase::CreateSublevelTab("Tab_Low_Global_MIDI", 130, 76);
}

void GlobalMIDILayer::GetMenuItemInfoList(std::list<MenuItemInfo>& list) {
  for (const MenuItemInfo* m :
       {&MenuItemInfo::kMenuItemInfo_WriteGlobalSetting,
        &MenuItemInfo::kMenuItemInfo_RenameExtControlSetup, &MenuItemInfo::kMenuItemInfo_Separator,
        &MenuItemInfo::kMenuItemInfo_Load, &MenuItemInfo::kMenuItemInfo_Save,
        &MenuItemInfo::kMenuItemInfo_Separator, &MenuItemInfo::kMenuItemInfo_ReceiveAll,
        &MenuItemInfo::kMenuItemInfo_TransmitAll, &MenuItemInfo::kMenuItemInfo_ReceiveGlobal,
        &MenuItemInfo::kMenuItemInfo_TransmitGlobal})
    list.push_back(*m);
}

void GlobalMIDILayer::CreateControls() {
  const int W = combipage::SkinWidth("Container_Base");
  const int q = ((W / 2) - 31) / 2;
  const eMode mode = GetTargetMode();
  auto link = [&](CHfcControl* c, int pid) {
    if (!c) return;
    LinkControlWithParam(c, mode, pid);
    SynchronizeControlWithParam(c, true);
  };
  auto label = [&](XEControlContainer* g, int x, int y, const char* text, int w = 80,
                   int style = 0) {
    XEControlCreater make(g->m_pBackground, g->m_iX, g->m_iY);
    Put(this, g, make.CreateLabel(x, y, text, w, 13, style, 0, 0, -1));
  };
  auto dropdown = [&](XEControlContainer* g, int x, int y, int type, int pid) {
    XEControlCreater make(g->m_pBackground, g->m_iX, g->m_iY);
    link(Put(this, g, make.CreateDropdownList(x, y, type, pid)), pid);
  };
  auto check = [&](XEControlContainer* g, int x, int y, int pid) {
    XEControlCreater make(g->m_pBackground, g->m_iX, g->m_iY);
    link(Put(this, g, make.CreateSwitch(x, y, "Switch_CheckBox", 2, pid, 0)), pid);
  };

  XEControlContainer* title = AddGroup(this, "Container_Horizontal_1", 9, 5, 0, 0);
  label(title, 5, 5, "MIDI", 80, 1);

  XEControlContainer* basic = AddGroup(this, "Container_Base", 9, 25, q - 21, 101);
  label(basic, 10, 4, "Basic", 80, 2);
  label(basic, 10, 22, "MIDI Channel");
  dropdown(basic, 90, 22, 6, kMidiChannel);
  check(basic, 10, 40, kLocalControl);
  label(basic, 28, 40, "Local Control On");
  label(basic, 10, 58, "Convert Position");
  dropdown(basic, 90, 58, 6, kConvertPosition);
  label(basic, 10, 76, "Note Receive");
  dropdown(basic, 90, 76, 6, kNoteReceive);

  XEControlContainer* clock = AddGroup(this, "Container_Base", q - 11, 25, 185, 101);
  label(clock, 10, 4, "MIDI Clock", 100, 2);
  label(clock, 10, 22, "MIDI Clock");
  dropdown(clock, 80, 22, 4, kMidiClock);
  check(clock, 10, 40, kExtRealtime);
  label(clock, 28, 40, "Receive Ext. Realtime Commands", 150);

  AddGroup(this, "Container_Base", q + 175, 25, 242, 58);

  XEControlContainer* filter = AddGroup(this, "Container_Base", q + 418, 25, 389 - q, 101);
  label(filter, 10, 4, "MIDI Filter", 80, 2);
  for (const FilterSwitch& f : kFilters) {
    check(filter, f.x, f.y, f.pid);
    label(filter, f.x + 18, f.y, f.label, 74);
  }

  AddGroup(this, "Container_Base", q + 175, 84, 242, 42);
}
