#include "editor/controls/FxRoutingGraphManager.h"

#include <array>

#include "editor/controls/CXBCtrlFxRoutingGraph.h"
#include "editor/controls/IXEGraphPage.h"

namespace {

constexpr int kMaxSources = 16;
// Per array: how many ids at most, whether a -1 ends it (and is kept).
constexpr int kCounts[FxRoutingGraphManager::kArrays] = {5, 5, 3, 4, 5, 2, kMaxSources, 1,
                                                         kMaxSources, kMaxSources, kMaxSources,
                                                         kMaxSources, kMaxSources};
// The record field each array feeds, counted from the slot index.
constexpr int kFields[FxRoutingGraphManager::kArrays] = {2, 1, 4, 3, 5, 8, 9, 15, 10, 11, 12, 13, 14};

int32_t* FieldOf(tagFxRoutingValue& v, int field) {
  switch (field) {
    case 1:
      return &v.kept1;
    case 2:
      return &v.fxType;
    case 3:
      return &v.chainFlag;
    case 4:
      return &v.chainTarget;
    case 5:
      return &v.outputBus;
    case 6:
      return &v.kept6;
    case 7:
      return &v.kept7;
    case 8:
      return &v.allSlots;
    case 9:
      return &v.sourceTarget;
    case 15:
      return &v.mode;
    default:
      return field >= 10 && field <= 14 ? &v.slotTarget[field - 10] : nullptr;
  }
}

}  // namespace

FxRoutingGraphManager::FxRoutingGraphManager(IXEGraphPage* page, CXBCtrlFxRoutingGraph* graph,
                                             const int* const* ids)
    : m_pPage(page), m_pGraph(graph) {
  const int pageMode = page ? page->GetTargetMode() : 0;
  for (int a = 0; a < kArrays; ++a) {
    const int* list = ids ? ids[a] : nullptr;
    const bool ended = kCounts[a] == kMaxSources;
    for (int i = 0; i < kCounts[a]; ++i) {
      const int id = list ? list[i] : -1;
      if (ended && id == -1) {
        // The chain targets keep their end mark; the source lists do not.
        if (a == 6) m_lists[a].push_back(id);
        break;
      }
      m_lists[a].push_back(id);
      if (id == -1) continue;
      const bool perSlot = a < 5;
      const int x = perSlot ? 200 : 10;
      const int y = perSlot ? 1000 + 15 * i : 1000;
      const int second = a == 7 ? kModeId : kBase + i;
      const int mode = a == 7 ? kModeSection : pageMode;
      if (CHfcControl* proxy = XEGraphProxy::Make(page, id, perSlot ? 0 : -100, perSlot ? 127 : 100,
                                                  x, y, second, mode))
        m_proxies.push_back({proxy, a, i, id});
    }
  }
}

FxRoutingGraphManager::FxRoutingGraphManager(
    IXEGraphPage* page, CXBCtrlFxRoutingGraph* graph, const int* fxTypes, const int* kept,
    const int* chainTargets, const int* chainFlags, const int* buses, const int* allSlots,
    const int* sourceTargets, const int* routingMode, const int* slot1, const int* slot2,
    const int* slot3, const int* slot4, const int* slot5)
    : FxRoutingGraphManager(page, graph,
                            std::array<const int*, kArrays>{fxTypes, kept, chainTargets, chainFlags,
                                                            buses, allSlots, sourceTargets,
                                                            routingMode, slot1, slot2, slot3, slot4,
                                                            slot5}
                                .data()) {}

bool FxRoutingGraphManager::ParamToControl(CHfcControl* control, int paramId) {
  if (!m_pGraph) return false;
  const XEGraphProxy* proxy = XEFindGraphProxy(m_proxies, control);
  if (!proxy || proxy->paramId != paramId) return false;
  const int record = proxy->list == 7 ? 0 : control->GetGroupId() - kBase;
  tagFxRoutingValue v{};
  if (!m_pGraph->GetFxRoutingValue(&v, record)) return false;
  int value = control->GetIntValue();
  // A source routing that does not apply now draws no line.
  if (proxy->list >= 8 && !control->IsEnabled()) value = -1;
  if (int32_t* field = FieldOf(v, kFields[proxy->list])) *field = value;
  m_pGraph->SetFxRoutingValue(record, &v, true);
  return true;
}

bool FxRoutingGraphManager::ControlToParam(CHfcControl* control, void* record) {
  if (!m_pGraph || control != m_pGraph || !record || !m_pPage) return false;
  tagFxRoutingValue v = *static_cast<const tagFxRoutingValue*>(record);
  const int i = v.index;
  const int pageMode = m_pPage->GetTargetMode();
  bool wrote = false;
  // The slot fields and the routing mode; the source routings are shown,
  // not written.
  for (int a = 0; a <= 7; ++a) {
    if (i < 0 || i >= static_cast<int>(m_lists[a].size()) || m_lists[a][i] == -1) continue;
    const int32_t* field = FieldOf(v, kFields[a]);
    if (!field) continue;
    m_pPage->PutParamValue(a == 7 ? kModeSection : pageMode, m_lists[a][i], *field);
    wrote = true;
  }
  return wrote;
}
