#include "editor/controls/SplitBarGraphManager.h"

#include "editor/controls/IXEGraphPage.h"
#include "editor/controls/XESplitKeyBar.h"

SplitBarGraphManager::SplitBarGraphManager(IXEGraphPage* page, Oskend::XESplitKeyBar* bar,
                                           const int* ids)
    : m_pPage(page), m_pBar(bar) {
  const int mode = page ? page->GetTargetMode() : 0;
  for (int i = 0; i < 2; ++i) {
    const int id = ids ? ids[i] : -1;
    m_ids.push_back(id);
    if (id == -1) continue;
    if (CHfcControl* proxy = XEGraphProxy::Make(page, id, -100, 100, 400, 1000 + 15 * i, kBase + i, mode))
      m_proxies.push_back({proxy, 0, i, id});
  }
}

bool SplitBarGraphManager::ParamToControl(CHfcControl* control, int paramId) {
  if (!m_pBar) return false;
  const XEGraphProxy* proxy = XEFindGraphProxy(m_proxies, control);
  if (!proxy || proxy->paramId != paramId || control->GetGroupId() < kBase) return false;
  Oskend::tagSplitBarValue v{};
  m_pBar->GetSplitBarValue(&v, 0);
  m_pBar->GetSplitBarValue(&v, 1);
  const bool value = control->GetGroupId() == kBase;
  if (value)
    v.value = control->GetIntValue();
  else
    v.kind = control->GetIntValue();
  m_pBar->SetSplitBarValue(value ? 0 : 1, &v, true);
  return true;
}

bool SplitBarGraphManager::ControlToParam(CHfcControl* control, void* record) {
  if (!m_pBar || control != m_pBar || !record || !m_pPage) return false;
  const auto* v = static_cast<const Oskend::tagSplitBarValue*>(record);
  const int mode = m_pPage->GetTargetMode();
  bool wrote = false;
  if (m_ids[0] != -1) {
    m_pPage->PutParamValue(mode, m_ids[0], v->value);
    wrote = true;
  }
  if (m_ids[1] != -1) {
    m_pPage->PutParamValue(mode, m_ids[1], v->kind);
    wrote = true;
  }
  return wrote;
}
