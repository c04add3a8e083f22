#include "spare/BigBlueBrowserLayer.h"

#include "editor/browsers/BlueBrowserData.h"
#include "editor/browsers/BrowserKit.h"
#include "editor/controls/CMMPCtrlList.h"
#include "editor/controls/CMMPCtrlScrollBar.h"
#include "editor/controls/ResourceManager.h"
#include "editor/controls/XEControlCreater.h"
#include "editor/controls/XEStaticText.h"
#include "editor/shell/XESynthUtils.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcCtrlSwitch.h"
#include "hfc/CHfcCtrlTextSwitch.h"
#include "model/IBank.h"
#include "model/IBankList.h"
#include "remote/IRemoteSynth.h"

namespace {
constexpr unsigned kBlue = 0xFF6178C2u;
constexpr unsigned kBlack = 0xFF000000u;

void SetText(CHfcControl* c, const std::string& text) {
  if (c) c->SetPtrValue(const_cast<char*>(text.c_str()), true);
}

void Blank(CHfcCtrlTextSwitch* s, const char* text) {
  if (!s) return;
  SetText(s, text);
  s->Disable(true);
}

// Lights the switch that stands for the filter (switch i: value i - 1).
template <int N>
void Light(CHfcCtrlTextSwitch* const (&switches)[N], int filter) {
  for (int i = 0; i < N; ++i)
    if (switches[i]) switches[i]->SetIntValue(i - 1 == filter ? 1 : 0, true);
}
}  // namespace

BigBlueBrowserLayer::BigBlueBrowserLayer(Oskend::IRemoteSynth* synth, BlueBrowserData* data,
                                         const std::string& title)
    : BlueBrowserBase(synth, data, title) {
  m_iColumns = 3;
  m_iLines = 23;
}

bool BigBlueBrowserLayer::OnCreate() {
  using browserkit::Put;
  m_bRebuildList = false;
  XEControlCreater f(m_pBackground, 0, 0);
  Put(this, f.CreateStaticText(13, 19, 100, 13, "CATEGORY", "FontGeneva10", kBlue, 0, 0, -1), false);
  Put(this, f.CreateStaticText(123, 19, 100, 13, "BANK", "FontGeneva10", kBlue, 0, 0, -1), false);
  Put(this, f.CreateStaticText(13, 179, 100, 13, "SUB CATEGORY", "FontGeneva10", kBlue, 0, 0, -1),
      false);
  auto makeSwitches = [&](CHfcCtrlTextSwitch** out, int n, const char* skin, int id, int x, int y) {
    ResourceManager* images = ResourceManager::GetInstance();
    CHfcBmp* picture = images ? images->LoadImage(skin) : nullptr;
    const int step = (picture ? picture->GetHeight() / 2 : 17) - 1;
    for (int i = 0; i < n; ++i) {
      CHfcCtrlTextSwitch* s = f.CreateTextSwitch(x, y + i * step, skin, 2, kBlack, id, 0);
      if (!s) continue;
      // The switch carries its index; a group id keeps the keys apart.
      s->SetGroupId(i);
      out[i] = Put(this, s);
      s->SetIntValue(i == 0 ? 1 : 0, false);
    }
  };
  makeSwitches(m_category, kCategorySwitches, "Switch_Blue_106X17", kCategoryId, 10, 30);
  makeSwitches(m_subCategory, kSubCategorySwitches, "Switch_Blue_106X17", kSubCategoryId, 10, 190);
  makeSwitches(m_bank, kBankSwitches, "Switch_Blue_52X17", kBankId, 120, 30);
  m_pList = Put(this, f.CreateListControl(235, 20, 561, 353, 0, m_iColumns, m_iLines, true, kListId));
  m_pScroll = Put(this, f.CreateScrollBar(236, 387, 561, 0, 0, kScrollId));
  if (m_pScroll) {
    m_pScroll->Enable(false);
    m_pScroll->SetPageSize(m_iColumns, false);
  }
  m_pSoundLine = Put(this, f.CreateStaticText(17, 344, 200, 13, "", "FontHelvB11", kBlue, 0, 0,
                                              kSoundLineId), false);
  m_pCategoryLine = Put(this, f.CreateStaticText(17, 364, 200, 13, "", "FontGeneva9ForControls",
                                                 kBlue, 0, 0, kCategoryLineId), false);
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

  // The model's preset category is never set in this system: the browser
  // starts on no sound and every filter on all.
  m_pData->SetCurrentSound(Oskend::SSoundIndex{255, 255});
  m_pData->m_iBank = m_pData->m_iCategory = m_pData->m_iSubCategory = -1;
  UpdateCategorySwitch(true);
  UpdateSubCategorySwitch(true);
  UpdateBankSwitch(true);

  InitSoundListControl();
  OnUpdateSelection();
  if (GetRemoteSynth() && !m_bAdvised) m_bAdvised = GetRemoteSynth()->AdviseSink(this);
  return CTabPageLayer::OnCreate();
}

bool BigBlueBrowserLayer::OnDestroy() {
  CTabPageLayer::OnDestroy();
  Oskend::IRemoteSynth* synth = GetRemoteSynth();
  if (synth && synth->GetAuditionState()) synth->EndAudition(false);
  if (synth && m_bAdvised) synth->UnadviseSink(this);
  m_bAdvised = false;
  return true;
}

void BigBlueBrowserLayer::UpdateCategorySwitch(bool reset) {
  if (reset) m_pData->m_iCategory = -1;
  if (!m_bSynthReady) {
    for (CHfcCtrlTextSwitch* s : m_category) Blank(s, " ");
    return;
  }
  Oskend::IRemoteSynth* synth = GetRemoteSynth();
  const int mode = synth ? synth->GetSoundMode() : 0;
  for (int i = 0; i < kCategorySwitches; ++i) {
    CHfcCtrlTextSwitch* s = m_category[i];
    if (!s) continue;
    if (i == 0) {
      SetText(s, "ALL");
      s->Enable(true);
      continue;
    }
    std::string name;
    if (XEUtils::GetCategoryName(name, synth, mode, i - 1, true)) {
      SetText(s, name);
      s->Enable(true);
    } else {
      s->SetIntValue(0, true);
      Blank(s, "");
    }
  }
  Light(m_category, m_pData->m_iCategory);
}

void BigBlueBrowserLayer::UpdateSubCategorySwitch(bool reset) {
  if (reset) m_pData->m_iSubCategory = -1;
  if (!m_bSynthReady) {
    for (CHfcCtrlTextSwitch* s : m_subCategory) Blank(s, " ");
    return;
  }
  Oskend::IRemoteSynth* synth = GetRemoteSynth();
  const int mode = synth ? synth->GetSoundMode() : 0;
  for (int i = 0; i < kSubCategorySwitches; ++i) {
    CHfcCtrlTextSwitch* s = m_subCategory[i];
    if (!s) continue;
    if (i == 0) {
      SetText(s, "ALL");
      s->Enable(true);
      continue;
    }
    std::string name;
    if (m_pData->m_iCategory >= 0 &&
        XESynthUtils::GetSubCategoryName(name, synth, mode, m_pData->m_iCategory, i - 1, true)) {
      SetText(s, name);
      s->Enable(true);
    } else {
      s->SetIntValue(0, true);
      Blank(s, "");
    }
  }
  Light(m_subCategory, m_pData->m_iSubCategory);
}

void BigBlueBrowserLayer::UpdateBankSwitch(bool reset) {
  if (reset) m_pData->m_iBank = -1;
  if (!m_bSynthReady) {
    for (CHfcCtrlTextSwitch* s : m_bank) Blank(s, " ");
    return;
  }
  Oskend::IRemoteSynth* synth = GetRemoteSynth();
  const int mode = synth ? synth->GetSoundMode() : 0;
  Oskend::IBankList* banks = synth ? synth->GetAllSounds(mode) : nullptr;
  if (!banks) return;
  const int count = static_cast<int>(banks->GetCount());
  if (m_pData->m_iBank >= count) m_pData->m_iBank = -1;
  for (int i = 0; i < kBankSwitches; ++i) {
    CHfcCtrlTextSwitch* s = m_bank[i];
    if (!s) continue;
    if (i == 0) {
      SetText(s, "ALL");
      s->Enable(true);
      continue;
    }
    const int bank = i - 1;
    Oskend::IBank* b = bank < count && count >= 2 ? banks->GetAt(bank) : nullptr;
    if (!b) {
      Blank(s, "");
      continue;
    }
    SetText(s, b->GetName());
    // In program mode two bank numbers are skipped after the fourth.
    const int number = bank < 4 ? bank : i + 1;
    const bool enabled =
        mode != 2 || synth->IsEnableProgramChangeBank(eMode_ProgPlay, static_cast<Oskend::eBankID>(number));
    if (enabled)
      s->Enable(true);
    else
      s->Disable(true);
  }
  Light(m_bank, m_pData->m_iBank);
}

void BigBlueBrowserLayer::LightFilters() {
  Light(m_category, m_pData->m_iCategory);
  Light(m_subCategory, m_pData->m_iSubCategory);
  Light(m_bank, m_pData->m_iBank);
}

void BigBlueBrowserLayer::UpdateBrowser(bool reset) {
  if (reset) {
    UpdateCategorySwitch(true);
    UpdateBankSwitch(true);
  }
  UpdateSubCategorySwitch(false);
  LightFilters();
  m_bRebuildList = true;
}

bool BigBlueBrowserLayer::OnHfcCtrlMouseLButtonDown(CHfcControl* control, int x, int y, int mods) {
  const int id = control ? control->GetId() : 0;
  if (id < kCategoryId || id > kSubCategoryId)
    return BlueBrowserBase::OnHfcCtrlMouseLButtonDown(control, x, y, mods);
  auto pick = [control](auto& switches) {
    for (CHfcCtrlTextSwitch* s : switches)
      if (s) s->SetIntValue(s == control ? 1 : 0, true);
  };
  const int value = control->GetGroupId() - 1;
  if (id == kCategoryId) {
    pick(m_category);
    OnCategoryChanged(value);
  } else if (id == kSubCategoryId) {
    pick(m_subCategory);
    OnSubCategoryChanged(value);
  } else {
    pick(m_bank);
    OnBankChanged(value);
  }
  return true;
}

void BigBlueBrowserLayer::OnIdle(unsigned long elapsed) {
  if (m_bRebuildList && m_pList) {
    bool had = false;
    const int value = browserkit::SelectedValue(m_pList, &had);
    InitSoundListControl();
    if (had) browserkit::SelectValue(m_pList, m_pScroll, value);
    if (m_pScroll) m_pScroll->SetIntValue(m_pList->GetTopLine(), true);
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

void BigBlueBrowserLayer::OnUpdateSelection() {
  BlueBrowserBase::OnUpdateSelection();
  if (!m_pList) return;
  CHfcCtrlListItem* item = m_pList->GetSelectedItem();
  Oskend::IRemoteSynth* synth = GetRemoteSynth();
  const int mode = synth ? synth->GetSoundMode() : 0;
  if (!item) {
    SetText(m_pSoundLine, "UNSELECTED");
    return;
  }
  const int value = browserkit::SelectedValue(m_pList);
  const int bank = value >> 8;
  const int program = value & 0xFF;
  SetText(m_pSoundLine, XESynthUtils::GetBankProgNumberAsString(synth, mode, bank, program) + " " +
                            XESynthUtils::GetProgramName(synth, mode, bank, program, false, false));
  if (m_bSynthReady) {
    std::string name;
    XEUtils::GetCategoryName(name, synth, mode, XESynthUtils::GetCategory(synth, mode, bank, program, nullptr),
                             true);
    SetText(m_pCategoryLine, "Category " + name);
  }
}
