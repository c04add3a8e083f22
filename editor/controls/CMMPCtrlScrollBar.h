#pragma once
// A vertical or horizontal scroll bar: a thumb on a track between a
// decrement and an increment switch. Switches and page areas repeat while
// held (first after 500 ms of idle time, then every 30 ms); the thumb
// follows the pointer. The bar reports the wanted value to its listener and
// never sets it itself.
#include <cstdint>

#include "hfc/CHfcControl.h"

class CHfcBmp;

struct tagMMPCtrlScrollBarParam {
  int32_t x;
  int32_t y;
  int32_t width;
  int32_t height;
  int32_t backX;
  int32_t backY;
  CHfcBmp* back;
  // Four frames stacked: decrement, decrement pressed, increment, increment
  // pressed.
  CHfcBmp* switches;
  int32_t vertical;
  uint32_t thumbColor;
  uint32_t unusedColor;
  uint32_t trackColor;
  int32_t min;
  int32_t max;
  int32_t pageSize;
  int32_t marginLeft;
  int32_t marginTop;
  int32_t marginRight;
  int32_t marginBottom;
};

class CMMPCtrlScrollBar : public CHfcControl {
 public:
  enum ePressMode { kNone = 0, kThumb = 1, kIncrement = 2, kDecrement = 3, kPageBefore = 4, kPageAfter = 5 };
  static constexpr int kFirstRepeatMs = 500;
  static constexpr int kRepeatMs = 30;
  static constexpr int kMinThumb = 10;

  CMMPCtrlScrollBar() = default;
  ~CMMPCtrlScrollBar() override;

  bool Create(const tagMMPCtrlScrollBarParam* param, int id, int flags);
  void RecalcStatus(bool redraw);
  void Destroy() override;
  void Draw(CHfcDrawContext* context) override;
  int ValueToPosition(int value) const;
  int PositionToValue(int position) const;
  int GetMouseDownArea(int position) const;
  bool ChangeValue(int value);
  void SetIntValue(int value, bool redraw) override;
  void SetMinIntValue(int value, bool redraw) override;
  void SetMaxIntValue(int value, bool redraw) override;
  void SetPageSize(int size, bool redraw);
  void OnIdle(int elapsed) override;

  bool OnHfcMouseLButtonDown(CHfcMouse* mouse, int x, int y, int mods) override;
  bool OnHfcMouseLButtonDoubleClick(CHfcMouse* mouse, int x, int y, int mods) override;
  bool OnHfcMouseLButtonUp(CHfcMouse* mouse, int x, int y, int mods) override;
  bool OnHfcMouseMove(CHfcMouse* mouse, int x, int y, int mods) override;
  void OnHfcMouseLostCapture(CHfcMouse* mouse) override;

  int GetPressMode() const { return m_iPressMode; }
  int GetThumbLength() const { return m_iThumbLength; }
  int GetTrackLength() const { return m_iTrackLength; }
  int GetTravel() const { return m_iTravel; }
  int GetSwitchLength() const { return m_iSwitchLength; }
  int GetPageSize() const { return m_iPageSize; }
  bool IsVertical() const { return m_bVertical; }
  // False when the bar has fewer than two values or the thumb fills the
  // track: then the mouse does nothing and the thumb is dimmed.
  bool IsScrollable() const;

 private:
  bool Press(int x, int y);
  int Along(int x, int y) const { return m_bVertical ? y : x; }
  int AxisStart() const { return m_bVertical ? m_iMarginTop : m_iMarginLeft; }

  int32_t m_iBackX = 0;
  int32_t m_iBackY = 0;
  CHfcBmp* m_pBack = nullptr;
  CHfcBmp* m_pSwitches = nullptr;
  bool m_bVertical = true;
  uint32_t m_uThumbColor = 0;
  uint32_t m_uUnusedColor = 0;
  uint32_t m_uTrackColor = 0;
  int32_t m_iPageSize = 1;
  int32_t m_iMarginLeft = 0;
  int32_t m_iMarginTop = 0;
  int32_t m_iMarginRight = 0;
  int32_t m_iMarginBottom = 0;
  int32_t m_iPressMode = kNone;
  int32_t m_iValueCount = 0;
  int32_t m_iTrackLength = 0;
  int32_t m_iThumbLength = 0;
  int32_t m_iThickness = 0;
  int32_t m_iTravel = 0;
  int32_t m_iLastPosition = 0;
  int32_t m_iThumbPosition = 0;
  int32_t m_iRepeatTimer = kFirstRepeatMs;
  int32_t m_iSwitchLength = 0;
};
