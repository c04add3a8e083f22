#include "editor/browsers/BlueDialogBase.h"

#include "editor/browsers/BrowserKit.h"
#include "editor/controls/XEControlCreater.h"
#include "editor/controls/XEDropdownList.h"
#include "editor/controls/XEStaticText.h"
#include "editor/shell/XESynthUtils.h"
#include "hfc/CHfcCtrlCharEditText.h"
#include "hfc/CHfcCtrlSwitch.h"
#include "platform/HfcMessageBox.h"
#include "remote/IRemoteSynth.h"

int BlueDialogBase::ValueOf(int id) {
  CHfcControl* c = GetControlById(id);
  if (!c) return -1;
  const int v = c->GetIntValue();
  return v == XEDropdownList::kNone ? -1 : v;
}

std::string BlueDialogBase::TextOf(int id) {
  CHfcControl* c = GetControlById(id);
  const char* text = c ? static_cast<const char*>(c->GetPtrValue()) : nullptr;
  return text ? text : "";
}

XEStaticText* BlueDialogBase::AddLabel(int x, int y, const std::string& text, int width) {
  XEControlCreater f(m_pBackground, 0, 0);
  return browserkit::Put(
      this, f.CreateStaticText(x, y, width, 13, text, "FontGeneva10", kLabelColour, 0, 0, -1),
      false);
}

XEDropdownList* BlueDialogBase::AddList(int x, int y, int id, int style) {
  XEControlCreater f(m_pBackground, 0, 0);
  XEDropdownList* list = f.CreateDropdownList(x, y, style, id);
  // The dialogs' lists end where their text entries end, so that a column
  // of lists and entries shares one right edge whichever x each starts at
  // (a list keeps its arrow at its right end).
  if (list && list->GetRightReserve() > 0 && x + list->GetWidth() != kFieldsRight)
    list->Resize(kFieldsRight - x, list->GetHeight(), false);
  return browserkit::Put(this, list);
}

CHfcCtrlCharEditText* BlueDialogBase::AddEntry(int x, int y, int maxChars, int id) {
  XEControlCreater f(m_pBackground, 0, 0);
  CHfcCtrlCharEditText* e = f.CreateTextEdit(x, y, kEntryWidth, 16, maxChars, id, false, 0, 0);
  if (e && e->GetEngine()) e->GetEngine()->SetAlignment(0);
  return browserkit::Put(this, e);
}

void BlueDialogBase::CreateOKSwitch() {
  XEControlCreater f(m_pBackground, 0, 0);
  m_pOk = browserkit::Put(this, f.CreateSwitch(140, 385, "Switch_Blue_OK", 2, kOkId, 0));
  if (!m_pOk) return;
  m_pOk->SetIntValue(1, false);
  m_pOk->Disable(false);
}

void BlueDialogBase::CreateCancelSwitch() {
  XEControlCreater f(m_pBackground, 0, 0);
  m_pCancel = browserkit::Put(this, f.CreateSwitch(49, 385, "Switch_Blue_Cancel", 2, kCancelId, 0));
  if (!m_pCancel) return;
  m_pCancel->SetIntValue(0, false);
  m_pCancel->Disable(false);
}

void BlueDialogBase::CreateSwitches() {
  CreateOKSwitch();
  CreateCancelSwitch();
  if (m_pOk) m_pOk->Enable(false);
  if (m_pCancel) {
    m_pCancel->SetIntValue(1, false);
    m_pCancel->Enable(false);
  }
}

void BlueDialogBase::SilenceSwitches() {
  for (CHfcCtrlSwitch* s : {m_pOk, m_pCancel}) {
    if (!s) continue;
    s->Disable(true);
    s->SetListener(nullptr);
  }
}

void BlueDialogBase::ShowError(const char* text) {
  HfcMessageBoxForWindow(text, XESynthUtils::mProductName.c_str(), GetParentWindow(), 0, 4);
}

void BlueDialogBase::RunCommand(int command, int a1, int a2, int a3, int a4, const char* failure) {
  SilenceSwitches();
  if (!ExecSynthCommand(command, a1, a2, a3, a4)) ShowError(failure);
  EndModal();
}

bool BlueDialogBase::ExecSynthCommand(int command, int a1, int a2, int a3, int a4) {
  return GetRemoteSynth()->ExecCommand(command, a1, a2, a3, a4, nullptr);
}
