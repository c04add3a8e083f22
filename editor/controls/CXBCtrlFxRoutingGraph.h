#pragma once
// A display-only picture of how the sound sources reach the five insert
// effect slots and how the slots chain into one another and out to the
// buses. The effect routing graph manager fills its sixteen records.
#include <cstdint>

#include "hfc/CHfcControl.h"

class CHfcBmp;

struct tagXBCtrlFxRoutingGraphParam {
  int32_t x;
  int32_t y;
  int32_t width;
  int32_t height;
  CHfcBmp* background;
  CHfcBmp* source;
  int32_t pictureX;  // where the graph's area begins in the background
  int32_t pictureY;
};

// Record k describes source k and, for k of 0 to 4, insert slot k too.
struct tagFxRoutingValue {
  int32_t index;
  int32_t kept1;
  int32_t fxType;       // slots: the effect in slot k
  int32_t chainFlag;    // slots: the output goes on into another slot
  int32_t chainTarget;  // slots: that slot, counted from 1
  int32_t outputBus;    // slots: row of the bus picture
  int32_t kept6;
  int32_t kept7;
  int32_t allSlots;      // record 0, single-source form
  int32_t sourceTarget;  // 0: slotTarget gives the targets; else a slot + 2
  int32_t slotTarget[5]; // -1 none, else a slot counted from 1
  int32_t mode;          // record 0: -1 draws all sixteen sources
};

class CXBCtrlFxRoutingGraph : public CHfcControl {
 public:
  static constexpr int kRecords = 16;
  static constexpr int kSlots = 5;
  static const tagXBCtrlFxRoutingGraphParam sm_mInitParam;
  // The number of slots an effect type occupies; the effect catalogue's
  // answer unless replaced (tests put double-size effects in).
  using FxSizeFunction = int (*)(int fxType);
  static void SetFxSizeFunction(FxSizeFunction function);

  CXBCtrlFxRoutingGraph();
  ~CXBCtrlFxRoutingGraph() override;

  bool Create(tagXBCtrlFxRoutingGraphParam* param, int id, int idHigh);
  void Destroy() override;
  void Draw(CHfcDrawContext* dc) override;
  void Erase(CHfcDrawContext* dc) override;
  void SetPtrValue(void* value, bool redraw) override;

  void AdjustFieldRect();
  void DrawGraph(CHfcDrawContext* dc);
  void SetFxRoutingValue(int index, tagFxRoutingValue* value, bool redraw);
  void SetFxRoutingValue(tagFxRoutingValue* value, bool redraw);
  bool GetFxRoutingValue(tagFxRoutingValue* out, int index);

  // What the last drawing walked: chain steps taken (slot to slot).
  int GetLastChainSteps() const { return m_iChainSteps; }
  const tagXBCtrlFxRoutingGraphParam& GetParam() const { return m_param; }

 private:
  struct Canvas;
  int FxSize(int slot) const;
  // The drawing's steps: the lines from the sources into the slots (which
  // slots start a chain), the chains from slot to slot (where chains
  // cross), a chain's way out, the junctions of crossing chains.
  void SourceSlots(int src, bool fed[kSlots], bool occupied[kSlots]) const;
  void DrawSourceLines(const Canvas& c, bool chained[kSlots]) const;
  void DrawChains(const Canvas& c, const bool chained[kSlots], bool crossing[kSlots][kSlots]);
  void DrawOutput(const Canvas& c, const tagFxRoutingValue& slot, int row) const;
  void DrawCrossings(const Canvas& c, const bool crossing[kSlots][kSlots]) const;

  tagXBCtrlFxRoutingGraphParam m_param;
  tagFxRoutingValue* m_pStore = nullptr;
  tagHfcRect m_rcField{0, 0, 0, 0};  // offsets and size
  uint32_t m_uVeil = 0x80FFFFFFu;
  int m_iChainSteps = 0;
};
