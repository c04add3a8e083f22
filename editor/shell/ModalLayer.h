#pragma once
// A layer over the whole editor window: a translucent dark veil with a
// dialog-like page on it. It never blocks: it raises its done flag and the
// root layer closes it on its next idle tick.
#include <cstdint>

#include "editor/shell/XELayerBase.h"

class ModalLayer : public XELayerBase {
 public:
  static constexpr uint32_t kVeilColor = 0x80000000u;

  ModalLayer() = default;
  ~ModalLayer() override = default;

  bool IsDone() const { return m_bDone; }
  void SetDone(bool done) { m_bDone = done; }

  void OnDrawBackground(CHfcOffscreenContext* context) override;
  // A click beside every control closes the layer.
  bool OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override;

 protected:
  void DrawVeil(CHfcOffscreenContext* context);

  bool m_bDone = false;
};
