#pragma once
// A multi-point envelope (pitch, filter or amplifier envelope) drawn as a
// polyline over a shaded zone, with a handle at every point that the user
// drags to change the point's level and time. It knows no parameters: the
// envelope graph manager copies values in and writes the reports back.
#include <cstdint>

#include "hfc/CHfcControl.h"

class CHfcBmp;

struct tagEnvelopeValue {
  int32_t index;
  int32_t level;
  int32_t time;  // distance from the previous point, as a share of a segment
};

struct tagXBCtrlEnvelopeGraphParam {
  int32_t x;
  int32_t y;
  int32_t width;
  int32_t height;
  CHfcBmp* background;
  int32_t backgroundX;
  int32_t backgroundY;
  int32_t count;
  int32_t pointSize;
  CHfcBmp* pointNames;  // six labels stacked vertically
  int32_t minimum;
  int32_t maximum;
  uint32_t lineColor;
  uint32_t zoneColor;
  uint32_t keptColor1;
  uint32_t keptColor2;
  uint32_t pointFillColor;
  uint32_t pointFrameColor;
  float dragUnit;
  float dragScale;
  int32_t keyTimeStepAdjust;
  int32_t baseline;  // 0 bottom, 1 middle
  int32_t levelCopy;
  const uint8_t* enabledPoints;  // count bytes
};

class CXBCtrlEnvelopeGraph : public CHfcControl {
 public:
  static const tagXBCtrlEnvelopeGraphParam sm_mInitParam;

  CXBCtrlEnvelopeGraph();
  ~CXBCtrlEnvelopeGraph() override;

  // Refuses a null record, fewer than 2 points, a width that leaves no
  // pixel per segment, a height not taller than a handle and a range whose
  // maximum is not above 0 and the minimum.
  bool Create(tagXBCtrlEnvelopeGraphParam* param, int id, int idHigh);
  void Destroy() override;

  bool OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonUp(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseMove(CHfcMouse* m, int x, int y, int mods) override;
  void OnHfcMouseLostCapture(CHfcMouse* m) override;
  void Draw(CHfcDrawContext* dc) override;
  void DrawFocus(CHfcDrawContext* dc) override;
  void Erase(CHfcDrawContext* dc) override;
  void SetPtrValue(void* value, bool redraw) override;
  bool OnKeyDown(int chr, int key, int mods) override;
  bool OnKeyRepeat(int chr, int key, int mods) override;

  void SetEnvelopeValue(tagEnvelopeValue* value, bool redraw);
  void SetEnvelopeValue(int index, tagEnvelopeValue* value, bool redraw);
  bool GetEnvelopeValue(tagEnvelopeValue* out, int index);
  void SetEnvelopeAllValue(tagEnvelopeValue* value, bool redraw);
  bool GetEnvelopeAllValue(tagEnvelopeValue* out);
  void SetActivePoint(int index, bool focus);

  void SetReadOnly(bool readOnly) { m_bReadOnly = readOnly; }
  bool IsReadOnly() const { return m_bReadOnly; }
  void SetFocusOnClick(bool focus) { m_bFocusOnClick = focus; }
  int GetCount() const { return m_param.count; }
  int GetActivePoint() const { return m_iActive; }
  int GetKeyPoint() const { return m_iKey; }
  int GetSegmentWidth() const;
  // Point place relative to the graph area's top-left corner.
  const tagHfcPoint& GetPoint(int i) const { return m_pPoints[i]; }
  const tagXBCtrlEnvelopeGraphParam& GetParam() const { return m_param; }
  int HitTest(int x, int y) const;

 private:
  void FreeArrays();
  void CalcPoints();
  bool Press(int x, int y, int mods, bool releaseKeyOnConsume);
  void Report(int point, int level, int time);
  uint32_t Colour(uint32_t colour) const;
  void DrawHandle(CHfcDrawContext* dc, int i, bool full);

  tagXBCtrlEnvelopeGraphParam m_param;
  tagHfcPoint* m_pPoints = nullptr;
  tagEnvelopeValue* m_pValues = nullptr;
  int m_iActive = -2;
  int m_iKey = -2;
  int m_iHit = -2;
  tagHfcPoint m_ptLast{0, 0};
  int m_iLastTime = 0;
  int m_iLastLevel = 0;
  float m_fAccX = 0.0f;
  float m_fAccY = 0.0f;
  float m_fDragUnit = 1.0f;
  float m_fDragScale = 10.0f;
  bool m_bReadOnly = false;
  bool m_bMoved = false;
};
