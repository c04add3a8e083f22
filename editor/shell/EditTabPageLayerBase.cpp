#include "editor/shell/EditTabPageLayerBase.h"

#include "editor/controls/CTabControl.h"
#include "editor/controls/ResourceManager.h"
#include "editor/controls/UIFormManager.h"
#include "editor/controls/UI_FORMINFO.h"
#include "editor/shell/XEControlContainer.h"
#include "hfc/CHfcControl.h"
#include "hfc/CHfcOffscreenContext.h"

EditTabPageLayerBase::EditTabPageLayerBase(Oskend::IRemoteSynth* synth, eMode mode)
    : CTabPageLayer(synth, "") {
  SetTargetMode(mode);
}

EditTabPageLayerBase::~EditTabPageLayerBase() = default;

void EditTabPageLayerBase::SynchronizeEveryControl() {
  const std::vector<CHfcControl*> controls = GetControls();
  for (CHfcControl* c : controls) XESynthLayer::SynchronizeControlWithParam(c, true);
}

void EditTabPageLayerBase::OnRemoteSynthBankListChanged(Oskend::IRemoteSynth* synth, eMode mode,
                                                        const Oskend::SSoundIndex& index) {
  // Controls belong to the GUI thread: a notice from elsewhere waits for
  // the idle, where the queued event resynchronises every linked control.
  if (std::this_thread::get_id() != m_guiThread) {
    XERemoteSynthEventHandler::OnRemoteSynthBankListChanged(synth, mode, index);
    return;
  }
  SynchronizeEveryControl();
}

bool EditTabPageLayerBase::CreateSublevelTab(const std::string& skin, int y, int tabs) {
  ResourceManager* images = ResourceManager::GetInstance();
  stTabControlCreateParam p{};
  p.x = 7;
  p.y = y;
  p.width = 0;
  p.height = 0;
  p.tabWidth = tabs;
  p.tabHeight = 34;
  p.tabGap = 5;
  p.firstTabExtra = 2;
  p.lastTabExtra = 4;
  p.tabs = images ? images->LoadImage(skin) : nullptr;
  p.back = m_pBackground;
  p.backX = 7;
  p.backY = y;
  p.overflowSwitches = 0;
  p.tabsPerGroup = 0;
  auto* strip = new CTabControl;
  if (!strip->Create(p, -1, 0)) {
    delete strip;
    return false;
  }
  strip->Show(false);
  strip->SetListener(this);
  strip->Enable(false);
  AddControl(strip, false);
  m_pSublevelTab = strip;
  return true;
}

void EditTabPageLayerBase::OnRefresh() {
  if (!IsVisible() || !GetOffscreen()) return;
  DrawStandardBackground(GetOffscreen());
  for (int i = 0; i < GetContainerCount(); ++i) GetContainerByIndex(i)->OnRefresh();
  OnPostDrawBackground(GetOffscreen());
  UpdateAllControls();
  CopyToWindow(false);
}

XECommandQueue* EditTabPageLayerBase::FindCommandQueue() {
  // An edit page sits on the root layer itself.
  return m_pOwnerTab ? dynamic_cast<XECommandQueue*>(m_pOwnerTab->GetParentLayer()) : nullptr;
}

bool EditTabPageLayerBase::OnHfcCtrlMouseLButtonDown(CHfcControl* control, int, int, int) {
  return PostSelectorCommand(control);
}

void EditTabPageLayerBase::CreateFormSublevelTab(const std::string& skin, std::initializer_list<int> forms,
                                                 eMode mode) {
  if (!CreateSublevelTab(skin, 130, 76)) return;
  UIFormManager* manager = UIFormManager::GetInstance();
  for (int id : forms) {
    const UI_FORMINFO* form = manager ? manager->GetLayerFormInfoById(id) : nullptr;
    if (!form) continue;
    auto* sub = new CTabPageLayer(m_pRemoteSynth, "");
    sub->SetTargetMode(mode);
    if (!sub->Create(*form, GetParentWindow(), "Background_SubTab_Wide")) {
      delete sub;
      continue;
    }
    m_pSublevelTab->AddTabPageLayer(GetParentWindow(), sub);
  }
}

void EditTabPageLayerBase::AppendFileAndTransferItems(std::list<MenuItemInfo>& out, eMode sounds) {
  using M = MenuItemInfo;
  for (const M* m : {&M::kMenuItemInfo_Load, &M::kMenuItemInfo_Save, &M::kMenuItemInfo_Separator,
                     &M::kMenuItemInfo_ReceiveAll, &M::kMenuItemInfo_TransmitAll})
    out.push_back(*m);
  if (sounds == eMode_ProgEdit) {
    for (const M* m : {&M::kMenuItemInfo_ReceiveProg, &M::kMenuItemInfo_TransmitProg, &M::kMenuItemInfo_ReceiveBankProg,
                       &M::kMenuItemInfo_TransmitBankProg, &M::kMenuItemInfo_Receive1Prog,
                       &M::kMenuItemInfo_Transmit1Prog})
      out.push_back(*m);
    return;
  }
  for (const M* m : {&M::kMenuItemInfo_ReceiveCombi, &M::kMenuItemInfo_TransmitCombi, &M::kMenuItemInfo_Receive1Combi,
                     &M::kMenuItemInfo_Transmit1Combi})
    out.push_back(*m);
}
