#pragma once
// A horizontal bar over a value range that shows a zone (bottom and top)
// and inside it the two slope points, plus needles marking single values.
// The user drags the four handles; the bar reports which handle moved and
// the value it wants.
#include <cstdint>
#include <vector>

#include "hfc/CHfcControl.h"
#include "hfc/CHfcEditTextEngineListener.h"

class CHfcBmp;

struct tagKvxCtrlZoneSlopeBarParam {
  int32_t x;
  int32_t y;
  int32_t width;   // 0: the background picture's
  int32_t height;  // 0: the background picture's
  int32_t backgroundX;
  int32_t backgroundY;
  CHfcBmp* background;
  int32_t barX;
  int32_t barY;
  int32_t barWidth;   // 0: the zone picture's
  int32_t barHeight;  // 0: the zone picture's
  CHfcBmp* zone;
  CHfcBmp* slope;
  uint32_t insideColor;
  uint32_t outsideColor;
  int32_t minimum;
  int32_t maximum;
  float dragScale;
};

// The pair the bar reports and SetPtrValue takes.
struct tagZoneSlopeBarValue {
  int32_t id;  // see ZubZoneSlopeBar::kId...
  int32_t value;
};

class ZubZoneSlopeBar : public CHfcControl, public CHfcEditTextEngineListener {
 public:
  enum {
    kIdZoneMin = 0,
    kIdZoneMax = 1,
    kIdSlopeMin = 2,
    kIdSlopeMax = 3,
    kIdNeedleOn = 4,
    kIdNeedleOff = 5,
    kIdClearNeedles = 6,
  };

  ZubZoneSlopeBar() = default;
  ~ZubZoneSlopeBar() override;

  // Refuses a null record, a size of 0 without the picture to take it
  // from, a bar less than a pixel wide and a maximum below the minimum.
  bool Create(const tagKvxCtrlZoneSlopeBarParam* param, int id, int idHigh);
  void Destroy() override;

  bool OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonUp(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseMove(CHfcMouse* m, int x, int y, int mods) override;
  void OnHfcMouseLostCapture(CHfcMouse* m) override;
  void Draw(CHfcDrawContext* dc) override;
  void OnIdle(int elapsed) override { CHfcControl::OnIdle(elapsed); }
  void SetPtrValue(void* pair, bool redraw) override;

  using CHfcControl::SetParameter;
  void SetParameter(int id, int value, bool redraw);
  void SetParamZoneMin(int value);
  void SetParamZoneMax(int value);
  void SetParamSlopeMin(int value);
  void SetParamSlopeMax(int value);
  void SetParamNeedleOn(int value);
  void SetParamNeedleOff(int value);
  void SetParamClearAllNeedles();

  int GetValueOnTheBar(int x) const;
  bool IsBarArea(int x, int y) const;
  void TellValueChanged(int id, int value);

  int GetZoneMin() const { return m_iZoneMin; }
  int GetZoneMax() const { return m_iZoneMax; }
  int GetSlopeMin() const { return m_iSlopeMin; }
  int GetSlopeMax() const { return m_iSlopeMax; }
  // 1 shown, -1 switched off, 0 none; 0 for values outside the range.
  int GetNeedle(int value) const;
  int GetHeldHandle() const { return m_iHandle; }
  const tagKvxCtrlZoneSlopeBarParam& GetParam() const { return m_param; }

 protected:
  bool OnMouseLButtonUpOnTheBar() { return true; }
  void OnMouseLButtonDownOnTheBarMin(int x);
  void OnMouseLButtonDownOnTheBarMax(int x);
  void OnMouseMoveOnTheBarMinMax(int x, int mods);

 private:
  float Unit() const;
  int Clamp(int v) const;

  tagKvxCtrlZoneSlopeBarParam m_param{};
  int m_iZoneMin = 0;
  int m_iZoneMax = 0;
  int m_iSlopeMin = 0;
  int m_iSlopeMax = 0;
  std::vector<int32_t> m_needles;
  int m_iHandle = 0;  // 0 none, 1 zone min, 2 zone max, 3 slope min, 4 slope max
  int m_iLastX = 0;
  int m_iLastValue = 0;
  float m_fAcc = 0.0f;
  float m_fDragScale = 1.0f;
};
