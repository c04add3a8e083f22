#include "editor/browsers/ParamBrowserForAMSSource.h"

#include "editor/browsers/BrowserKit.h"
#include "editor/controls/CMMPCtrlList.h"
#include "model/SectionOfferLists.h"
#include "model/paramdesc/SParamDesc.h"

void ParamBrowserForAMSSource::InitListControl() {
  m_pList->ClearItems();
  SParamDesc desc{};
  if (GetParamDesc(&desc, GetTargetMode(), m_iParameter)) {
    const Oskend::SOfferList* avail = Oskend::GetAMSSRCList(static_cast<eMode>(3), m_iParameter);
    for (int v = desc.min; v <= desc.max; ++v) {
      const bool ok = !avail || (v >= 0 && v <= 50 && avail->list[v] == 1);
      browserkit::AddItem(m_pList, ValueText(desc, v), ok ? v : browserkit::kNoValue, ok);
    }
  }
  FinishList();
}
