#include "editor/pages/combi_global/CombiMultiTrackParamLayer.h"

#include "editor/controls/CTabControl.h"
#include "editor/controls/UIFormManager.h"
#include "editor/controls/XEControlCreater.h"
#include "editor/pages/combi_global/PageBuild.h"
#include "editor/shell/CAutomationTabPageLayer.h"
#include "editor/shell/XEControlContainer.h"
#include "hfc/CHfcControl.h"

using combipage::AddGroup;
using combipage::Put;

CombiMultiTrackParamLayer::CombiMultiTrackParamLayer(Oskend::IRemoteSynth* synth, eMode mode,
                                                     bool groups)
    : CombiMultiLayerBase(synth, mode, groups) {}

bool CombiMultiTrackParamLayer::OnCreate() {
  CreateOtherSectionControls();
  CreateSublevelTab();
  return CombiMultiLayerBase::OnCreate();
}

void CombiMultiTrackParamLayer::CreateOtherSectionControls() {
  const int w1 = combipage::SkinWidth("Container_Horizontal_1");
  const int h1 = combipage::SkinHeight("Container_Horizontal_1");
  XEControlContainer* title = AddGroup(this, "Container_Horizontal_1", 9, 5, w1, h1);
  XEControlCreater t(title->m_pBackground, title->m_iX, title->m_iY);
  Put(this, title, t.CreateLabel(5, 5, "Scale", 50, 13, 1, 0, 0, -1));

  XEControlContainer* box = AddGroup(this, "Container_Base", 9, h1 + 5, w1, 34);
  XEControlCreater make(box->m_pBackground, box->m_iX, box->m_iY);
  struct Row {
    const char* label;
    int labelX;
    int labelW;
    int listX;
    int style;
  };
  static constexpr Row kRows[] = {
      {"Type", 8, 40, 48, 0}, {"Key", 258, 30, 288, 7}, {"Random", 378, 40, 418, 7}};
  for (int i = 0; i < 3; ++i) {
    Put(this, box, make.CreateLabel(kRows[i].labelX, 9, kRows[i].label, kRows[i].labelW, 13, 0, 0, 0, -1));
    CHfcControl* list = Put(this, box, make.CreateDropdownList(kRows[i].listX, 9, kRows[i].style,
                                                                GetParamId(i)));
    if (list) {
      LinkControlWithParam(list, GetTargetMode(), GetParamId(i));
      SynchronizeControlWithParam(list, true);
    }
  }
}

bool CombiMultiTrackParamLayer::CreateSublevelTab() {
  EditTabPageLayerBase::CreateSublevelTab("Tab_Low_Combi_TimbreParam", 63, 76);
  UIFormManager* forms = UIFormManager::GetInstance();
  for (int tab = 0; tab < 5; ++tab) {
    CTabPageLayer* page = tab == 3 ? new CAutomationTabPageLayer(m_pRemoteSynth, "")
                                   : new CTabPageLayer(m_pRemoteSynth, "");
    page->SetTargetMode(GetTargetMode());
    const UI_FORMINFO* form = forms ? forms->GetLayerFormInfoById(kTabForms[tab]) : nullptr;
    if (form && m_pSublevelTab) {
      page->Create(*form, GetParentWindow(), "Background_SubTab_Middle");
      m_pSublevelTab->AddTabPageLayer(GetParentWindow(), page);
    } else {
      // A tab without its form stays out of the strip.
      delete page;
    }
  }
  return true;
}
