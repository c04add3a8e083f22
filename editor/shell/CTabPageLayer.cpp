#include "editor/shell/CTabPageLayer.h"

#include <typeinfo>

#include "editor/controls/CTabControl.h"
#include "editor/controls/XESoundSelector.h"
#include "editor/shell/EditTabPageLayerBase.h"
#include "editor/shell/ModalLayer.h"
#include "editor/shell/TabPageTables.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcControl.h"
#include "remote/IRemoteSynth.h"

CTabPageLayer::CTabPageLayer(Oskend::IRemoteSynth* synth, const std::string& name)
    : XESynthLayer(synth), m_name(name) {}

CTabPageLayer::~CTabPageLayer() = default;

bool CTabPageLayer::Create(const CTabPageLayerCreateParam& p, CHfcWindow* window) {
  m_pBackground = p.background;
  const int w = p.width == 0 && p.background ? p.background->GetWidth() : p.width;
  const int h = p.height == 0 && p.background ? p.background->GetHeight() : p.height;
  return CHfcWindowLayer::Create(0, 0, w, h, window);
}

bool CTabPageLayer::OnCreate() { return XESynthLayer::OnCreate(); }

bool CTabPageLayer::Show(bool redraw) {
  const bool shown = XESynthLayer::Show(redraw);
  if (m_pSublevelTab) m_pSublevelTab->ShowTabPageLayer();
  return shown;
}

bool CTabPageLayer::Hide(bool redraw) {
  const bool hidden = CHfcWindowLayer::Hide(redraw);
  if (m_pSublevelTab) m_pSublevelTab->HideTabPageLayer();
  return hidden;
}

void CTabPageLayer::OnMoved(int, int) {
  if (m_pSublevelTab) m_pSublevelTab->RepositionTabPageLayer();
}

void CTabPageLayer::OnIdle(unsigned long elapsed) {
  const std::vector<CHfcControl*> controls = GetControls();
  for (CHfcControl* c : controls)
    if (c->GetParentLayer()) c->Idle(static_cast<int>(elapsed));
  XESynthLayer::OnIdle(elapsed);
}

bool CTabPageLayer::PreMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) {
  if (m_pRemoteSynth && m_pRemoteSynth->GetAuditionState()) m_pRemoteSynth->EndAudition(false);
  return CHfcWindowLayer::PreMouseLButtonDown(m, x, y, mods);
}

bool CTabPageLayer::DoModal() {
  if (m_bModal) return false;
  m_secondList.clear();
  if (m_pOwnerTab) m_pOwnerTab->Show(true);
  Show(false);
  m_bModal = true;
  return true;
}

bool CTabPageLayer::EndModal() {
  if (!m_bModal) return false;
  m_bModal = false;
  if (m_pOwnerTab)
    if (auto* modal = dynamic_cast<ModalLayer*>(m_pOwnerTab->GetParentLayer())) modal->SetDone(true);
  return true;
}

XECommandQueue* CTabPageLayer::FindCommandQueue() {
  // A sub-page of an edit page: the edit page's strip sits on the root.
  auto* page = m_pOwnerTab ? dynamic_cast<EditTabPageLayerBase*>(m_pOwnerTab->GetParentLayer())
                           : nullptr;
  if (!page || !page->GetOwnerTabControl()) return nullptr;
  return dynamic_cast<XECommandQueue*>(page->GetOwnerTabControl()->GetParentLayer());
}

bool CTabPageLayer::PostSelectorCommand(CHfcControl* control) {
  if (!control || typeid(*control) != typeid(XESoundSelector)) return false;
  const int kind = GetBrowserKindOfSelector(static_cast<XESoundSelector*>(control)->GetKind());
  const SParamIdInfo link = GetParameterIdByControl(control);
  if (link.pid == -1 || kind < 0) return true;
  XECommandQueue* root = FindCommandQueue();
  if (!root) return true;
  XECommand command;
  command.type = kind < 6 ? XECommand::kOpenListBrowser : XECommand::kOpenParamBrowser;
  command.a1 = kind;
  command.a2 = GetTargetMode();
  command.a3 = link.pid;
  root->PostCommand(command);
  return true;
}

bool CTabPageLayer::OnHfcCtrlMouseLButtonDown(CHfcControl* control, int, int, int) {
  return PostSelectorCommand(control);
}

bool CTabPageLayer::OnDestroy() {
  XESynthLayer::OnDestroy();
  if (m_pSublevelTab) {
    while (m_pSublevelTab->GetTabPageCount() > 0) {
      ITabPageLayer* sub = m_pSublevelTab->GetTabPageLayer(0);
      m_pSublevelTab->RemoveTabPageLayer(0);
      CHfcWindowLayer* layer = sub->GetTabPageWindowLayer();
      layer->Destroy();
      delete sub;
    }
    CTabControl* strip = m_pSublevelTab;
    m_pSublevelTab = nullptr;
    RemoveControl(strip, false);
    strip->Destroy();
    delete strip;
  }
  if (m_pOwnerTab) {
    const int index = m_pOwnerTab->GetTabPageIndex(this);
    if (index >= 0) m_pOwnerTab->RemoveTabPageLayer(index);
    m_pOwnerTab = nullptr;
  }
  RemoveAllControls(true);
  return true;
}
