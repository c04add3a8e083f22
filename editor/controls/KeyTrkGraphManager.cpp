#include "editor/controls/KeyTrkGraphManager.h"

#include "editor/controls/CXBCtrlKeyTrkGraph.h"
#include "editor/controls/IXEGraphPage.h"

namespace {
constexpr int kKeyList = 0;
constexpr int kIntensityList = 1;
constexpr int kGraphValueList = 2;
}  // namespace

KeyTrkGraphManager::KeyTrkGraphManager(IXEGraphPage* page, CXBCtrlKeyTrkGraph* graph,
                                       const int* keyIds, const int* intensityIds,
                                       const int* graphValueIds)
    : m_pPage(page), m_pGraph(graph) {
  struct Spec {
    const int* ids;
    int count, minimum, maximum, x;
  };
  const Spec specs[3] = {{keyIds, kKeys, 0, 127, 10},
                         {intensityIds, kIntensities, -100, 100, 100},
                         {graphValueIds, 1, -100, 100, 200}};
  const int mode = page ? page->GetTargetMode() : 0;
  for (int list = 0; list < 3; ++list) {
    const Spec& s = specs[list];
    for (int i = 0; i < s.count; ++i) {
      const int id = s.ids ? s.ids[i] : -1;
      m_lists[list].push_back(id);
      if (id == -1) continue;
      if (CHfcControl* proxy =
              XEGraphProxy::Make(page, id, s.minimum, s.maximum, s.x, 1500 + 15 * i, kBase + i, mode))
        m_proxies.push_back({proxy, list, i, id});
    }
  }
}

bool KeyTrkGraphManager::ParamToControl(CHfcControl* control, int paramId) {
  if (!m_pGraph) return false;
  const XEGraphProxy* proxy = XEFindGraphProxy(m_proxies, control);
  if (!proxy || proxy->paramId != paramId) return false;
  if (control->GetGroupId() < kBase) return false;
  const int i = control->GetGroupId() - kBase;
  tagKeyTrkValue v{};
  if (!m_pGraph->GetKeyTrkValue(&v, i)) return false;
  const int value = control->GetIntValue();
  if (proxy->list == kKeyList)
    v.key = value;
  else if (proxy->list == kIntensityList)
    v.intensity = value;
  else
    v.graphValue = value;
  m_pGraph->SetKeyTrkValue(&v, true);
  return true;
}

bool KeyTrkGraphManager::ControlToParam(CHfcControl* control, void* record) {
  if (!m_pGraph || control != m_pGraph || !record || !m_pPage) return false;
  const auto* v = static_cast<const tagKeyTrkValue*>(record);
  const int i = v->index;
  const int mode = m_pPage->GetTargetMode();
  bool wrote = false;
  if (i >= 0 && i < kKeys && m_lists[kKeyList][i] != -1) {
    m_pPage->PutParamValue(mode, m_lists[kKeyList][i], v->key);
    wrote = true;
  }
  if (i >= 0 && i < kIntensities && m_lists[kIntensityList][i] != -1) {
    m_pPage->PutParamValue(mode, m_lists[kIntensityList][i], v->intensity);
    wrote = true;
  }
  return wrote;
}
