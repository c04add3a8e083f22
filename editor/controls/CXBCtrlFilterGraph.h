#pragma once
// The filter response graph: the magnitude response of a program's filter
// over a logarithmic frequency axis, with one handle whose horizontal place
// is the cutoff and whose vertical place is the resonance. The page writes
// cutoff, resonance and type into it and turns its reports into parameter
// writes.
#include <cstdint>

#include "hfc/CHfcControl.h"

class CHfcBmp;

struct tagFilterValue {
  int32_t index;
  int32_t level;  // resonance in control units; resonance starts at 99
  int32_t time;   // cutoff in control units
};

struct tagXBCtrlFilterGraphParam {
  int32_t x;
  int32_t y;
  int32_t width;
  int32_t height;
  CHfcBmp* backdrop;
  CHfcBmp* frame;
  int32_t pictureX;
  int32_t pictureY;
  int32_t filterType;
  int32_t pointSize;
  CHfcBmp* label;
  int32_t minimum;
  int32_t maximum;
  uint32_t curveLineColor;
  uint32_t curveFillColor;
  uint32_t keptColor1;
  uint32_t keptColor2;
  uint32_t pointFillColor;
  uint32_t pointFrameColor;
  float dragUnit;
  float dragScale;
  int32_t keyTimeStepAdjust;
};

class CXBCtrlFilterGraph : public CHfcControl {
 public:
  static const tagXBCtrlFilterGraphParam sm_mInitParam;
  // Per cutoff row: pole coefficient without resonance, with resonance,
  // feedback zero coefficient.
  static const float FilterCoefTBLHighPassWave[100][3];
  // Halved cutoff -> row of the table above, for graphs 100 pixels wide or
  // more and for narrower ones.
  static const int32_t sm_aiConvertCutoffRealWave[100];
  static const int32_t sm_aiConvertCutoffRoutingJumpWave[100];

  CXBCtrlFilterGraph();
  ~CXBCtrlFilterGraph() override;

  // Refuses a null record, a width not wider or a height not taller than
  // the handle, and a range whose maximum is not above 0 and the minimum.
  bool Create(tagXBCtrlFilterGraphParam* param, int id, int idHigh);
  void Destroy() override;

  bool OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonUp(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseMove(CHfcMouse* m, int x, int y, int mods) override;
  void OnHfcMouseLostCapture(CHfcMouse* m) override;
  void Draw(CHfcDrawContext* dc) override;
  void DrawFocus(CHfcDrawContext* dc) override;
  void Erase(CHfcDrawContext* dc) override;
  void SetPtrValue(void* value, bool redraw) override;
  bool OnKeyDown(int chr, int key, int mods) override;
  bool OnKeyRepeat(int chr, int key, int mods) override;

  virtual int GetPointNumberFromPosition(tagHfcPoint* p);
  virtual void CalcPoints();
  virtual void DrawPoints(CHfcDrawContext* dc);
  virtual void DrawCurve(CHfcDrawContext* dc, int cutoffIndex, int resonance, int type);
  virtual void DrawRegion(CHfcDrawContext* dc);
  virtual void DrawFocusCalc(CHfcDrawContext* dc, int point);
  // Halved cutoff -> table row, clamped to the table.
  virtual int ConvertCutoffValue(int halfCutoff);

  void SetFilterType(int type, bool redraw);
  int GetFilterType() const { return m_iType; }
  void SetFilterValue(int index, tagFilterValue* value, bool redraw);
  void SetFilterValue(tagFilterValue* value, bool redraw);
  bool GetFilterValue(tagFilterValue* out, int index);
  void SetFilterAllValue(tagFilterValue* value, bool redraw);
  bool GetFilterAllValue(tagFilterValue* out);

  void SetReadOnly(bool readOnly) { m_bReadOnly = readOnly; }
  bool IsReadOnly() const { return m_bReadOnly; }
  void SetFocusOnClick(bool focus) { m_bFocusOnClick = focus; }
  int GetActivePoint() const { return m_iActive; }
  int GetKeyPoint() const { return m_iKey; }
  void SetKeyPoint(int point) { m_iKey = point; }
  const tagHfcPoint& GetPoint(int i) const { return m_pPoints[i]; }
  const tagXBCtrlFilterGraphParam& GetParam() const { return m_param; }
  // The halved cutoffs of the last drawing.
  int GetHalfCutoff(int record) const { return m_iHalfCutoff[record & 1]; }
  // The table row and resonance the last curve was drawn with (-1 none).
  int GetLastCurveRow() const { return m_iLastRow; }
  double GetLastResonanceGain() const { return m_dLastGain; }
  float GetLastPoleCoef() const { return m_fLastPole; }
  float GetLastZeroCoef() const { return m_fLastZero; }

 protected:
  // Curve line and fill colours as drawn (alpha scaled while disabled).
  uint32_t CurveColor(uint32_t colour) const;
  // One sample of a response curve at (x, y) relative to the control's
  // top-left: the first places the pen, samples below -90 dB (or not a
  // number) leave a gap, the others fill down to the bottom and draw a
  // line from the previous sample.
  struct CurvePen {
    bool first = true;
    bool gap = false;
    float px = 0.0f;
    float py = 0.0f;
  };
  void PlotCurveSample(CHfcDrawContext* dc, CurvePen& pen, bool start, double level, float x, float y);
  void FreeStore();
  void Report(int point, int level, int time);

  tagXBCtrlFilterGraphParam m_param;
  int m_iType = 0;
  int m_iCount = 1;
  tagFilterValue* m_pValues = nullptr;
  tagHfcPoint* m_pPoints = nullptr;
  int m_iActive = -2;
  int m_iKey = -2;
  int m_iLastIndex = 0;
  tagHfcPoint m_ptLast{0, 0};
  int m_iLastTime = 0;
  int m_iLastLevel = 0;
  float m_fAccX = 0.0f;
  float m_fAccY = 0.0f;
  float m_fDragScale = 10.0f;
  int m_iKeyAdjust = 1;
  int m_iHalfCutoff[2] = {0, 0};
  bool m_bReadOnly = false;
  bool m_bMoved = false;
  int m_iLastRow = -1;
  double m_dLastGain = 0.0;
  float m_fLastPole = 0.0f;
  float m_fLastZero = 0.0f;
};
