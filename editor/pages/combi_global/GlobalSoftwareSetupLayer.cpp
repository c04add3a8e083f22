#include "editor/pages/combi_global/GlobalSoftwareSetupLayer.h"

#include "editor/controls/XEControlCreater.h"
#include "editor/controls/XEDropdownList.h"
#include "editor/pages/combi_global/PageBuild.h"
#include "editor/shell/EditorIds.h"
#include "editor/shell/XEControlContainer.h"
#include "editor/shell/XESynthUtils.h"
#include "hfc/CHfcControl.h"
#include "model/ISection.h"
#include "model/MIDIDevKey.h"
#include "remote/IRemoteSynth.h"

using combipage::AddGroup;
using combipage::Put;

namespace {
constexpr int P(unsigned id) { return static_cast<int>(id); }
constexpr const char* kNotConnected = " (not connected)";
}  // namespace

GlobalSoftwareSetupLayer::GlobalSoftwareSetupLayer(Oskend::IRemoteSynth* synth)
    : GlobalPageLayerBase(synth, eMode_Global, false, -1) {
  SetTargetMode(static_cast<eMode>(EditorIds::kModeSetup));
}

bool GlobalSoftwareSetupLayer::OnCreate() {
  CreateTotalRecallSettingControls();
  CreateMIDIAudioControls();
  CreateOtherControls();
  return GlobalPageLayerBase::OnCreate();
}

void GlobalSoftwareSetupLayer::GetMenuItemInfoList(std::list<MenuItemInfo>& list) {
  for (const MenuItemInfo* m :
       {&MenuItemInfo::kMenuItemInfo_SaveDefault, &MenuItemInfo::kMenuItemInfo_Separator,
        &MenuItemInfo::kMenuItemInfo_Load, &MenuItemInfo::kMenuItemInfo_Save,
        &MenuItemInfo::kMenuItemInfo_Separator, &MenuItemInfo::kMenuItemInfo_SelectAutoLoadFile,
        &MenuItemInfo::kMenuItemInfo_Separator, &MenuItemInfo::kMenuItemInfo_ReceiveAll,
        &MenuItemInfo::kMenuItemInfo_TransmitAll})
    list.push_back(*m);
}

void GlobalSoftwareSetupLayer::CreateTotalRecallSettingControls() {
  const int wt = combipage::SkinWidth("Container_Horizontal_1");
  const int ht = combipage::SkinHeight("Container_Horizontal_1");
  const int wb = combipage::SkinWidth("Container_Base");
  const eMode mode = GetTargetMode();
  auto check = [&](XEControlContainer* g, int x, int y, int pid) {
    XEControlCreater make(g->m_pBackground, g->m_iX, g->m_iY);
    if (CHfcControl* c = Put(this, g, make.CreateCheckBox(x, y, pid, 0))) {
      LinkControlWithParam(c, mode, pid);
      SynchronizeControlWithParam(c, true);
    }
  };
  auto label = [&](XEControlContainer* g, int x, int y, const char* text, int w, int style = 0,
                   int id = -1) {
    XEControlCreater make(g->m_pBackground, g->m_iX, g->m_iY);
    return Put(this, g, make.CreateLabel(x, y, text, w, 13, style, 0, 0, id));
  };
  // A check box's caption is its parameter's label.
  auto caption = [&](XEControlContainer* g, int x, int y, const char* text, int w, int pid) {
    return label(g, x, y, text, w, 0, pid + kLabelIdOffset);
  };

  XEControlContainer* t1 = AddGroup(this, "Container_Horizontal_1", 9, 5, wt / 2 - 1, ht);
  label(t1, 5, 5, "Total Recall & Data Sync Settings", t1->m_iWidth - 10, 1);
  XEControlContainer* p1 = AddGroup(this, "Container_Base", 9, 25, wb / 2 - 1, 27);
  check(p1, 10, 7, P(0x80008100));
  caption(p1, 28, 7, "ALL", 60, P(0x80008100));
  XEControlContainer* p2 = AddGroup(this, "Container_Base", 9, 53, wb / 4 - 1, 242);
  check(p2, 10, 7, P(0x80008200));
  caption(p2, 28, 7, "PROG", 30, P(0x80008200));
  static const char* const kBanks[] = {"A", "B", "C", "D"};
  static constexpr unsigned kBankIds[] = {0x80008300, 0x80008400, 0x80008500, 0x80008600};
  for (int i = 0; i < 4; ++i) {
    check(p2, 30, 28 + 26 * i, P(kBankIds[i]));
    caption(p2, 52, 28 + 26 * i, kBanks[i], 60, P(kBankIds[i]));
  }
  XEControlContainer* p3 = AddGroup(this, "Container_Base", wb / 4 + 9, 53, wb / 4, 242);
  check(p3, 10, 7, P(0x80009100));
  caption(p3, 28, 7, "PERFORMANCE", 70, P(0x80009100));

  XEControlContainer* t2 = AddGroup(this, "Container_Horizontal_1", 9, 298, wt, ht);
  label(t2, 5, 5, "Auto Load File", t2->m_iWidth - 10, 1);
  XEControlContainer* p4 = AddGroup(this, "Container_Base", 9, 318, wt, 76);
  check(p4, 10, 10, P(0x8000aa00));
  caption(p4, 28, 10, "Load data file automatically at starting up", 200, P(0x8000aa00));
  label(p4, 28, 35, "Data file:", 68);
  {
    XEControlCreater make(p4->m_pBackground, p4->m_iX, p4->m_iY);
    if (CHfcControl* path = Put(this, p4, make.CreateLabel(80, 34, "", 600, 13, 3, 0, 0, P(0x8000ab00)))) {
      LinkControlWithParam(path, mode, P(0x8000ab00));
      SynchronizeControlWithParam(path, true);
    }
  }
}

void GlobalSoftwareSetupLayer::CreateMIDIAudioControls() {
  const int wt = combipage::SkinWidth("Container_Horizontal_1");
  const int ht = combipage::SkinHeight("Container_Horizontal_1");
  const int wb = combipage::SkinWidth("Container_Base");
  XEControlContainer* t3 = AddGroup(this, "Container_Horizontal_1", wt / 2 + 11, 55, wt / 2 - 2, ht);
  XEControlCreater title(t3->m_pBackground, t3->m_iX, t3->m_iY);
  Put(this, t3, title.CreateLabel(5, 5, "MIDI Settings", t3->m_iWidth - 10, 13, 1, 0, 0, -1));
  XEControlContainer* p5 = AddGroup(this, "Container_Base", wb / 2 + 11, 75, wb / 2 - 2, 220);
  XEControlCreater make(p5->m_pBackground, p5->m_iX, p5->m_iY);
  Put(this, p5, make.CreateLabel(10, 16, "MIDI IN Port:", 120, 13, 0, 0, 0, -1));
  m_pMIDIIn = make.CreateDropdownList(109, 16, 0, kMIDIInListId);
  Put(this, p5, make.CreateLabel(10, 43, "MIDI OUT Port:", 120, 13, 0, 0, 0, -1));
  m_pMIDIOut = make.CreateDropdownList(109, 43, 0, kMIDIOutListId);
  for (XEDropdownList* list : {m_pMIDIIn, m_pMIDIOut}) {
    if (!list) continue;
    AddControl(list, false);
    p5->AddControl(list);
    list->SetListener(this);
  }
  UpdateMIDIInDevice();
  UpdateMIDIOutDevice();
  if (m_pMIDIIn) m_pMIDIIn->Show(true);
  if (m_pMIDIOut) m_pMIDIOut->Show(true);
}

void GlobalSoftwareSetupLayer::CreateOtherControls() {
  const int wt = combipage::SkinWidth("Container_Horizontal_1");
  const int ht = combipage::SkinHeight("Container_Horizontal_1");
  const int wb = combipage::SkinWidth("Container_Base");
  XEControlContainer* t4 = AddGroup(this, "Container_Horizontal_1", wt / 2 + 11, 5, wt / 2 - 2, ht);
  XEControlCreater title(t4->m_pBackground, t4->m_iX, t4->m_iY);
  Put(this, t4, title.CreateLabel(5, 5, "Local Control", t4->m_iWidth - 10, 13, 1, 0, 0, -1));
  XEControlContainer* p6 = AddGroup(this, "Container_Base", wb / 2 + 11, 25, wb / 2 - 2, 27);
  XEControlCreater make(p6->m_pBackground, p6->m_iX, p6->m_iY);
  if (CHfcControl* c = Put(this, p6, make.CreateCheckBox(10, 7, P(0x8000a800), 0))) {
    LinkControlWithParam(c, GetTargetMode(), P(0x8000a800));
    SynchronizeControlWithParam(c, true);
  }
  Put(this, p6, make.CreateLabel(28, 7, "Auto Local Control", 100, 13, 0, 0, 0,
                                 P(0x8000a800) + kLabelIdOffset));
}

void GlobalSoftwareSetupLayer::OnRemoteSynthConnectionStateChanged(Oskend::IRemoteSynth*, bool,
                                                                   bool) {
  UpdateMIDIInDevice();
  UpdateMIDIOutDevice();
}

GlobalSoftwareSetupLayer::PortList GlobalSoftwareSetupLayer::BuildPortList(
    const std::vector<std::string>& ports, const std::string& connected,
    const std::string& stored) {
  PortList out;
  const int n = static_cast<int>(ports.size());
  auto addPorts = [&](int marked) {
    for (int i = 0; i < n; ++i) {
      out.items.push_back(i == marked ? ports[i] + kNotConnected : ports[i]);
      out.ports.push_back(i);
    }
  };
  if (!connected.empty()) {
    addPorts(-1);
    for (int i = 0; i < n; ++i)
      if (ports[i] == connected) out.selection = i;
    return out;
  }
  if (stored.empty()) {
    out.items.push_back("(none)");
    out.ports.push_back(-1);
    addPorts(-1);
    return out;
  }
  for (int k = 0; k < n; ++k)
    if (ports[k] == stored) {
      addPorts(k);
      out.selection = k;
      return out;
    }
  out.items.push_back(stored + kNotConnected);
  out.ports.push_back(-1);
  addPorts(-1);
  return out;
}

void GlobalSoftwareSetupLayer::Fill(XEDropdownList* list, PortList& model, std::vector<int>& ports) {
  list->DeleteAllItems();
  for (const std::string& item : model.items) list->AddItem(item.c_str(), false);
  ports = model.ports;
  list->SetMinIntValue(0, true);
  list->SetMaxIntValue(static_cast<int>(model.items.size()) - 1, true);
  list->SetIntValue(model.selection, true);
}

void GlobalSoftwareSetupLayer::UpdateMIDIInDevice() {
  if (!m_pMIDIIn || !m_pRemoteSynth) return;
  m_pMIDIIn->DeleteAllItems();
  MIDIDevKey out;
  MIDIDevKey in;
  m_pRemoteSynth->GetMIDIConnectionState(&in, &out, nullptr, nullptr, nullptr);
  std::vector<std::string> names;
  const int n = XESynthUtils::GetMIDIInEntrySize(m_pRemoteSynth);
  for (int i = 0; i < n; ++i) names.push_back(XESynthUtils::GetMIDIInName(m_pRemoteSynth, i));
  std::string stored;
  if (in.name.empty())
    if (Oskend::ISection* setup = m_pRemoteSynth->GetSetup()) stored = setup->GetParamS(kMIDIInNameId);
  PortList model = BuildPortList(names, in.name, stored);
  Fill(m_pMIDIIn, model, m_inPorts);
}

void GlobalSoftwareSetupLayer::UpdateMIDIOutDevice() {
  if (!m_pMIDIOut || !m_pRemoteSynth) return;
  m_pMIDIOut->DeleteAllItems();
  MIDIDevKey out;
  MIDIDevKey in;
  m_pRemoteSynth->GetMIDIConnectionState(&in, &out, nullptr, nullptr, nullptr);
  std::vector<std::string> names;
  const int n = XESynthUtils::GetMIDIOutEntrySize(m_pRemoteSynth);
  for (int i = 0; i < n; ++i) names.push_back(XESynthUtils::GetMIDIOutName(m_pRemoteSynth, i));
  std::string stored;
  if (out.name.empty())
    if (Oskend::ISection* setup = m_pRemoteSynth->GetSetup()) stored = setup->GetParamS(kMIDIOutNameId);
  PortList model = BuildPortList(names, out.name, stored);
  Fill(m_pMIDIOut, model, m_outPorts);
}

void GlobalSoftwareSetupLayer::ChoosePort(XEDropdownList* list, const std::vector<int>& ports,
                                          bool output, int value) {
  // The item stands for a port by its place in the list, so a port whose
  // own name reads like one of the list's remarks is stored like any other.
  if (!list || value < 0 || value >= static_cast<int>(ports.size()) || ports[value] < 0) return;
  const std::string name = output ? XESynthUtils::GetMIDIOutName(m_pRemoteSynth, ports[value])
                                  : XESynthUtils::GetMIDIInName(m_pRemoteSynth, ports[value]);
  if (name.empty()) return;
  if (Oskend::ISection* setup = m_pRemoteSynth ? m_pRemoteSynth->GetSetup() : nullptr)
    setup->PutParamS(output ? kMIDIOutNameId : kMIDIInNameId, name.c_str());
}

void GlobalSoftwareSetupLayer::OnHfcCtrlIntValueChanged(CHfcControl* control, int value) {
  if (control && control == m_pMIDIOut) ChoosePort(m_pMIDIOut, m_outPorts, true, value);
  else if (control && control == m_pMIDIIn) ChoosePort(m_pMIDIIn, m_inPorts, false, value);
  GlobalPageLayerBase::OnHfcCtrlIntValueChanged(control, value);
}

bool GlobalSoftwareSetupLayer::OnHfcCtrlMouseLButtonDown(CHfcControl* control, int x, int y,
                                                         int mods) {
  return EditTabPageLayerBase::OnHfcCtrlMouseLButtonDown(control, x, y, mods);
}
