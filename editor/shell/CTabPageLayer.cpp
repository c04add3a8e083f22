#include "editor/shell/CTabPageLayer.h"

#include <typeinfo>

#include "editor/controls/CTabControl.h"
#include "editor/controls/CXBCtrlKeyTrkGraph.h"
#include "editor/controls/CXBCtrlVeloZoneGraph.h"
#include "editor/controls/KeyTrkGraphManager.h"
#include "editor/controls/ResourceManager.h"
#include "editor/controls/SplitBarGraphManager.h"
#include "editor/controls/UI_FORMINFO.h"
#include "editor/controls/UI_FORM_Utils.h"
#include "editor/controls/VeloZoneGraphManager.h"
#include "editor/controls/XEControlCreater.h"
#include "editor/controls/XEFormGraphIds.h"
#include "editor/controls/XESplitKeyBar.h"
#include "editor/controls/XESoundSelector.h"
#include "editor/shell/EditTabPageLayerBase.h"
#include "editor/shell/ModalLayer.h"
#include "editor/shell/TabPageTables.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcControl.h"
#include "hfc/CHfcKeyFocus.h"
#include "hfc/CHfcWindow.h"
#include "remote/IRemoteSynth.h"

CTabPageLayer::CTabPageLayer(Oskend::IRemoteSynth* synth, const std::string& name)
    : XESynthLayer(synth), m_name(name) {}

CTabPageLayer::~CTabPageLayer() {
  // A page deleted without Destroy still gives back its controls, its
  // sub-pages and its place in the strip and the window.
  if (IsCreated()) Destroy();
}

bool CTabPageLayer::Create(const CTabPageLayerCreateParam& p, CHfcWindow* window) {
  m_pBackground = p.background;
  const int w = p.width == 0 && p.background ? p.background->GetWidth() : p.width;
  const int h = p.height == 0 && p.background ? p.background->GetHeight() : p.height;
  return CHfcWindowLayer::Create(0, 0, w, h, window);
}

bool CTabPageLayer::OnCreate() { return XESynthLayer::OnCreate(); }

namespace {

constexpr int kKindSubTabBase = 0x408;
constexpr int kKindHeadingFrame = 0x409;
constexpr int kKindNoListener = 0x40A;
constexpr int kClassKeyTrkGraph = 19;
constexpr int kClassVeloZoneGraph = 20;
constexpr int kClassSkinSelector = 21;
constexpr int kClassSplitBarMain = 22;
constexpr int kClassSplitBarSub = 23;

CHfcBmp* Image(const std::string& name) {
  ResourceManager* images = ResourceManager::GetInstance();
  return images && !name.empty() ? images->LoadImage(name) : nullptr;
}

}  // namespace

bool CTabPageLayer::Create(const UI_FORMINFO& form, CHfcWindow* window,
                           const std::string& background) {
  m_pBackground = Image(background.empty() ? "Background_SubTab" : background);
  const int w = m_pBackground ? m_pBackground->GetWidth() : form.width;
  const int h = m_pBackground ? m_pBackground->GetHeight() : form.height;
  if (!CHfcWindowLayer::Create(0, 0, w, h, window)) return false;
  int skinKind = 0;
  std::string skinName;
  for (int i = 0; i < form.childCount && form.children; ++i) {
    const UI_FORMINFO& item = form.children[i];
    const int number = UI_FORM_Utils::GetItemClassInt(item);
    if (number == kClassSkinSelector && (item.id == kKindSubTabBase || item.id == kKindHeadingFrame)) {
      skinKind = item.id;
      skinName = item.fontOrImage ? item.fontOrImage : "";
    }
    CHfcBmp* skin = skinKind == kKindSubTabBase || skinKind == kKindHeadingFrame
                        ? Image(skinName)
                        : Image("Container_SubTab_Base");
    // Controls copy their background from the skin at their own place: a
    // skin that does not reach that far would leave a black hole, so the
    // page's picture stands in for it there.
    if (!skin || item.x + item.width > skin->GetWidth() || item.y + item.height > skin->GetHeight())
      skin = m_pBackground;
    XEControlCreater creater(skin, 0, 0);
    CHfcControl* control = UI_FORM_Utils::CreateControl(&creater, item, m_pBackground);
    if (!control) continue;
    if (!AddControl(control, false)) {
      control->Destroy();
      delete control;
      continue;
    }
    if (item.id != kKindNoListener) control->SetListener(this);
    control->Show(false);
    if (item.paramId != -1 && number != kClassKeyTrkGraph && number != kClassVeloZoneGraph) {
      LinkControlWithParam(control, GetTargetMode(), item.paramId);
      XESynthLayer::SynchronizeControlWithParam(control, true);
    }
    AddFormGraphManagers(number, item.paramId != -1 ? item.paramId : item.id, control);
  }
  return true;
}

void CTabPageLayer::AddFormGraphManagers(int number, int itemId, CHfcControl* control) {
  if (number == kClassKeyTrkGraph) {
    auto* graph = dynamic_cast<CXBCtrlKeyTrkGraph*>(control);
    tagKeyTrkGraphIds ids{};
    if (graph && XEGetKeyTrkGraphIds(itemId, &ids))
      AddKeyTrkGraphManager(
          new KeyTrkGraphManager(GetGraphPage(), graph, ids.keys, ids.intensities, ids.graphValue));
  } else if (number == kClassVeloZoneGraph) {
    auto* graph = dynamic_cast<CXBCtrlVeloZoneGraph*>(control);
    tagVeloZoneGraphIds ids{};
    if (graph && XEGetVeloZoneGraphIds(itemId, &ids)) {
      const int* arrays[] = {ids.on,       ids.bottom,   ids.fadeWidth, ids.fadeCurve,
                             ids.scaleTop, ids.scaleBottom, ids.mode};
      AddVeloZoneGraphManager(new VeloZoneGraphManager(GetGraphPage(), graph, arrays));
    }
  } else if ((number == kClassSplitBarSub && itemId == 0x12701) ||
             (number == kClassSplitBarMain && itemId == 0x12700)) {
    auto* bar = dynamic_cast<Oskend::XESplitKeyBar*>(control);
    tagSplitBarGraphIds ids{};
    if (bar && XEGetSplitBarGraphIds(itemId, &ids))
      AddSplitBarGraphManager(new SplitBarGraphManager(GetGraphPage(), bar, ids.ids));
  }
}

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
  // The keys go to the dialog, no longer to a control of the pages below,
  // and come back to it when a control of its own lets them go.
  if (CHfcWindow* window = GetParentWindow()) window->HoldKeyFocus(this);
  return true;
}

bool CTabPageLayer::OnHfcKeyDown(CHfcKeyFocus*, int chr, int key, int mods) {
  if (!m_bModal) return false;
  OnHfcCtrlKeyDown(nullptr, chr, key, mods);
  return true;
}

bool CTabPageLayer::OnHfcKeyUp(CHfcKeyFocus*, int, int, int) { return m_bModal; }

bool CTabPageLayer::OnHfcKeyChar(CHfcKeyFocus*, int chr) {
  if (!m_bModal) return false;
  OnHfcCtrlKeyChar(nullptr, chr);
  return true;
}

bool CTabPageLayer::EndModal() {
  if (!m_bModal) return false;
  m_bModal = false;
  if (CHfcWindow* window = GetParentWindow()) window->EndKeyHold(this);
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
