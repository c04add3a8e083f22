#pragma once
// Binds an envelope graph to the level and time parameters of its six
// points through hidden proxies, and writes the graph's edits back.
#include <vector>

#include "editor/controls/XEGraphProxy.h"

class CHfcControl;
class CXBCtrlEnvelopeGraph;
class IXEGraphPage;

class EnvelopeGraphManager {
 public:
  static constexpr int kPoints = 6;
  static constexpr int kLevelBase = 610;
  static constexpr int kTimeBase = 620;

  // Six level and six time parameter ids; -1 marks a point without one.
  EnvelopeGraphManager(IXEGraphPage* page, CXBCtrlEnvelopeGraph* graph, const int* levelIds,
                       const int* timeIds);

  bool ParamToControl(CHfcControl* control, int paramId);
  // record: the graph's tagEnvelopeValue.
  bool ControlToParam(CHfcControl* control, void* record);

  const std::vector<int>& GetLevelIds() const { return m_levelIds; }
  const std::vector<int>& GetTimeIds() const { return m_timeIds; }

 private:
  IXEGraphPage* m_pPage;
  CXBCtrlEnvelopeGraph* m_pGraph;
  std::vector<int> m_levelIds;
  std::vector<int> m_timeIds;
  std::vector<XEGraphProxy> m_proxies;
};
