#pragma once
// Edits the taps of a multi-tap delay on a half disc: a tap's angle is its
// pan (left to right over the upper half circle) and its distance from the
// centre its delay time. The nearest tap follows the pointer; the control
// reports and the listener moves the tap through SetPtrValue.
#include <cstdint>
#include <vector>

#include "hfc/CHfcControl.h"

struct tagHfcCtrlMTapParam {
  int x = 0, y = 0;
  int width = 100, height = 50;
  int reserved = 0;
  CHfcBmp* background = nullptr;
  int backgroundX = 0, backgroundY = 0;
  int taps = 1;
  float centreX = 50.0f, centreY = 47.0f;
  float innerRadius = 10.0f, outerRadius = 45.0f;
  float pointSize = 2.5f;
  float hitDistance = 5.0f;
  uint32_t highlightFill = 0xFFFFFFFF, highlightPen = 0xFFFFFFFF;
  float reservedWidth = 2.0f;
  uint32_t normalFill = 0x00000000, normalPen = 0xFFFFFFFF;
  float normalPenWidth = 2.0f;
};

// What the control reports and SetPtrValue takes: 0 sets the pan to first,
// 1 the time to first, 2 pan = first and time = second, 3 highlights the
// tap.
struct tagHfcCtrlMTapChange {
  int operation;
  int tap;
  float first;
  float second;
};

class CHfcCtrlMTap : public CHfcControl {
 public:
  static const tagHfcCtrlMTapParam sm_mInitParam;

  CHfcCtrlMTap();
  // False without a record, with no taps, or with an outer radius not
  // beyond the inner one (time would divide by zero).
  bool Create(const tagHfcCtrlMTapParam* param, int id, int flags);
  bool OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) override {
    return OnHfcMouseLButtonDown(m, x, y, mods);
  }
  bool OnHfcMouseLButtonUp(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseMove(CHfcMouse* m, int x, int y, int mods) override;
  void OnHfcMouseLostCapture(CHfcMouse* m) override;
  void Destroy() override;
  void Draw(CHfcDrawContext* dc) override;
  void SetPtrValue(void* change, bool redraw) override;

  void GetPanAndDelayTime(float px, float py, float* pan, float* time) const;
  bool GetTapPosition(int tap, float* x, float* y) const;
  int GetPositionTap(float x, float y) const;
  float GetTapPan(int tap) const { return InRange(tap) ? taps_[tap].pan : 0.0f; }
  float GetTapTime(int tap) const { return InRange(tap) ? taps_[tap].time : 0.0f; }
  int GetHighlightedTap() const { return highlighted_; }
  int GetActiveTap() const { return active_; }

 private:
  struct Tap {
    float pan = 0.5f;
    float time = 0.5f;
  };
  bool InRange(int tap) const { return tap >= 0 && tap < static_cast<int>(taps_.size()); }
  void Report(float px, float py);
  // The tap nearest to (x, y) closer than `limit` (-1 for none), and in
  // *distance its distance (`limit` for none).
  int NearestTap(float x, float y, float limit, float* distance) const;

  tagHfcCtrlMTapParam m_param;
  std::vector<Tap> taps_;
  int highlighted_ = -1;
  int active_ = -1;
  float accX_ = 0, accY_ = 0, lastX_ = 0, lastY_ = 0;
};
