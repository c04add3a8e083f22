#pragma once
// A layer over the whole editor window: a translucent dark veil with a
// dialog-like page on it. It never blocks: it raises its done flag and the
// root layer closes it on its next idle tick. While it is up, nothing under
// the veil takes the mouse or the keyboard.
#include <cstdint>

#include "editor/shell/XELayerBase.h"

class ModalLayer : public XELayerBase {
 public:
  static constexpr uint32_t kVeilColor = 0x80000000u;

  // The veil holds the window's mouse: nothing under it takes a click.
  ModalLayer() { SetHoldsMouse(true); }
  ~ModalLayer() override = default;

  bool IsDone() const { return m_bDone; }
  void SetDone(bool done) { m_bDone = done; }

  void OnDrawBackground(CHfcOffscreenContext* context) override;
  // A press beside the group (on none of the layer's controls and on no
  // layer above it, such as the page of the group) closes the layer.
  bool OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  // Holding the keyboard, the layer keeps every key to itself.
  using CHfcKeyListener::OnHfcKeyDown;
  using CHfcKeyListener::OnHfcKeyUp;
  using CHfcKeyListener::OnHfcKeyChar;
  bool OnHfcKeyDown(CHfcKeyFocus*, int, int, int) override { return true; }
  bool OnHfcKeyUp(CHfcKeyFocus*, int, int, int) override { return true; }
  bool OnHfcKeyChar(CHfcKeyFocus*, int) override { return true; }

 protected:
  void DrawVeil(CHfcOffscreenContext* context);
  // The point (layer coordinates) lies on one of the layer's controls or
  // on a visible layer above this one.
  bool IsOnGroup(int x, int y) const;

  bool m_bDone = false;
};
