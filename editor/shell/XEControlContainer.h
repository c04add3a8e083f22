#pragma once
// A framed panel of a page's controls, shown, hidden and highlighted as a
// whole. It draws into its owner layer's picture; the layer owns the
// controls, the page's XESynthLayer owns the container.
#include <cstdint>
#include <vector>

class CHfcBmp;
class CHfcControl;
class CHfcWindowLayer;

class XEControlContainer {
 public:
  static constexpr uint32_t kFrameColor = 0xFF00FF00u;

  XEControlContainer() = default;
  virtual ~XEControlContainer() = default;

  void AddControl(CHfcControl* control);
  void Show(bool redraw);
  void Hide(bool redraw);
  // The background (picture or fill) and, when active and framed, the
  // frame; pages call it after the layer background, before the controls.
  void OnRefresh();

  std::vector<CHfcControl*> m_controls;
  CHfcWindowLayer* m_pOwner = nullptr;
  int m_iId = -1;
  int m_iX = 0;
  int m_iY = 0;
  int m_iWidth = 0;
  int m_iHeight = 0;
  CHfcBmp* m_pBackground = nullptr;
  uint32_t m_uFillColor = 0;
  bool m_bVisible = true;
  bool m_bActive = false;
  bool m_bFramed = false;
};
