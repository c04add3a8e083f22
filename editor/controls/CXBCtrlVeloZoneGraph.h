#pragma once
// A display-only picture of four velocity lanes side by side: each a
// column covering a velocity range, with a cross-fade shape at its lower
// end. Fed by the velocity-zone graph manager.
#include <cstdint>
#include <vector>

#include "hfc/CHfcControl.h"

class CHfcBmp;

struct tagVeloZoneValue {
  int32_t index;
  int32_t on;
  int32_t bottom;     // lowest velocity; the top is the previous lane's bottom
  int32_t fadeWidth;  // velocity units
  int32_t fadeCurve;  // 0 linear, 1 quadratic, else no fade
  int32_t scaleTop;     // graph-wide (entry 0)
  int32_t scaleBottom;  // graph-wide (entry 0)
  int32_t reserved7;
  int32_t columnWidth;
  int32_t gap;
  int32_t joined;
  int32_t mode;  // graph-wide (entry 0): 2 draws one lane only
  int32_t enabled;
  int32_t x;
  int32_t top;
  int32_t reserved15;
  int32_t bottomY;
};

struct tagXBCtrlVeloZoneGraphParam {
  int32_t x;
  int32_t y;
  int32_t width;
  int32_t height;
  int32_t reserved;
  CHfcBmp* background;
  int32_t sourceX;
  int32_t sourceY;
  int32_t entryCount;
  int32_t minimum;
  int32_t maximum;
  uint32_t lineColor;
  float kept;
};

class CXBCtrlVeloZoneGraph : public CHfcControl {
 public:
  static constexpr int kLanes = 4;
  static const tagXBCtrlVeloZoneGraphParam sm_mInitParam;
  static const uint32_t kGradient[8];

  CXBCtrlVeloZoneGraph();
  ~CXBCtrlVeloZoneGraph() override;

  // Refuses a null record, a size below 1 x 1 and a maximum below the
  // minimum.
  bool Create(tagXBCtrlVeloZoneGraphParam* param, int id, int id2);
  void Destroy() override;
  void Draw(CHfcDrawContext* dc) override;
  void Erase(CHfcDrawContext* dc) override;
  void SetPtrValue(void* value, bool redraw) override;
  virtual void Enabled();
  virtual void Disabled();

  void SetVeloZoneValue(tagVeloZoneValue* v, bool redraw);
  void SetVeloZoneValue(int index, tagVeloZoneValue* v, bool redraw);
  bool GetVeloZoneValue(tagVeloZoneValue* out, int index);
  void SetVeloZoneAllValue(tagVeloZoneValue* v, bool redraw);
  bool GetVeloZoneAllValue(tagVeloZoneValue* out);
  void EnableGraph(bool enable);
  void EnableSegment(int lane, bool on);
  void EnableClient(int lane) { EnableSegment(lane, true); }
  void DisableClient(int lane) { EnableSegment(lane, false); }

  void AdjustFieldRect();
  int VerticalScaler(int velocity) const;
  void CalculateClientRect();
  void DrawLane(CHfcDrawContext* dc);
  void DrawLines(CHfcDrawContext* dc, int lane);

  const tagVeloZoneValue& GetLane(int i) const { return m_lanes[i]; }
  bool IsGraphEnabled() const { return m_bGraphEnabled; }
  int GetFieldHeight() const { return m_iFieldHeight; }
  int GetPitch() const { return m_iPitch; }

 private:
  int SetterLimit() const;

  tagXBCtrlVeloZoneGraphParam m_param;
  std::vector<tagVeloZoneValue> m_lanes;
  std::vector<uint8_t> m_enable;
  std::vector<int32_t> m_values;
  int m_iScaleMax = 127;
  int m_iScaleMin = 0;
  int m_iRange = 128;
  int m_iPitch = 2;
  bool m_bGraphEnabled = true;
  int m_iMarginLeft = 6;
  int m_iMarginTop = 6;
  int m_iFieldWidth = 0;
  int m_iFieldHeight = 0;
  int m_iLaneCount = 4;
  int m_iFlag = 0;
  uint32_t m_uVeil = 0x80FFFFFFu;
};
