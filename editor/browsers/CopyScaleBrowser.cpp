#include "editor/browsers/CopyScaleBrowser.h"

#include "editor/controls/XEDropdownList.h"

const char* const CopyScaleBrowser::kSources[kSourceCount] = {"Equal Temperament",
                                                              "Pure Major",
                                                              "Pure Minor",
                                                              "Arabic",
                                                              "Pythagoras",
                                                              "Werkmeister",
                                                              "Kirnberger",
                                                              "Slendro",
                                                              "Pelog",
                                                              "Stretch",
                                                              "User Octave Scale 00",
                                                              "User Octave Scale 01",
                                                              "User Octave Scale 02",
                                                              "User Octave Scale 03"};
const char* const CopyScaleBrowser::kKeys[12] = {"C",  "C#", "D",  "D#", "E",  "F",
                                                 "F#", "G",  "G#", "A",  "A#", "B"};
const char* const CopyScaleBrowser::kDestinations[5] = {
    "User Octave Scale 00", "User Octave Scale 01", "User Octave Scale 02", "User Octave Scale 03",
    "User All Notes Scale"};

bool CopyScaleBrowser::OnCreate() {
  for (bool& f : m_sourceEnable) f = true;
  AddLabel(15, 47, "From");
  m_pSource = AddList(50, 45, kSourceId);
  if (m_pSource) {
    for (const char* s : kSources) m_pSource->AddItem(s, false);
    m_pSource->SetIntValue(0, false);
  }
  AddLabel(15, 80, "Key");
  m_pKey = AddList(50, 80, kKeyId);
  if (m_pKey) {
    for (const char* k : kKeys) m_pKey->AddItem(k, false);
    m_pKey->SetIntValue(0, false);
  }
  AddLabel(15, 202, "To");
  if (XEDropdownList* d = AddList(50, 200, kDestinationId)) {
    for (const char* s : kDestinations) d->AddItem(s, false);
    d->SetIntValue(0, false);
  }
  CreateSwitches();
  UpdateFromDDList();
  CTabPageLayer::OnCreate();
  return true;
}

void CopyScaleBrowser::UpdateFromDDList() {
  const int source = ValueOf(kSourceId);
  if (m_pKey) {
    if (source == 1 || source == 2)
      m_pKey->Enable(true);
    else
      m_pKey->Disable(true);
  }
  // "Stretch" can be chosen for the all-notes scale only; one already
  // chosen stays chosen (the copy leaves an octave scale as it is then).
  m_sourceEnable[kStretch] = ValueOf(kDestinationId) == kAllNotes;
  if (m_pSource) m_pSource->SetEnableParameterList(m_sourceEnable, kSourceCount);
}

void CopyScaleBrowser::OnOK() {
  RunCommand(27, ValueOf(kSourceId), ValueOf(kKeyId), ValueOf(kDestinationId), 0,
             "Copy Scale Error!");
}

void CopyScaleBrowser::OnHfcCtrlIntValueChanged(CHfcControl* control, int value) {
  if (!control) return;
  const int id = control->GetId();
  if (id == kSourceId || id == kKeyId || id == kDestinationId) control->SetIntValue(value, true);
  if (id == kSourceId || id == kDestinationId) UpdateFromDDList();
}

bool CopyScaleBrowser::OnHfcCtrlMouseLButtonDown(CHfcControl* control, int, int, int) {
  if (control && control->GetId() == kCancelId) EndModal();
  if (control && control->GetId() == kOkId) OnOK();
  return false;
}
