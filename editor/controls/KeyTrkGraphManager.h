#pragma once
// Binds a key-tracking graph to its three break keys, four intensities and
// the graph-wide value through hidden proxies, and writes edits back.
#include <vector>

#include "editor/controls/XEGraphProxy.h"

class CHfcControl;
class CXBCtrlKeyTrkGraph;
class IXEGraphPage;

class KeyTrkGraphManager {
 public:
  static constexpr int kKeys = 3;
  static constexpr int kIntensities = 4;
  static constexpr int kBase = 100;

  KeyTrkGraphManager(IXEGraphPage* page, CXBCtrlKeyTrkGraph* graph, const int* keyIds,
                     const int* intensityIds, const int* graphValueIds);

  bool ParamToControl(CHfcControl* control, int paramId);
  // record: the graph's tagKeyTrkValue.
  bool ControlToParam(CHfcControl* control, void* record);

 private:
  IXEGraphPage* m_pPage;
  CXBCtrlKeyTrkGraph* m_pGraph;
  std::vector<int> m_lists[3];
  std::vector<XEGraphProxy> m_proxies;
};
