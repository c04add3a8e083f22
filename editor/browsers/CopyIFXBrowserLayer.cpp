#include "editor/browsers/CopyIFXBrowserLayer.h"

#include "editor/browsers/BrowserKit.h"
#include "editor/controls/XEDropdownList.h"
#include "editor/shell/XESynthUtils.h"
#include "hfc/CHfcCtrlCharEditText.h"
#include "model/IBank.h"
#include "model/IBankList.h"
#include "remote/IRemoteSynth.h"

namespace {
void FillBanks(XEDropdownList* list, Oskend::IBankList* banks) {
  const int count = banks ? static_cast<int>(banks->GetCount()) : 0;
  for (int i = 0; i < count; ++i)
    list->AddItem(banks->GetAt(i) ? banks->GetAt(i)->GetName().c_str() : "", false);
}
}  // namespace

bool CopyIFXBrowserLayer::OnCreate() {
  Oskend::IRemoteSynth* synth = GetRemoteSynth();
  AddLabel(15, 45, "From");
  m_pSourceKind = AddList(50, 45, kKindId, 11);
  if (m_pSourceKind) {
    for (const char* k : {"Program", "Combination", "Song"}) m_pSourceKind->AddItem(k, false);
    m_pSourceKind->SetIntValue(0, false);
    // Only programs can be the source: the popup offers the first entry.
    m_pSourceKind->SetMinIntValue(0, false);
    m_pSourceKind->SetMaxIntValue(0, false);
    m_pSourceKind->SetEnableParameterList(m_kindEnable, 3);
  }
  m_pSourceBank = AddList(50, 70, kBankId);
  if (m_pSourceBank) {
    FillBanks(m_pSourceBank, synth->GetAllSounds(synth->GetSoundMode()));
    m_pSourceBank->SetIntValue(0, false);
  }
  if (CHfcCtrlCharEditText* e = AddEntry(27, 100, 28, kNumberId)) {
    e->SetMinIntValue(0, false);
    e->SetMaxIntValue(127, false);
    e->SetIntValue(synth->GetCurSound(true).number, false);
  }
  CreateSwitches();
  // The list follows the kind shown now (programs), whatever the current
  // sound mode's banks are.
  UpdateBankList();
  UpdateSourceSound();
  CTabPageLayer::OnCreate();
  return true;
}

void CopyIFXBrowserLayer::UpdateSourceSound() {
  CHfcControl* entry = GetControlById(kNumberId);
  if (!entry) return;
  const int b = ValueOf(kBankId);
  const int n = entry->GetIntValue();
  const int k = ValueOf(kKindId);
  const std::string text = browserkit::NumberAndName(
      n & 0xFF, XESynthUtils::GetProgramName(GetRemoteSynth(), k == 0 ? 2 : 0, b & 0xFF, n & 0xFF,
                                             false, false));
  entry->SetPtrValue(const_cast<char*>(text.c_str()), true);
}

void CopyIFXBrowserLayer::UpdateBankList() {
  const int k = ValueOf(kKindId);
  if (k == m_iLastKind || k < 0 || !m_pSourceBank) return;
  m_pSourceBank->Enable(true);
  m_pSourceBank->DeleteAllItems();
  if (k == 0) {
    FillBanks(m_pSourceBank, GetRemoteSynth()->GetAllSounds(2));
    m_pSourceBank->SetIntValue(0, true);
  }
  m_iLastKind = k;
}

void CopyIFXBrowserLayer::OnOK() {
  RunCommand(14, ValueOf(kKindId), ValueOf(kBankId), ValueOf(kNumberId), 0, "Copy IFX Error!");
}

void CopyIFXBrowserLayer::OnHfcCtrlIntValueChanged(CHfcControl* control, int value) {
  if (!control) return;
  const int id = control->GetId();
  if (id == kKindId || id == kBankId) {
    control->SetIntValue(value, true);
    UpdateBankList();
    UpdateSourceSound();
  } else if (id == kNumberId) {
    control->SetIntValue(value, true);
    UpdateSourceSound();
  }
}

bool CopyIFXBrowserLayer::OnHfcCtrlMouseLButtonDown(CHfcControl* control, int, int, int) {
  if (control && control->GetId() == kCancelId) EndModal();
  if (control && control->GetId() == kOkId) OnOK();
  return false;
}
