#include "editor/controls/EnvelopeGraphManager.h"

#include "editor/controls/CXBCtrlEnvelopeGraph.h"
#include "editor/controls/IXEGraphPage.h"

namespace {
constexpr int kLevels = 0;
constexpr int kTimes = 1;
constexpr int kProxyY = 1500;
}  // namespace

EnvelopeGraphManager::EnvelopeGraphManager(IXEGraphPage* page, CXBCtrlEnvelopeGraph* graph,
                                           const int* levelIds, const int* timeIds)
    : m_pPage(page), m_pGraph(graph) {
  const int mode = page ? page->GetTargetMode() : 0;
  for (int list = kLevels; list <= kTimes; ++list) {
    const int* ids = list == kLevels ? levelIds : timeIds;
    std::vector<int>& kept = list == kLevels ? m_levelIds : m_timeIds;
    const int base = list == kLevels ? kLevelBase : kTimeBase;
    for (int i = 0; i < kPoints; ++i) {
      const int id = ids ? ids[i] : -1;
      kept.push_back(id);
      if (id == -1) continue;
      if (CHfcControl* proxy = XEGraphProxy::Make(page, id, -99, 99, 0, kProxyY, base + i, mode))
        m_proxies.push_back({proxy, list, i, id});
    }
  }
}

bool EnvelopeGraphManager::ParamToControl(CHfcControl* control, int paramId) {
  if (!m_pGraph) return false;
  const XEGraphProxy* proxy = XEFindGraphProxy(m_proxies, control);
  if (!proxy || proxy->paramId != paramId) return false;
  const int value = control->GetIntValue();
  tagEnvelopeValue v{};
  if (proxy->list == kLevels) {
    const int i = control->GetGroupId() - kLevelBase;
    if (!m_pGraph->GetEnvelopeValue(&v, i)) return false;
    const tagXBCtrlEnvelopeGraphParam& g = m_pGraph->GetParam();
    v.level = g.baseline == 1 ? value + 99 : value * 2;
    m_pGraph->SetEnvelopeValue(&v, true);
    // Without the level copy, the sustain point's level also holds the
    // point after it.
    if (g.levelCopy == 0 && i == 3) {
      tagEnvelopeValue next{};
      if (m_pGraph->GetEnvelopeValue(&next, 4)) {
        next.level = v.level;
        m_pGraph->SetEnvelopeValue(&next, true);
      }
    }
    return true;
  }
  const int i = control->GetGroupId() - kTimeBase;
  if (!m_pGraph->GetEnvelopeValue(&v, i)) return false;
  v.time = value * 2;
  m_pGraph->SetEnvelopeValue(&v, true);
  return true;
}

bool EnvelopeGraphManager::ControlToParam(CHfcControl* control, void* record) {
  if (!m_pGraph || control != m_pGraph || !record || !m_pPage) return false;
  const auto* v = static_cast<const tagEnvelopeValue*>(record);
  const int i = v->index;
  if (i < 0 || i >= kPoints) return false;
  const int mode = m_pPage->GetTargetMode();
  bool wrote = false;
  if (m_levelIds[i] != -1) {
    const int level = m_pGraph->GetParam().baseline == 1
                          ? v->level - 99
                          : static_cast<int>(static_cast<unsigned>(v->level) / 2u);
    m_pPage->PutParamValue(mode, m_levelIds[i], level);
    wrote = true;
  }
  if (m_timeIds[i] != -1) {
    m_pPage->PutParamValue(mode, m_timeIds[i], static_cast<int>(static_cast<unsigned>(v->time) / 2u));
    wrote = true;
  }
  return wrote;
}
