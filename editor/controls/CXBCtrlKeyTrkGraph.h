#pragma once
// A display-only key-tracking curve over the 128 keys: a low break key, a
// centre key and a high break key with four intensities (outer low, inner
// low, inner high, outer high). Fed by the key-tracking graph manager.
#include <cstdint>

#include "hfc/CHfcControl.h"

class CHfcBmp;

struct tagKeyTrkValue {
  int32_t index;
  int32_t key;
  int32_t intensity;   // -99..99; -100 and 100 are a vertical step
  int32_t graphValue;  // graph-wide, entry 0
};

struct tagXBCtrlKeyTrkGraphParam {
  int32_t x;
  int32_t y;
  int32_t width;
  int32_t height;
  int32_t reserved;
  CHfcBmp* background;
  CHfcBmp* keyStrip;
  int32_t sourceX;
  int32_t sourceY;
  int32_t entryCount;
  int32_t minimum;
  int32_t maximum;
  int32_t kind;  // 2: the steep scale of intensities
  uint32_t curveColor;
  float kept;
};

class CXBCtrlKeyTrkGraph : public CHfcControl {
 public:
  static constexpr int kEntries = 4;
  static constexpr int kSegments = 5;
  static const tagXBCtrlKeyTrkGraphParam sm_mInitParam;

  CXBCtrlKeyTrkGraph();
  ~CXBCtrlKeyTrkGraph() override;

  bool Create(tagXBCtrlKeyTrkGraphParam* param, int id, int id2);
  void Destroy() override;
  void Draw(CHfcDrawContext* dc) override;
  void Erase(CHfcDrawContext* dc) override;
  void SetPtrValue(void* value, bool redraw) override;

  void SetKeyTrkValue(tagKeyTrkValue* v, bool redraw);
  void SetKeyTrkValue(int index, tagKeyTrkValue* v, bool redraw);
  bool GetKeyTrkValue(tagKeyTrkValue* out, int index);
  void SetKeyTrkAllValue(tagKeyTrkValue* v, bool redraw);
  bool GetKeyTrkAllValue(tagKeyTrkValue* out);

  // Segment i runs from A(i) to B(i): x is a key, y a level.
  const tagHfcPoint& GetA(int i) const { return m_pA[i]; }
  const tagHfcPoint& GetB(int i) const { return m_pB[i]; }
  // The divisor of an intensity on this graph's scale.
  int Divisor(int intensity) const;

 private:
  void FreeArrays();
  void CalcPoints();
  void DrawLines(CHfcDrawContext* dc);

  tagXBCtrlKeyTrkGraphParam m_param;
  tagKeyTrkValue* m_pEntries = nullptr;
  tagHfcPoint* m_pA = nullptr;
  tagHfcPoint* m_pB = nullptr;
  int m_iFlag = 0;
  uint32_t m_uVeil = 0x80FFFFFFu;
};
