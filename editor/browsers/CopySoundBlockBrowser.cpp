#include "editor/browsers/CopySoundBlockBrowser.h"

#include <cstdlib>

#include "editor/browsers/BrowserKit.h"
#include "editor/controls/XEDropdownList.h"
#include "editor/shell/XESynthUtils.h"
#include "hfc/CHfcCtrlCharEditText.h"
#include "model/IBank.h"
#include "model/IBankList.h"
#include "remote/IRemoteSynth.h"

bool CopySoundBlockBrowser::OnCreate() {
  Oskend::IRemoteSynth* synth = GetRemoteSynth();
  const int m = synth->GetSoundMode();
  const Oskend::SSoundIndex cur = synth->GetCurSound(true);
  const bool program = m == 2 || m == 3;
  if (program)
    for (bool& f : m_bankEnable) f = true;
  AddLabel(15, 47, "From");
  if (XEDropdownList* list = AddList(50, 45, kBankId)) {
    if (program) {
      Oskend::IBankList* banks = synth->GetAllSounds(m);
      const int count = banks ? static_cast<int>(banks->GetCount()) : 0;
      for (int i = 0; i < count; ++i) {
        list->AddItem(banks->GetAt(i) ? banks->GetAt(i)->GetName().c_str() : "", false);
        if (i < 4 && XESynthUtils::IsGMBank(synth, m, XESynthUtils::Index2eBankID(i)))
          m_bankEnable[i] = false;
      }
      list->SetEnableParameterList(m_bankEnable, 4);
      const bool usable = cur.bank < count && (cur.bank >= 4 || m_bankEnable[cur.bank]);
      list->SetIntValue(usable ? cur.bank : 0, false);
    }
  }
  if (CHfcCtrlCharEditText* e = AddEntry(27, 80, 28, kProgramId)) {
    e->SetMinIntValue(0, false);
    e->SetMaxIntValue(127, false);
    e->SetIntValue(synth->GetCurSound(true).number, false);
  }
  for (int id : {kSourceBlockId, kDestinationBlockId}) {
    if (id == kDestinationBlockId) AddLabel(15, 202, "To");
    if (XEDropdownList* list = AddList(50, id == kSourceBlockId ? 100 : 200, id)) {
      for (const char* b : m_blocks) list->AddItem(b, false);
      list->SetIntValue(0, false);
    }
  }
  CreateSwitches();
  UpdateFromSoundName();
  CTabPageLayer::OnCreate();
  return true;
}

void CopySoundBlockBrowser::UpdateFromSoundName() {
  CHfcControl* entry = GetControlById(kProgramId);
  if (!entry) return;
  const int b = ValueOf(kBankId);
  const int n = entry->GetIntValue();
  const std::string text = browserkit::NumberAndName(
      n & 0xFF, XESynthUtils::GetProgramName(GetRemoteSynth(), GetRemoteSynth()->GetSoundMode(),
                                             b & 0xFF, n & 0xFF, false, false));
  entry->SetPtrValue(const_cast<char*>(text.c_str()), true);
}

void CopySoundBlockBrowser::OnOK() {
  RunCommand(m_iCommand, ValueOf(kBankId), ValueOf(kProgramId), ValueOf(kSourceBlockId),
             ValueOf(kDestinationBlockId), m_pFailure);
}

void CopySoundBlockBrowser::OnHfcCtrlIntValueChanged(CHfcControl* control, int value) {
  if (!control) return;
  const int id = control->GetId();
  if (id == kProgramId || id == kBankId || id == kSourceBlockId || id == kDestinationBlockId)
    control->SetIntValue(value, true);
  if (id == kProgramId || id == kBankId) UpdateFromSoundName();
}

void CopySoundBlockBrowser::OnHfcCtrlPtrValueChanged(CHfcControl* control, void* text) {
  if (!control || !text || control->GetId() != kProgramId) return;
  control->SetIntValue(std::atoi(static_cast<const char*>(text)), true);
  UpdateFromSoundName();
}

bool CopySoundBlockBrowser::OnHfcCtrlMouseLButtonDown(CHfcControl* control, int, int, int) {
  if (control && control->GetId() == kCancelId) EndModal();
  if (control && control->GetId() == kOkId) OnOK();
  return false;
}
