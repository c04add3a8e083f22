#include "editor/browsers/CopyMFXBrowserLayer.h"

#include "editor/controls/XEDropdownList.h"
#include "editor/shell/XESynthUtils.h"
#include "hfc/CHfcCtrlCharEditText.h"
#include "model/IBank.h"
#include "model/IBankList.h"
#include "remote/IRemoteSynth.h"

bool CopyMFXBrowserLayer::OnCreate() {
  Oskend::IRemoteSynth* synth = GetRemoteSynth();
  const int m = synth->GetSoundMode();
  AddLabel(15, 45, "From");
  m_pSourceKind = AddList(50, 45, kKindId, 11);
  if (m_pSourceKind)
    for (const char* k : {"Program", "Performance"}) m_pSourceKind->AddItem(k, false);
  m_pSourceBank = AddList(50, 70, kBankId);
  m_pNumber = AddEntry(27, 100, 28, kNumberId);
  if (m_pNumber) {
    m_pNumber->SetMinIntValue(0, false);
    m_pNumber->SetMaxIntValue(19, false);
    m_pNumber->SetIntValue(synth->GetCurSound(true).number, false);
  }
  if (XEDropdownList* fx = AddList(50, 120, kEffectsId, 11)) {
    for (const char* e : {"ALL MFXs & EQ", "Chorus/Flanger", "Reverb/Delay", "EQ"})
      fx->AddItem(e, false);
    fx->SetIntValue(0, false);
  }
  CreateSwitches();
  if (m_pSourceKind) m_pSourceKind->SetIntValue(m == 0 ? 1 : 0, false);
  if (m_pSourceBank) m_pSourceBank->SetIntValue(m == 0 ? -1 : 0, false);
  UpdateSourceSound();
  UpdateBankList();
  CTabPageLayer::OnCreate();
  return true;
}

void CopyMFXBrowserLayer::UpdateSourceSound() {
  if (!m_pNumber) return;
  int b = ValueOf(kBankId);
  int n = m_pNumber->GetIntValue();
  const int k = ValueOf(kKindId);
  const int mode = k == 0 ? 2 : 0;
  if (k != 0) {
    b = 0;
    if ((n & 0xFF) >= 20) {
      m_pNumber->SetIntValue(19, true);
      n = 19;
    }
  }
  m_pNumber->SetMaxIntValue(k == 1 ? 19 : 127, true);
  Oskend::IRemoteSynth* synth = GetRemoteSynth();
  const std::string text =
      XESynthUtils::GetProgNumberAsString(synth, mode, b, n) + " " +
      XESynthUtils::GetProgramName(synth, mode, b & 0xFF, n & 0xFF, false, false);
  m_pNumber->SetPtrValue(const_cast<char*>(text.c_str()), true);
}

void CopyMFXBrowserLayer::UpdateBankList() {
  if (!m_pSourceBank) return;
  const int k = ValueOf(kKindId);
  if (k == m_iLastKind && m_pSourceBank->GetIntValue() != XEDropdownList::kNone) return;
  m_pSourceBank->DeleteAllItems();
  m_pSourceBank->Enable(true);
  if (k == 1) {
    m_pSourceBank->Disable(true);
    m_iLastKind = 1;
  } else if (k == 0) {
    Oskend::IBankList* banks = GetRemoteSynth()->GetAllSounds(2);
    const int count = banks ? static_cast<int>(banks->GetCount()) : 0;
    for (int i = 0; i < count; ++i)
      m_pSourceBank->AddItem(banks->GetAt(i) ? banks->GetAt(i)->GetName().c_str() : "", false);
    m_pSourceBank->SetIntValue(0, true);
    if (m_pNumber) m_pNumber->SetMaxIntValue(127, true);
    m_iLastKind = 0;
  }
}

void CopyMFXBrowserLayer::OnOK() {
  RunCommand(16, ValueOf(kKindId), ValueOf(kBankId), ValueOf(kNumberId),
             (ValueOf(kEffectsId) << 8) & 0xFFFF, "Copy MFX/TFX Error!");
}

void CopyMFXBrowserLayer::OnHfcCtrlIntValueChanged(CHfcControl* control, int value) {
  if (!control) return;
  const int id = control->GetId();
  if (id == kKindId || id == kBankId) {
    control->SetIntValue(value, true);
    UpdateBankList();
    UpdateSourceSound();
  } else if (id == kNumberId) {
    control->SetIntValue(value, true);
    UpdateSourceSound();
  } else if (id == kEffectsId) {
    control->SetIntValue(value, true);
  }
}

bool CopyMFXBrowserLayer::OnHfcCtrlMouseLButtonDown(CHfcControl* control, int, int, int) {
  if (control && control->GetId() == kCancelId) EndModal();
  if (control && control->GetId() == kOkId) OnOK();
  return false;
}
