#include "editor/browsers/SmallBlueBrowserLayer.h"

#include "editor/browsers/BlueBrowserData.h"
#include "editor/browsers/BrowserKit.h"
#include "editor/controls/CMMPCtrlList.h"
#include "editor/controls/CMMPCtrlScrollBar.h"
#include "editor/controls/XEControlCreater.h"
#include "editor/controls/XEDropdownList.h"
#include "editor/controls/XEStaticText.h"
#include "hfc/CHfcCtrlSwitch.h"
#include "model/IBank.h"
#include "model/IBankList.h"
#include "remote/IRemoteSynth.h"

namespace {
constexpr unsigned kBlue = 0xFF6178C2u;
// The list sits under the two selectors.
constexpr int kListTop = 56;
constexpr int kListHeight = 322;

std::string TrimRight(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}
}  // namespace

SmallBlueBrowserLayer::SmallBlueBrowserLayer(Oskend::IRemoteSynth* synth, BlueBrowserData* data,
                                             const std::string& title)
    : BlueBrowserBase(synth, data, title) {
  m_iLines = 25;
  m_iColumns = 1;
}

bool SmallBlueBrowserLayer::OnCreate() {
  using browserkit::Put;
  m_bRebuildList = false;
  XEControlCreater f(m_pBackground, 0, 0);
  Put(this, f.CreateStaticText(13, 19, 100, 13, "CATEGORY", "FontGeneva10", kBlue, 0, 0, -1),
      false);
  Put(this, f.CreateStaticText(123, 19, 100, 13, "BANK", "FontGeneva10", kBlue, 0, 0, -1), false);
  m_pCategory = Put(this, f.CreateDropdownList(10, 30, 11, kCategoryId));
  m_pBank = Put(this, f.CreateDropdownList(120, 30, 11, kBankId));
  browserkit::FitWidth(m_pCategory, 104);
  browserkit::FitWidth(m_pBank, 104);
  m_pList = Put(
      this, f.CreateListControl(12, kListTop, 200, kListHeight, 0, 1, m_iLines, false, kListId));
  m_pScroll = Put(this, f.CreateScrollBar(213, kListTop, kListHeight, 1, 0, kScrollId));
  if (m_pScroll) {
    m_pScroll->Enable(false);
    m_pScroll->SetPageSize(22, false);
  }
  m_pOk = Put(this, f.CreateSwitch(140, 385, "Switch_Blue_OK", 2, kOkId, 0));
  if (m_pOk) {
    m_pOk->SetIntValue(0, false);
    m_pOk->Disable(false);
  }
  m_pCancel = Put(this, f.CreateSwitch(49, 385, "Switch_Blue_Cancel", 2, kCancelId, 0));
  if (m_pCancel) {
    m_pCancel->SetIntValue(1, false);
    m_pCancel->Enable(false);
  }
  UpdateCategorySwitch(true);
  UpdateSubCategorySwitch(false);
  UpdateBankSwitch(true);
  InitSoundListControl();
  if (GetRemoteSynth() && !m_bAdvised) m_bAdvised = GetRemoteSynth()->AdviseSink(this);
  return CTabPageLayer::OnCreate();
}

bool SmallBlueBrowserLayer::OnDestroy() {
  const bool ok = BlueBrowserBase::OnDestroy();
  Oskend::IRemoteSynth* synth = GetRemoteSynth();
  if (synth && synth->GetAuditionState()) synth->EndAudition(false);
  if (synth && m_bAdvised) synth->UnadviseSink(this);
  m_bAdvised = false;
  return ok;
}

void SmallBlueBrowserLayer::UpdateCategorySwitch(bool) {
  if (!m_pCategory) return;
  m_pCategory->DeleteAllItems();
  m_pCategory->AddItem("ALL", true);
  m_pCategory->Disable(true);
  m_pCategory->SetMinIntValue(-1, false);
  m_pCategory->SetMaxIntValue(-1, false);
  m_pCategory->SetIntValue(-1, true);
  m_pData->m_iCategory = m_pCategory->GetIntValue();
}

void SmallBlueBrowserLayer::UpdateSubCategorySwitch(bool) {}

void SmallBlueBrowserLayer::UpdateBankSwitch(bool reset) {
  if (reset) m_pData->m_iBank = -1;
  if (!m_pBank) return;
  m_pBank->DeleteAllItems();
  Oskend::IRemoteSynth* synth = GetRemoteSynth();
  Oskend::IBankList* banks = synth ? synth->GetAllSounds(synth->GetSoundMode()) : nullptr;
  if (banks) {
    m_pBank->AddItem("ALL", true);
    const int count = static_cast<int>(banks->GetCount());
    if (count < 2) {
      m_pBank->Disable(true);
      m_pBank->SetMinIntValue(-1, false);
      m_pBank->SetMaxIntValue(-1, false);
    } else {
      for (int i = 0; i < count; ++i)
        m_pBank->AddItem(TrimRight(banks->GetAt(i) ? banks->GetAt(i)->GetName() : "").c_str(),
                         true);
      m_pBank->Enable(true);
      m_pBank->SetMinIntValue(-1, false);
      m_pBank->SetMaxIntValue(count - 1, false);
    }
    m_pBank->SetIntValue(-1, true);
  }
  m_pData->m_iBank = m_pBank->GetIntValue() == XEDropdownList::kNone ? -1 : m_pBank->GetIntValue();
}

void SmallBlueBrowserLayer::UpdateBrowser(bool rebuildSelectors) {
  if (rebuildSelectors) {
    UpdateCategorySwitch(true);
    UpdateSubCategorySwitch(false);
    UpdateBankSwitch(true);
  }
  if (m_pCategory) m_pCategory->SetIntValue(m_pData->m_iCategory, true);
  if (m_pSubCategory) m_pSubCategory->SetIntValue(m_pData->m_iSubCategory, true);
  if (m_pBank) m_pBank->SetIntValue(m_pData->m_iBank, true);
  m_bRebuildList = true;
}

void SmallBlueBrowserLayer::OnHfcCtrlIntValueChanged(CHfcControl* control, int v) {
  const int id = control ? control->GetId() : 0;
  if (id == kCategoryId || id == kBankId || id == kSubCategoryId) {
    control->SetIntValue(v, true);
    const int value = control->GetIntValue() == XEDropdownList::kNone ? -1 : control->GetIntValue();
    if (id == kCategoryId) m_pData->m_iCategory = value;
    if (id == kBankId) m_pData->m_iBank = value;
    if (id == kSubCategoryId) m_pData->m_iSubCategory = value;
    m_pData->UpdateAllBrowsers(this, false);
  }
  BlueBrowserBase::OnHfcCtrlIntValueChanged(control, v);
}

bool SmallBlueBrowserLayer::OnHfcCtrlEvent(CHfcControl* control, int event, int arg, void* item) {
  const int id = control ? control->GetId() : 0;
  if (id == kCategoryId || id == kBankId) {
    const int value = control->GetIntValue() == 1 ? arg : -1;
    (id == kCategoryId ? m_pData->m_iCategory : m_pData->m_iBank) = value;
    m_pData->UpdateAllBrowsers(this, false);
    return true;
  }
  return BlueBrowserBase::OnHfcCtrlEvent(control, event, arg, item);
}

void SmallBlueBrowserLayer::OnIdle(unsigned long elapsed) {
  if (m_bRebuildList && m_pList) {
    bool had = false;
    const int value = browserkit::SelectedValue(m_pList, &had);
    InitSoundListControl();
    if (had) browserkit::SelectValue(m_pList, m_pScroll, value);
    if (!m_pList->GetSelectedItem()) {
      if (m_pOk) {
        m_pOk->SetIntValue(0, true);
        m_pOk->Disable(true);
      }
      Oskend::IRemoteSynth* synth = GetRemoteSynth();
      if (synth && synth->GetAuditionState()) synth->EndAudition(false);
      if (m_pCancel) {
        m_pCancel->Enable(true);
        m_pCancel->SetIntValue(1, true);
      }
    }
    m_bRebuildList = false;
    RequestRedraw();
  }
  CTabPageLayer::OnIdle(elapsed);
}
