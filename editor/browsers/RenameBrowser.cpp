#include "editor/browsers/RenameBrowser.h"

#include "hfc/CHfcCtrlCharEditText.h"
#include "remote/IRemoteSynth.h"

bool RenameBrowser::OnCreate() {
  Oskend::IRemoteSynth* synth = GetRemoteSynth();
  AddLabel(15, 45, "New Name");
  CHfcCtrlCharEditText* entry = AddEntry(37, 63, 27, kNameId);
  // This model has none of the three lists, so the entry starts empty.
  void* list = m_iKind == 0   ? synth->GetDrumKits()
               : m_iKind == 1 ? synth->GetExtControls()
                              : synth->GetArpPatterns();
  if (entry && !list) entry->SetPtrValue(const_cast<char*>(""), false);
  CreateSwitches();
  CTabPageLayer::OnCreate();
  return true;
}

void RenameBrowser::OnHfcCtrlPtrValueChanged(CHfcControl* control, void* text) {
  if (!control || !text || control->GetId() != kNameId) return;
  const std::string cut = std::string(static_cast<const char*>(text)).substr(0, 24);
  control->SetPtrValue(const_cast<char*>(cut.c_str()), true);
}

void RenameBrowser::OnOK() {
  // No list of this model has a rename command: the synthesizer refuses
  // command 0 and the user is told.
  RunCommand(0, -1, 0, 0, 0, "Rename Error!");
}

bool RenameBrowser::OnHfcCtrlMouseLButtonDown(CHfcControl* control, int, int, int) {
  if (control && control->GetId() == kCancelId) EndModal();
  if (control && control->GetId() == kOkId) OnOK();
  return false;
}
