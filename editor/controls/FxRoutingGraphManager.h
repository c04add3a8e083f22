#pragma once
// Binds an effect routing graph to the effect types, chains, buses and
// source routings of the insert slots through hidden proxies, and writes a
// slot's edits back.
#include <vector>

#include "editor/controls/XEGraphProxy.h"

class CHfcControl;
class CXBCtrlFxRoutingGraph;
class IXEGraphPage;

class FxRoutingGraphManager {
 public:
  static constexpr int kArrays = 13;
  static constexpr int kBase = 100;
  static constexpr int kModeId = 990;
  // The page mode the graph-wide routing mode belongs to.
  static constexpr int kModeSection = 3;

  // Thirteen id arrays: 5, 5, 3, 4 and 5 per-slot ids, 2 ids, up to 16
  // sources ended by -1, the routing mode, and five arrays of up to 16
  // sources ended by -1.
  FxRoutingGraphManager(IXEGraphPage* page, CXBCtrlFxRoutingGraph* graph, const int* const* ids);
  FxRoutingGraphManager(IXEGraphPage* page, CXBCtrlFxRoutingGraph* graph, const int* fxTypes,
                        const int* kept, const int* chainTargets, const int* chainFlags,
                        const int* buses, const int* allSlots, const int* sourceTargets,
                        const int* routingMode, const int* slot1, const int* slot2,
                        const int* slot3, const int* slot4, const int* slot5);

  bool ParamToControl(CHfcControl* control, int paramId);
  // record: the graph's tagFxRoutingValue.
  bool ControlToParam(CHfcControl* control, void* record);

  const std::vector<int>& GetList(int array) const { return m_lists[array]; }

 private:
  IXEGraphPage* m_pPage;
  CXBCtrlFxRoutingGraph* m_pGraph;
  std::vector<int> m_lists[kArrays];
  std::vector<XEGraphProxy> m_proxies;
};
