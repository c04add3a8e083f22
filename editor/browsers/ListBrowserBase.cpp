#include "editor/browsers/ListBrowserBase.h"

#include <string>
#include <vector>

#include "editor/browsers/BrowserKit.h"
#include "editor/controls/CMMPCtrlList.h"
#include "editor/controls/CMMPCtrlScrollBar.h"
#include "editor/controls/XEControlCreater.h"
#include "editor/shell/XESynthUtils.h"
#include "hfc/CHfcCtrlListItem.h"
#include "hfc/CHfcCtrlSwitch.h"
#include "model/ParamShownText.h"
#include "model/paramdesc/SParamDesc.h"
#include "remote/IRemoteSynth.h"

ListBrowserBase::ListBrowserBase(Oskend::IRemoteSynth* synth, eMode mode, int parameter,
                                 const std::string& title, Style style, bool categoryArea,
                                 bool extraArea)
    : CTabPageLayer(synth, title),
      m_bCategoryArea(categoryArea),
      m_bExtraArea(extraArea),
      m_iParameter(parameter),
      m_iOpeningValue(0),
      m_style(style) {
  SetTargetMode(mode);
  m_iOpeningValue = GetParamValue(mode, parameter);
}

std::string ListBrowserBase::ValueText(const SParamDesc& desc, int value) {
  if (!desc.converter) return std::to_string(value);
  return Oskend::LongForm(Oskend::ParamShownText(desc, value));
}

bool ListBrowserBase::OnCreate() {
  using browserkit::Put;
  m_bInitRequest = false;
  int y = 21;
  int height = 350;
  m_iLines = 25;
  if (m_bCategoryArea) {
    y = 51;
    height = 322;
    m_iLines = 23;
  }
  if (m_bExtraArea && m_style == Style::kRed) {
    y += 30;
    height -= 30;
    m_iLines -= 2;
  }
  const bool red = m_style == Style::kRed;
  XEControlCreater f(m_pBackground, 0, 0);
  m_pList = Put(this, f.CreateListControl(12, y, 200, height, red ? 1 : 2, m_iColumns, m_iLines,
                                          false, kListId));
  m_pScroll = Put(this, f.CreateScrollBar(213, y, height, 1, red ? 1 : 2, kScrollId));
  if (m_pScroll) {
    m_pScroll->Enable(false);
    m_pScroll->SetPageSize(23, false);
  }
  if (m_pList) {
    InitListControl();
    browserkit::SelectValue(m_pList, m_pScroll, m_iOpeningValue, 15);
  }
  m_pOk =
      Put(this, f.CreateSwitch(140, 385, red ? "Switch_Red_OK" : "Switch_Param_OK", 2, kOkId, 0));
  if (m_pOk) {
    m_pOk->Enable(false);
    m_pOk->SetIntValue(1, false);
  }
  m_pCancel = Put(this, f.CreateSwitch(49, 385, red ? "Switch_Red_Cancel" : "Switch_Param_Cancel",
                                       2, kCancelId, 0));
  if (m_pCancel) m_pCancel->SetIntValue(1, false);
  if (m_pList) {
    m_pList->SetKeyFocus();
    m_pList->ReleaseKeyFocus();
  }
  CTabPageLayer::OnCreate();
  return true;
}

bool ListBrowserBase::OnDestroy() {
  if (!m_bOkPressed && !m_bCancelPressed) {
    // Closing by any other way is a Cancel.
    m_bCancelPressed = true;
    DoCancel();
  }
  return CTabPageLayer::OnDestroy();
}

void ListBrowserBase::FinishList() {
  browserkit::ResetScrollRange(m_pList, m_pScroll, m_iLines, m_iColumns);
}

void ListBrowserBase::OnItemSelected(CHfcCtrlListItem* item) { DoIt(browserkit::ItemValue(item)); }

void ListBrowserBase::DoOK() {
  if (!m_pList || !m_pList->GetSelectedItem()) return;
  GetRemoteSynth()->EndAudition(true);
  EndModal();
}

void ListBrowserBase::DoCancel() {
  Oskend::IRemoteSynth* synth = GetRemoteSynth();
  if (synth && synth->GetAuditionState()) {
    // The previews were reported to the host as edits; putting the opening
    // sound back is one too, or a host recording automation keeps the last
    // preview (and every row it moved).
    const std::vector<int> previewed = XESynthUtils::AutomatedValues(synth);
    synth->EndAudition(false);
    if (m_style == Style::kRed) Undo();
    XESynthUtils::ReportAutomatedRevert(synth, previewed);
  }
  EndModal();
}

void ListBrowserBase::OnOK() {
  m_bOkPressed = true;
  DoOK();
}

void ListBrowserBase::OnCancel() {
  m_bCancelPressed = true;
  DoCancel();
}

bool ListBrowserBase::EndModal() { return CTabPageLayer::EndModal(); }

void ListBrowserBase::ProcessEvent(const EventInfo& event) {
  if (event.type == 16) return;
  XERemoteSynthEventHandler::ProcessEvent(event);
}

bool ListBrowserBase::OnHfcCtrlEvent(CHfcControl* control, int event, int arg, void* data) {
  if (!control || control->GetId() != kListId || !m_pList) return false;
  switch (event) {
    case CHfcCtrlList::kEventScrollTo:
      m_pList->AutoScroll(arg, 0);
      if (m_pScroll) m_pScroll->SetIntValue(m_pList->GetTopLine(), true);
      break;
    case CHfcCtrlList::kEventActivate:
      m_bOkPressed = true;
      DoOK();
      break;
    case CHfcCtrlList::kEventSelect: {
      auto* item = static_cast<CHfcCtrlListItem*>(data);
      if (!item) break;
      item->SetSelected(arg != 0);
      m_pList->SetDirty(true);
      if (arg != 0) {
        if (m_pOk) {
          m_pOk->Enable(true);
          m_pOk->SetIntValue(1, true);
        }
        Oskend::IRemoteSynth* synth = GetRemoteSynth();
        if (!synth->GetAuditionState()) synth->BeginAudition(GetAuditionContex());
        OnItemSelected(item);
      }
      break;
    }
    default:
      break;
  }
  return false;
}

bool ListBrowserBase::OnHfcCtrlKeyDown(CHfcControl*, int chr, int key, int) {
  if (chr != 27 && key != 27) return false;
  m_bCancelPressed = true;
  DoCancel();
  return true;
}

bool ListBrowserBase::OnHfcCtrlKeyChar(CHfcControl*, int chr) {
  if (chr != 27) return false;
  m_bCancelPressed = true;
  DoCancel();
  return true;
}

void ListBrowserBase::OnHfcCtrlIntValueChanged(CHfcControl* control, int value) {
  if (!control) return;
  if (control->GetId() == kCategoryId) {
    control->SetIntValue(value, true);
    m_bInitRequest = true;
  } else if (control->GetId() == kScrollId && m_pList) {
    m_pList->SetCurrentLine(value);
    control->SetIntValue(value, true);
  }
}

bool ListBrowserBase::OnHfcCtrlMouseLButtonDown(CHfcControl* control, int x, int y, int mods) {
  if (control && control->GetId() == kCancelId) {
    m_bCancelPressed = true;
    DoCancel();
    return true;
  }
  if (control && control->GetId() == kOkId) {
    m_bOkPressed = true;
    DoOK();
    return true;
  }
  return CTabPageLayer::OnHfcCtrlMouseLButtonDown(control, x, y, mods);
}

bool ListBrowserBase::PreMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) {
  return CHfcWindowLayer::PreMouseLButtonDown(m, x, y, mods);
}

bool ListBrowserBase::PreMouseWheelMoved(CHfcMouse*, int, int, int, int delta, int) {
  if (m_pScroll) m_pScroll->ChangeValue(m_pScroll->GetIntValue() + (delta < 1 ? 2 : -2));
  return true;
}

void ListBrowserBase::OnIdle(unsigned long elapsed) {
  if (m_bInitRequest && m_pList) {
    m_bInitRequest = false;
    bool had = false;
    const int value = browserkit::SelectedValue(m_pList, &had);
    InitListControl();
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
    RequestRedraw();
  }
  CTabPageLayer::OnIdle(elapsed);
}
