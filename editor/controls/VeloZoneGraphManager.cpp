#include "editor/controls/VeloZoneGraphManager.h"

#include <array>

#include "editor/controls/CXBCtrlVeloZoneGraph.h"
#include "editor/controls/IXEGraphPage.h"

namespace {

constexpr int kProxyX[VeloZoneGraphManager::kArrays] = {10, 100, 200, 300, 400, 500, 600};

// The lane field each array feeds, in array order.
int32_t& Field(tagVeloZoneValue& v, int array) {
  switch (array) {
    case 0:
      return v.on;
    case 1:
      return v.bottom;
    case 2:
      return v.fadeWidth;
    case 3:
      return v.fadeCurve;
    case 4:
      return v.scaleTop;
    case 5:
      return v.scaleBottom;
    default:
      return v.mode;
  }
}

}  // namespace

VeloZoneGraphManager::VeloZoneGraphManager(IXEGraphPage* page, CXBCtrlVeloZoneGraph* graph,
                                           const int* const* ids)
    : m_pPage(page), m_pGraph(graph) {
  const int mode = page ? page->GetTargetMode() : 0;
  for (int a = 0; a < kArrays; ++a) {
    for (int i = 0; i < kSizes[a]; ++i) {
      const int id = ids && ids[a] ? ids[a][i] : -1;
      m_lists[a].push_back(id);
      if (id == -1) continue;
      const int minimum = a == 0 ? 0 : -100;
      const int maximum = a == 0 ? 127 : 100;
      if (CHfcControl* proxy = XEGraphProxy::Make(page, id, minimum, maximum, kProxyX[a],
                                                  1000 + 15 * i, kBases[a] + i, mode))
        m_proxies.push_back({proxy, a, i, id});
    }
  }
}

VeloZoneGraphManager::VeloZoneGraphManager(IXEGraphPage* page, CXBCtrlVeloZoneGraph* graph,
                                           const int* on, const int* bottom, const int* fadeWidth,
                                           const int* fadeCurve, const int* scaleTop,
                                           const int* scaleBottom, const int* mode)
    : VeloZoneGraphManager(page, graph,
                           std::array<const int*, kArrays>{on, bottom, fadeWidth, fadeCurve, scaleTop,
                                                           scaleBottom, mode}
                               .data()) {}

bool VeloZoneGraphManager::ParamToControl(CHfcControl* control, int paramId, int mode) {
  if (!m_pGraph) return false;
  const XEGraphProxy* proxy = XEFindGraphProxy(m_proxies, control);
  if (!proxy) return false;
  const int wanted = mode == kDrumMode ? (paramId & 0xFF) : paramId;
  const int listed = mode == kDrumMode ? (proxy->paramId & 0xFF) : proxy->paramId;
  if (wanted != listed) return false;
  const int base = kBases[proxy->list];
  if (control->GetGroupId() < base) return false;
  const int lane = control->GetGroupId() - base;
  tagVeloZoneValue v{};
  if (!m_pGraph->GetVeloZoneValue(&v, lane)) return false;
  Field(v, proxy->list) = control->GetIntValue();
  m_pGraph->SetVeloZoneValue(&v, true);
  return true;
}

bool VeloZoneGraphManager::ControlToParam(CHfcControl* control, void* record) {
  if (!m_pGraph || control != m_pGraph || !record || !m_pPage) return false;
  tagVeloZoneValue v = *static_cast<const tagVeloZoneValue*>(record);
  const int lane = v.index;
  const int mode = m_pPage->GetTargetMode();
  bool wrote = false;
  // The graph-wide mode (the last array) is not the user's to change here.
  for (int a = 0; a < kArrays - 1; ++a) {
    if (lane < 0 || lane >= static_cast<int>(m_lists[a].size()) || m_lists[a][lane] == -1) continue;
    m_pPage->PutParamValue(mode, m_lists[a][lane], Field(v, a));
    wrote = true;
  }
  return wrote;
}
