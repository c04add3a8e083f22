#include "editor/browsers/ParamBrowser.h"

#include "editor/browsers/BrowserKit.h"
#include "editor/controls/CMMPCtrlList.h"
#include "model/paramdesc/SParamDesc.h"

void ParamBrowser::InitListControl() {
  m_pList->ClearItems();
  SParamDesc desc{};
  if (GetParamDesc(&desc, GetTargetMode(), m_iParameter))
    for (int v = desc.min; v <= desc.max; ++v) browserkit::AddItem(m_pList, ValueText(desc, v), v);
  FinishList();
}

void ParamBrowser::DoIt(int value) { PutParamValue(GetTargetMode(), m_iParameter, value); }
