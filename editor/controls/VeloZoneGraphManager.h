#pragma once
// Binds a velocity-zone graph to the on switches, bottoms, fade widths and
// curves of its four lanes and to its graph-wide scale and mode through
// hidden proxies, and writes a lane's edits back.
#include <vector>

#include "editor/controls/XEGraphProxy.h"

class CHfcControl;
class CXBCtrlVeloZoneGraph;
class IXEGraphPage;

class VeloZoneGraphManager {
 public:
  static constexpr int kArrays = 7;
  static constexpr int kSizes[kArrays] = {4, 3, 3, 3, 1, 1, 1};
  static constexpr int kBases[kArrays] = {1610, 1620, 1630, 1640, 1650, 1660, 1670};
  // The page mode of drum kits, whose parameter ids carry the lane's
  // parameter in their low byte.
  static constexpr int kDrumMode = 8;

  // Seven arrays of 4, 3, 3, 3, 1, 1 and 1 ids.
  VeloZoneGraphManager(IXEGraphPage* page, CXBCtrlVeloZoneGraph* graph, const int* const* ids);
  VeloZoneGraphManager(IXEGraphPage* page, CXBCtrlVeloZoneGraph* graph, const int* on,
                       const int* bottom, const int* fadeWidth, const int* fadeCurve,
                       const int* scaleTop, const int* scaleBottom, const int* mode);

  bool ParamToControl(CHfcControl* control, int paramId, int mode);
  // record: the graph's tagVeloZoneValue.
  bool ControlToParam(CHfcControl* control, void* record);

 private:
  IXEGraphPage* m_pPage;
  CXBCtrlVeloZoneGraph* m_pGraph;
  std::vector<int> m_lists[kArrays];
  std::vector<XEGraphProxy> m_proxies;
};
