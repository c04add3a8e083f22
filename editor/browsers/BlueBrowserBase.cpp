#include "editor/browsers/BlueBrowserBase.h"

#include "editor/browsers/BlueBrowserData.h"
#include "editor/browsers/BrowserKit.h"
#include "editor/controls/CMMPCtrlList.h"
#include "editor/controls/CMMPCtrlScrollBar.h"
#include "editor/shell/XESynthUtils.h"
#include "hfc/CHfcCtrlListItem.h"
#include "hfc/CHfcCtrlSwitch.h"
#include "model/IBank.h"
#include "model/IBankList.h"
#include "model/ISound.h"
#include "remote/IRemoteSynth.h"

namespace {
// One OK at a time for the whole process: OK ends the modal state and a
// second press must not act on a page that is being closed.
bool g_okBusy = false;
}  // namespace

BlueBrowserBase::BlueBrowserBase(Oskend::IRemoteSynth* synth, BlueBrowserData* data,
                                 const std::string& title)
    : CTabPageLayer(synth, title), m_pData(data) {}

BlueBrowserBase::~BlueBrowserBase() {
  if (m_pData) m_pData->RemoveBrowser(this);
}

bool BlueBrowserBase::OnDestroy() {
  // A page leaves the model's list when it goes, so no refresh reaches a
  // destroyed page between its destruction and the end of its group.
  if (m_pData) m_pData->RemoveBrowser(this);
  return CTabPageLayer::OnDestroy();
}

void BlueBrowserBase::InitSoundListControl() {
  Oskend::IRemoteSynth* synth = GetRemoteSynth();
  if (!synth || !m_pList) return;
  const int mode = synth->GetSoundMode();
  Oskend::IBankList* banks = synth->GetAllSounds(mode);
  if (!banks) return;
  m_pSelected = nullptr;
  m_pList->ClearItems();
  const int c = m_pData->m_iCategory;
  const int s = m_pData->m_iSubCategory;
  const int k = m_pData->m_iBank;
  const int bankCount = static_cast<int>(banks->GetCount());
  for (int b = 0; b < bankCount; ++b) {
    Oskend::IBank* bank = banks->GetAt(b);
    if (!bank) continue;
    int id = b;
    bool enabled = true;
    if (mode == 2) {
      id = b < 4 ? b : b + 2;
      enabled =
          synth->IsEnableProgramChangeBank(static_cast<eMode>(2), static_cast<Oskend::eBankID>(id));
    }
    const int count = static_cast<int>(bank->GetCount());
    for (int n = 0; n < count; ++n) {
      Oskend::ISound* sound = bank->GetAt(n);
      int sub = -1;
      const int cat = GetCategory(mode, sound, &sub);
      if (!((c == -1 || c == cat) && (s == -1 || s == sub) && (k == -1 || k == b))) continue;
      std::string caption = XESynthUtils::GetBankProgNumberAsString(synth, mode, id, n);
      if (enabled) {
        caption += " ";
        caption += sound ? sound->GetName() : std::string();
        browserkit::AddItem(m_pList, caption, b <= 254 && n <= 254 ? (b << 8) | n : -1);
      } else {
        browserkit::AddItem(m_pList, caption, browserkit::kNoValue, false);
      }
    }
  }
  browserkit::ResetScrollRange(m_pList, m_pScroll, m_iLines, m_iColumns);
}

void BlueBrowserBase::RequestSetCurrentSound(const Oskend::SSoundIndex& sound) {
  m_pData->ChooseSound(sound);
  m_pData->UpdateSelection();
}

void BlueBrowserBase::OnUpdateSelection() {
  if (!m_pList) return;
  m_pSelected = m_pList->GetSelectedItem();
  // The marks go here: the list leaves clearing them to its listener,
  // and this page takes only selections.
  for (int i = 0; i < m_pList->GetNumItems(); ++i) m_pList->SetItemSelected(i, false);
  const Oskend::SSoundIndex& cur = m_pData->GetChosenSound();
  if (cur.bank >= 255 && cur.number >= 255) {
    if (m_pOk) {
      m_pOk->SetIntValue(0, true);
      m_pOk->Disable(true);
    }
  } else {
    const int key = cur.bank < 255 && cur.number < 255 ? (cur.bank << 8) | cur.number : -1;
    const int index = browserkit::FindValue(m_pList, key);
    if (index >= 0) {
      m_pList->SetItemSelected(index, true);
      m_pList->AutoScroll(index, 0);
    }
    if (m_pScroll) m_pScroll->SetIntValue(m_pList->GetTopLine(), true);
    if (m_pOk) {
      m_pOk->Enable(true);
      m_pOk->SetIntValue(1, true);
    }
  }
  if (m_pCancel) {
    m_pCancel->Enable(true);
    m_pCancel->SetIntValue(1, true);
  }
  m_pList->SetDirty(true);
}

void BlueBrowserBase::OnOK() {
  if (g_okBusy) return;
  g_okBusy = true;
  if (GetRemoteSynth()->GetMode() != 4) {
    if (m_pList) {
      m_pList->SetListener(nullptr);
      m_pList->Disable(true);
    }
    if (m_pScroll) m_pScroll->Disable(true);
    if (m_pOk) m_pOk->Disable(true);
    if (m_pCancel) m_pCancel->Disable(true);
  }
  m_pData->OKAudition();
  EndModal();
  g_okBusy = false;
}

void BlueBrowserBase::OnCancel() {
  m_pData->CancelAudition();
  EndModal();
}

void BlueBrowserBase::OnCategoryChanged(int v) {
  m_pData->m_iCategory = v;
  m_pData->m_iSubCategory = -1;
  m_pData->UpdateAllBrowsers(this, false);
}

void BlueBrowserBase::OnSubCategoryChanged(int v) {
  m_pData->m_iSubCategory = v;
  m_pData->UpdateAllBrowsers(this, false);
}

void BlueBrowserBase::OnBankChanged(int v) {
  m_pData->m_iBank = v;
  m_pData->UpdateAllBrowsers(this, false);
}

bool BlueBrowserBase::OnHfcCtrlEvent(CHfcControl* control, int event, int arg, void* data) {
  if (!control || control->GetId() != kListId || !m_pList) return true;
  switch (event) {
    case CHfcCtrlList::kEventScrollTo:
      m_pList->AutoScroll(arg, 0);
      if (m_pScroll) m_pScroll->SetIntValue(m_pList->GetTopLine(), true);
      return true;
    case CHfcCtrlList::kEventActivate:
      OnOK();
      return true;
    case CHfcCtrlList::kEventSelect: {
      auto* item = static_cast<CHfcCtrlListItem*>(data);
      if (!item || arg != 1) return false;
      const int value = browserkit::ItemValue(item) & 0xFFFF;
      RequestSetCurrentSound(
          {static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value & 0xFF)});
      return true;
    }
    default:
      return true;
  }
}

void BlueBrowserBase::OnHfcCtrlIntValueChanged(CHfcControl* control, int value) {
  if (control && control->GetId() == kScrollId && m_pList) {
    m_pList->SetCurrentLine(value);
    control->SetIntValue(value, true);
  }
}

bool BlueBrowserBase::OnHfcCtrlMouseLButtonDown(CHfcControl* control, int x, int y, int mods) {
  if (control && control->GetId() == kCancelId)
    OnCancel();
  else if (control && control->GetId() == kOkId)
    OnOK();
  return CTabPageLayer::OnHfcCtrlMouseLButtonDown(control, x, y, mods);
}

bool BlueBrowserBase::OnHfcCtrlKeyDown(CHfcControl*, int chr, int key, int) {
  if (chr == 27 || key == 27) {
    OnCancel();
    return true;
  }
  return false;
}

bool BlueBrowserBase::PreMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) {
  // A click on the browser must not end the audition it runs.
  return CHfcWindowLayer::PreMouseLButtonDown(m, x, y, mods);
}
