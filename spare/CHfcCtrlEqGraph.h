#pragma once
// The magnitude response of a chain of equaliser bands on a logarithmic
// frequency axis, with a square handle per band: dragging a handle reports
// a new frequency and gain (with Option, a new width). The owner supplies
// each band's second-order section and writes the values back.
#include <cstdint>
#include <vector>

#include "hfc/CHfcControl.h"

struct tagHfcCtrlEqGraphParam {
  int x = 0, y = 0;
  int width = 120, height = 61;
  int reserved1 = 0;
  CHfcBmp* background = nullptr;
  int backgroundX = 0, backgroundY = 0;
  int reserved2 = 0;
  int bands = 4;
  float shownLowFreq = 16.0f, shownHighFreq = 24000.0f;
  float dragLowFreq = 20.0f, dragHighFreq = 20000.0f;
  float shownLowGain = -18.0f, shownHighGain = 18.0f;
  float dragLowGain = -18.0f, dragHighGain = 18.0f;
  uint32_t curveColour = 0xFF7F7F7F;
  uint32_t selectedFill = 0xFFFF0000, selectedOutline = 0xFFFFFFFF;
  uint32_t otherFill = 0xFF000000, otherOutline = 0xFFFFFFFF;
};

class CHfcCtrlEqGraph : public CHfcControl {
 public:
  // Kinds: 0 frequency, 1 width, 2 gain (first value), 3 coefficients
  // b0 b1 b2 a1 a2, 4 sample rate, 5 selects the band. The control reports
  // kind 0 with frequency and gain, and kind 1 with the width.
  struct tagEqBandValue {
    int kind;
    int band;
    float values[5];
  };
  struct Band {
    float frequency = 1000.0f;
    float width = 0.3f;
    float gain = 0.0f;
    float b0 = 1.0f, b1 = 0.0f, b2 = 0.0f, a1 = 0.0f, a2 = 0.0f;
  };

  // False without a record, without bands, with an empty axis, or with a
  // frequency range that has no logarithm (both would divide by zero).
  bool Create(const tagHfcCtrlEqGraphParam* param, int id, int flags);
  bool OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) override {
    return OnHfcMouseLButtonDown(m, x, y, mods);
  }
  bool OnHfcMouseLButtonUp(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseMove(CHfcMouse* m, int x, int y, int mods) override;
  void OnHfcMouseLostCapture(CHfcMouse* m) override;
  void Destroy() override;
  void Draw(CHfcDrawContext* dc) override;
  void SetPtrValue(void* value, bool redraw) override;

  float GetFreqPosition(float f) const;
  float GetGainPosition(float g) const;
  float GetPositionFreq(float x) const;
  float GetPositionGain(float y) const;
  bool GetBandPosition(int band, float* x, float* y) const;
  int GetPositionBand(float x, float y) const;
  float GetGain(float f, bool clip) const;
  void DrawXLine(CHfcDrawContext* dc, float gain, unsigned colour);
  void DrawYLine(CHfcDrawContext* dc, float f, unsigned colour);

  const Band& GetBand(int i) const { return bands_[static_cast<size_t>(i)]; }
  int GetBandCount() const { return static_cast<int>(bands_.size()); }
  float GetSampleRate() const { return sampleRate_; }
  int GetSelectedBand() const { return selected_; }
  int GetDraggedBand() const { return dragged_; }

 private:
  bool ValidBand(int b) const { return b >= 0 && b < GetBandCount(); }
  void Report(int kind, float a, float b);

  tagHfcCtrlEqGraphParam m_param{};
  float logShownLow_ = 0, logShownHigh_ = 1, logDragLow_ = 0, logDragHigh_ = 1;
  std::vector<Band> bands_;
  float sampleRate_ = 44100.0f;
  int dragged_ = -1;
  int selected_ = -1;
  float dragX_ = 0, dragY_ = 0, widthDrag_ = 0;
  int lastX_ = 0, lastY_ = 0;
};
