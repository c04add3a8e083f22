#include "editor/browsers/AuditionRiffBrowser.h"

#include "editor/browsers/BrowserKit.h"
#include "editor/controls/CMMPCtrlList.h"
#include "editor/shell/XESynthUtils.h"
#include "model/paramdesc/SParamDesc.h"

void AuditionRiffBrowser::InitListControl() {
  m_pList->ClearItems();
  SParamDesc desc{};
  if (GetParamDesc(&desc, GetTargetMode(), m_iParameter))
    for (int v = desc.min; v <= desc.max; ++v)
      browserkit::AddItem(m_pList, XESynthUtils::GetAuditionRiffName(GetRemoteSynth(), v), v);
  FinishList();
}

void AuditionRiffBrowser::DoIt(int value) { PutParamValue(GetTargetMode(), m_iParameter, value); }

void AuditionRiffBrowser::Undo() { PutParamValue(GetTargetMode(), m_iParameter, m_iOpeningRiff); }
