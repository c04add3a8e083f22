#include "editor/browsers/LoadProgramBrowser.h"

#include <algorithm>

#include "editor/browsers/BrowserKit.h"
#include "editor/controls/CMMPCtrlList.h"
#include "editor/controls/XEControlCreater.h"
#include "editor/controls/XEDropdownList.h"
#include "editor/controls/XEStaticText.h"
#include "editor/shell/XESynthUtils.h"
#include "model/IBank.h"
#include "model/IBankList.h"
#include "model/ISound.h"
#include "remote/IRemoteSynth.h"

namespace {
constexpr unsigned kRed = 0xFFBF5941u;
int BankId(int index) { return index < 4 ? index : index + 2; }
int Value(XEDropdownList* list) {
  const int v = list->GetIntValue();
  return v == XEDropdownList::kNone ? -1 : v;
}
}  // namespace

LoadProgramBrowser::LoadProgramBrowser(Oskend::IRemoteSynth* synth, eMode mode, int parameter,
                                       const std::string& title, bool categoryArea, bool extraArea)
    : RedBrowserBase(synth, mode, parameter, title, categoryArea, extraArea) {}

int LoadProgramBrowser::FixedCategory(int parameter) {
  const int page = (parameter >> 8) & 0xFF;
  if (page >= 0x02 && page <= 0x07) return page - 2;
  if (page >= 0x08 && page <= 0x0D) return page - 8;
  return -1;
}

bool LoadProgramBrowser::OnCreate() {
  using browserkit::Put;
  Oskend::IRemoteSynth* synth = GetRemoteSynth();
  XEControlCreater f(m_pBackground, 0, 0);
  if (auto* t = f.CreateStaticText(13, 8, 100, 13, "CATEGORY", "FontGeneva10", kRed, 0, 0, -1)) {
    Put(this, t, false);
    t->Show(true);
  }
  if (auto* t =
          f.CreateStaticText(123, 8, 100, 13, "SUB CATEGORY", "FontGeneva10", kRed, 0, 0, -1)) {
    Put(this, t, false);
    t->Show(true);
  }
  m_pCategory = Put(this, f.CreateDropdownList(10, 19, 13, kCategorySelectorId));
  if (m_pCategory) {
    m_pCategory->AddItem("ALL", false);
    for (int i = 0; i <= 6; ++i) {
      std::string name;
      XESynthUtils::GetCategoryName(name, synth, 2, i, true);
      m_pCategory->AddItem(name.c_str(), false);
    }
    m_pCategory->SetMinIntValue(-1, false);
    m_pCategory->SetMaxIntValue(6, false);
    m_pCategory->SetIntValue(-1, false);
  }
  // The bank selector filters but is not shown: the sub-category one sits
  // in its place.
  m_pBank = f.CreateDropdownList(120, 19, 12, kBankSelectorId);
  if (m_pBank) {
    AddControl(m_pBank, false);
    m_pBank->SetListener(this);
    m_pBank->AddItem("ALL", false);
    Oskend::IBankList* banks = synth->GetAllSounds(2);
    const int count = banks ? static_cast<int>(banks->GetCount()) : 0;
    for (int i = 0; i < count; ++i)
      m_pBank->AddItem(banks->GetAt(i) ? banks->GetAt(i)->GetName().c_str() : "", false);
    m_pBank->SetMinIntValue(-1, false);
    m_pBank->SetMaxIntValue(count - 1, false);
    m_pBank->SetIntValue(-1, false);
    for (int i = 0; i < count && i + 1 < 5; ++i)
      if (!synth->IsEnableProgramChangeBank(static_cast<eMode>(2),
                                            static_cast<Oskend::eBankID>(BankId(i))))
        m_enable[i + 1] = false;
    m_pBank->SetEnableParameterList(m_enable, 5);
  }
  const int fixed = FixedCategory(m_iParameter);
  if (fixed >= 0) {
    m_iCategory = fixed;
    if (m_pCategory) {
      m_pCategory->SetIntValue(fixed, true);
      m_pCategory->Disable(true);
      m_pCategory->SetDisabledAlpha(0.9f);
    }
    if (m_pBank) m_pBank->Disable(true);
  }
  m_pSub = Put(this, f.CreateDropdownList(120, 19, 12, kSubCategorySelectorId));
  browserkit::FitWidth(m_pCategory, 106);
  browserkit::FitWidth(m_pBank, 106);
  browserkit::FitWidth(m_pSub, 106);
  UpdateSubCategoryList();
  return RedBrowserBase::OnCreate();
}

void LoadProgramBrowser::UpdateSubCategoryList() {
  if (!m_pSub) return;
  m_pSub->DeleteAllItems();
  m_pSub->AddItem("ALL", false);
  for (int j = 0; j < 8; ++j) {
    std::string name;
    XESynthUtils::GetSubCategoryName(name, GetRemoteSynth(), 2, m_iCategory, j, true);
    m_pSub->AddItem(name.c_str(), false);
  }
  m_pSub->SetMinIntValue(-1, false);
  m_pSub->SetMaxIntValue(7, false);
  m_pSub->SetIntValue(-1, true);
}

bool LoadProgramBrowser::OnHfcCtrlEvent(CHfcControl* control, int event, int arg, void* item) {
  const int id = control ? control->GetId() : 0;
  if (id == kCategorySelectorId || id == kBankSelectorId || id == kSubCategorySelectorId) {
    const int v = control->GetIntValue() == 1 ? arg : -1;
    if (id == kCategorySelectorId) {
      m_iCategory = v;
      RequestInitListControl();
      m_bSubRefresh = true;
    } else if (id == kBankSelectorId) {
      m_iBank = v;
      RequestInitListControl();
    } else {
      m_iSubCategory = v;
    }
    return true;
  }
  return RedBrowserBase::OnHfcCtrlEvent(control, event, arg, item);
}

void LoadProgramBrowser::OnHfcCtrlIntValueChanged(CHfcControl* control, int value) {
  const int id = control ? control->GetId() : 0;
  if (id == kCategorySelectorId || id == kBankSelectorId || id == kSubCategorySelectorId) {
    auto* list = static_cast<XEDropdownList*>(control);
    list->SetIntValue(value, true);
    if (id == kSubCategorySelectorId) m_iSubCategory = Value(list);
    if (id == kBankSelectorId) m_iBank = Value(list);
    if (id == kCategorySelectorId && m_iCategory != Value(list)) {
      m_iCategory = Value(list);
      m_bSubRefresh = true;
    }
    RequestInitListControl();
  }
  RedBrowserBase::OnHfcCtrlIntValueChanged(control, value);
}

void LoadProgramBrowser::OnIdle(unsigned long elapsed) {
  RedBrowserBase::OnIdle(elapsed);
  if (m_bSubRefresh) {
    m_bSubRefresh = false;
    UpdateSubCategoryList();
  }
}

void LoadProgramBrowser::InitListControl() {
  Oskend::IRemoteSynth* synth = GetRemoteSynth();
  Oskend::IBankList* banks = synth->GetAllSounds(2);
  if (!banks) return;
  m_pList->ClearItems();
  const int count = static_cast<int>(banks->GetCount());
  for (int i = 0; i < count; ++i) {
    Oskend::IBank* bank = banks->GetAt(i);
    if (!bank) continue;
    const int id = BankId(i);
    const bool enabled =
        synth->IsEnableProgramChangeBank(static_cast<eMode>(2), static_cast<Oskend::eBankID>(id));
    const int n = static_cast<int>(bank->GetCount());
    for (int j = 0; j < n; ++j) {
      Oskend::ISound* sound = bank->GetAt(j);
      unsigned char b = 0;
      if (sound) sound->RawGet(&b, 630, 1);
      const int c = std::min(b & 31, 6);
      const int s = b >> 5;
      const bool subOk = m_iSubCategory == -1 || s == m_iSubCategory;
      const bool listed =
          (m_iCategory == -1 || c == m_iCategory) && subOk && (m_iBank == -1 || m_iBank == i);
      if (!listed) continue;
      if (enabled)
        browserkit::AddItem(m_pList,
                            XESynthUtils::GetBankProgNumberAsString(synth, 2, id, j) + " " +
                                (sound ? sound->GetName() : std::string()),
                            i * 128 + j);
      else
        browserkit::AddItem(m_pList, "", browserkit::kNoValue, false);
    }
  }
  FinishList();
}

void LoadProgramBrowser::DoIt(int value) { PutParamValue(GetTargetMode(), m_iParameter, value); }
