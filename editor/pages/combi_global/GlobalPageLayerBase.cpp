#include "editor/pages/combi_global/GlobalPageLayerBase.h"

#include <string>

#include "editor/controls/XEControlCreater.h"
#include "editor/pages/combi_global/PageBuild.h"
#include "editor/shell/OskendBackgroundLayer.h"
#include "editor/shell/XESynthUtils.h"
#include "hfc/CHfcControl.h"
#include "platform/HfcMessageBox.h"
#include "remote/IRemoteSynth.h"

namespace {
constexpr const char* kDumpTitle = "Dump Global Setting";
constexpr long kOkCancel = 1;
constexpr long kNoteIcon = 5;
constexpr long kOkOnly = 0;
constexpr long kStopIcon = 4;
}  // namespace

GlobalPageLayerBase::GlobalPageLayerBase(Oskend::IRemoteSynth* synth, eMode mode,
                                         bool hasDumpSwitch, int dumpSwitchId)
    : EditTabPageLayerBase(synth, mode), m_bHasDumpSwitch(hasDumpSwitch), m_iDumpSwitchId(dumpSwitchId) {}

bool GlobalPageLayerBase::OnCreate() {
  if (m_bHasDumpSwitch) CreateDumpSwitch();
  return CTabPageLayer::OnCreate();
}

bool GlobalPageLayerBase::CreateDumpSwitch() {
  XEControlCreater make(GetBackgroundBmp(), 0, 0);
  combipage::Put(this, nullptr, make.CreateSwitch(698, 6, "Switch_GlobalDump", 1, m_iDumpSwitchId, 0));
  return true;
}

void GlobalPageLayerBase::OnHfcCtrlIntValueChanged(CHfcControl* control, int value) {
  if (m_bHasDumpSwitch && control && control->GetId() == m_iDumpSwitchId) {
    // The release repeats the press: it neither asks again nor goes on.
    if (value >= 0) return;
    if (HfcMessageBoxForWindow(kDumpTitle, XESynthUtils::mProductName.c_str(), GetParentWindow(),
                               kOkCancel, kNoteIcon) == 1)
      DumpGlobalSetting();
  }
  XESynthLayer::OnHfcCtrlIntValueChanged(control, value);
}

void GlobalPageLayerBase::DumpGlobalSetting() {
  if (!m_pRemoteSynth) return;
  unsigned long status = 0;
  if (m_pRemoteSynth->ExecCommand(kDumpCommand, 0, 0, 0, 0, &status)) return;
  // A dump that did not reach the synthesizer is said so, as the menu does.
  const std::string text = OskendBackgroundLayer::CommandErrorText(kDumpTitle, status);
  HfcMessageBoxForWindow(text.c_str(), XESynthUtils::mProductName.c_str(), GetParentWindow(),
                         kOkOnly, kStopIcon);
}
