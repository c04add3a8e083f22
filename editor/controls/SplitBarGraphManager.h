#pragma once
// Binds a split-key bar to its split key and split kind through hidden
// proxies, and writes the bar's edits back.
#include <vector>

#include "editor/controls/XEGraphProxy.h"

class CHfcControl;
class IXEGraphPage;
namespace Oskend {
class XESplitKeyBar;
}

class SplitBarGraphManager {
 public:
  static constexpr int kBase = 1270;

  // Two ids: the split key and the split kind.
  SplitBarGraphManager(IXEGraphPage* page, Oskend::XESplitKeyBar* bar, const int* ids);

  bool ParamToControl(CHfcControl* control, int paramId);
  // record: the bar's Oskend::tagSplitBarValue.
  bool ControlToParam(CHfcControl* control, void* record);

 private:
  IXEGraphPage* m_pPage;
  Oskend::XESplitKeyBar* m_pBar;
  std::vector<int> m_ids;
  std::vector<XEGraphProxy> m_proxies;
};
