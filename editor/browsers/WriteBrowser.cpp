#include "editor/browsers/WriteBrowser.h"

#include <cstdio>
#include <cstdlib>

#include "editor/browsers/BrowserKit.h"
#include "editor/controls/XEDropdownList.h"
#include "editor/shell/XESynthUtils.h"
#include "hfc/CHfcCtrlCharEditText.h"
#include "hfc/CHfcCtrlSwitch.h"
#include "model/IBank.h"
#include "model/IBankList.h"
#include "model/ISection.h"
#include "model/ISoundSection.h"
#include "platform/HfcMessageBox.h"
#include "remote/IRemoteSynth.h"

namespace {
void PutText(CHfcControl* c, const std::string& text) {
  if (c) c->SetPtrValue(const_cast<char*>(text.c_str()), true);
}
}  // namespace

bool WriteBrowser::OnCreate() {
  Oskend::IRemoteSynth* synth = GetRemoteSynth();
  const Oskend::SSoundIndex cur = synth->GetCurSound(true);
  const int m = synth->GetSoundMode();
  const bool program = m == 2 || m == 3;
  if (program) {
    AddLabel(15, 45, "1. Select Category");
    if (XEDropdownList* list = AddList(37, 63, kCategoryId)) {
      for (int i = 0; i < kCategoryCount; ++i) {
        std::string name;
        XESynthUtils::GetCategoryName(name, synth, m, i, true);
        list->AddItem(name.c_str(), false);
      }
      list->SetIntValue(XESynthUtils::GetCategory(synth, m, cur.bank, cur.number, nullptr), false);
    }
    AddLabel(15, 115, "2. Select SubCategory");
    if (XEDropdownList* list = AddList(37, 133, kSubCategoryId)) {
      const int c = XESynthUtils::GetCategory(synth, m, cur.bank, cur.number, nullptr);
      for (int j = 0; j < 8; ++j) {
        std::string name;
        XESynthUtils::GetSubCategoryName(name, synth, m, c, j, true);
        list->AddItem(name.c_str(), false);
      }
      list->SetIntValue(XESynthUtils::GetSubCategory(synth, m, cur.bank, cur.number), false);
    }
  }
  AddLabel(15, program ? 193 : 45, program ? "3. New Name" : "1. New Name");
  PutText(AddEntry(27, program ? 211 : 63, 27, kNameId),
          XESynthUtils::GetProgramName(synth, m, cur.bank, cur.number, false, true));
  AddLabel(15, program ? 259 : 111, program ? "4. Choose Destination" : "2. Choose Destination");
  if (program) {
    if (XEDropdownList* list = AddList(37, 277, kBankId)) {
      Oskend::IBankList* banks = synth->GetAllSounds(m);
      const int count = banks ? static_cast<int>(banks->GetCount()) : 0;
      for (int i = 0; i < count; ++i)
        list->AddItem(banks->GetAt(i) ? banks->GetAt(i)->GetName().c_str() : "", false);
      list->SetIntValue(cur.bank < count ? cur.bank : 0, false);
    }
  }
  if (CHfcCtrlCharEditText* e = AddEntry(27, program ? 307 : 159, 28, kDestinationId)) {
    e->SetMinIntValue(0, false);
    e->SetMaxIntValue(program ? 127 : 19, false);
    e->SetIntValue(synth->GetCurSound(true).number, false);
  }
  CreateSwitches();
  UpdateDestinationSound();
  CTabPageLayer::OnCreate();
  return true;
}

void WriteBrowser::UpdateSubCategory() {
  auto* list = dynamic_cast<XEDropdownList*>(GetControlById(kSubCategoryId));
  if (!list) return;
  const int c = ValueOf(kCategoryId);
  const int index = list->GetIntValue();
  list->DeleteAllItems();
  for (int j = 0; j < 8; ++j) {
    std::string name;
    XESynthUtils::GetSubCategoryName(name, GetRemoteSynth(), GetRemoteSynth()->GetSoundMode(), c, j,
                                     true);
    list->AddItem(name.c_str(), false);
  }
  list->SetIntValue(index, true);
}

void WriteBrowser::UpdateDestinationSound() {
  Oskend::IRemoteSynth* synth = GetRemoteSynth();
  CHfcControl* entry = GetControlById(kDestinationId);
  if (!entry) return;
  const int m = synth->GetSoundMode();
  const int b = m >= 2 ? (ValueOf(kBankId) & 0xFF) : 0;
  const int n = entry->GetIntValue() & 0xFF;
  const std::string name = XESynthUtils::GetProgramName(synth, m, b, n, false, false);
  std::string text;
  if (m != 0) {
    text = browserkit::NumberAndName(n, name);
  } else {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%c-%d ", 'A' + n / 5, n % 5 + 1);
    text = buf + name;
  }
  PutText(entry, text);
}

void WriteBrowser::OnHfcCtrlIntValueChanged(CHfcControl* control, int value) {
  if (!control) return;
  switch (control->GetId()) {
    case kCategoryId:
      control->SetIntValue(value, true);
      UpdateSubCategory();
      break;
    case kDestinationId:
      control->SetIntValue(value, true);
      UpdateDestinationSound();
      break;
    case kBankId:
    case kSubCategoryId:
      control->SetIntValue(value, true);
      if (control->GetId() == kBankId) UpdateDestinationSound();
      break;
    default:
      break;
  }
}

void WriteBrowser::OnHfcCtrlPtrValueChanged(CHfcControl* control, void* value) {
  if (!control || !value) return;
  const std::string text = static_cast<const char*>(value);
  if (control->GetId() == kNameId) {
    PutText(control, text.substr(0, 24));
  } else if (control->GetId() == kDestinationId) {
    control->SetIntValue(std::atoi(text.c_str()), true);
    UpdateDestinationSound();
  }
}

bool WriteBrowser::OnHfcCtrlMouseLButtonDown(CHfcControl* control, int x, int y, int) {
  if (!control) return false;
  if (control->GetId() == kCancelId) {
    EndModal();
  } else if (control->GetId() == kOkId) {
    const tagHfcRect& r = control->GetFrame();
    if (x >= 0 && y >= 0 && r.left + x < r.right && r.top + y < r.bottom) OnSave();
  }
  return false;
}

bool WriteBrowser::OnHfcCtrlKeyChar(CHfcControl* control, int chr) {
  // A double click does not edit the destination (it would select the
  // sound's name with the number), so typing does.
  auto* entry = dynamic_cast<CHfcCtrlCharEditText*>(control);
  if (!entry || entry->GetId() != kDestinationId || entry->IsEditing() || chr < '0' || chr > '9')
    return false;
  entry->EnterEdit("");
  // Not taken: the entry, editing now, takes the digit itself.
  return false;
}

bool WriteBrowser::OnHfcCtrlMouseLButtonDoubleClick(CHfcControl* control, int, int, int) {
  return control && control->GetId() == kDestinationId;
}

void WriteBrowser::OnSave() {
  Oskend::IRemoteSynth* synth = GetRemoteSynth();
  const char* title = XESynthUtils::mProductName.c_str();
  const int m = synth->GetSoundMode();
  if (!synth->GetConnected()) {
    HfcMessageBoxForWindow("Write Error! (no connect)", title, GetParentWindow(), 0, 0);
    EndModal();
    return;
  }
  if (HfcMessageBoxForWindow("Are you sure?", title, GetParentWindow(), 1, 5) != 1) {
    EndModal();
    return;
  }
  const int b = m >= 2 ? ValueOf(kBankId) : 0;
  const int n = ValueOf(kDestinationId);
  // A list with nothing chosen (the program's own category lies outside
  // it) leaves the program's category as it is: -1 would be stored.
  if (GetControlById(kCategoryId) && ValueOf(kCategoryId) >= 0) {
    const int category = ValueOf(kCategoryId);
    XESynthUtils::SetCurSoundCategory(synth, m, category);
    if (m == 2) {
      if (Oskend::ISection* rt = synth->GetRealtimeControl()) {
        const int v = rt->GetParamI(0x8029);
        rt->PutParamI(0x8029, category + (v / 6) * 6);
      }
    }
  }
  if (GetControlById(kSubCategoryId) && ValueOf(kSubCategoryId) >= 0)
    XESynthUtils::SetCurSoundSubCategory(synth, m, ValueOf(kSubCategoryId));
  if (Oskend::ISoundSection* edit = synth->GetEditBuffer(m))
    edit->PutParamS(static_cast<int>(0xFFFF0000u), TextOf(kNameId).c_str());
  if (m_pOk) m_pOk->Disable(true);
  if (m_pCancel) m_pCancel->Disable(true);
  unsigned long status = 0;
  const bool ok = synth->ExecCommand(5, synth->GetSoundMode(), b & 0xFF, n & 0xFF, 0, &status);
  if (!ok) {
    const char* text = "Write Error!";
    if (status == 0x80000004ul)
      text = "Write Error!\nTimeout.";
    else if (status == 0xC0000002ul)
      text = "Write Error!\nWrite Protected.";
    else if (status == 0xC0000004ul)
      text =
          "Write Error!\nProgram bank type is wrong.\nPlease synchronize "
          "the program bank before writing.";
    HfcMessageBoxForWindow(text, title, GetParentWindow(), 0, 4);
  }
  EndModal();
}
