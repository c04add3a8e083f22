#pragma once
// A small keyboard of eleven octaves: a click or drag picks the octave
// under the pointer (49 pixels per octave) and reports it to the listener.
#include "hfc/CHfcControl.h"

class CHfcBmp;

class XEOctaveSelector : public CHfcControl {
 public:
  static constexpr int kOctaveWidth = 49;
  static constexpr int kLastOctave = 10;
  static constexpr unsigned kMarkColor = 0xFF00FF00u;

  bool Create(int x, int y, CHfcBmp* background, int srcX, int srcY, int id);
  // The octave a point relative to the control lies in, within the range.
  int OctaveAt(int x);

  bool OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonUp(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseMove(CHfcMouse* m, int x, int y, int mods) override;
  void Draw(CHfcDrawContext* dc) override;

 private:
  bool HoldsCapture() const;
  void MarkDirty();

  CHfcBmp* m_pKeyboard = nullptr;
  CHfcBmp* m_pBackground = nullptr;
  int m_iSrcX = 0;
  int m_iSrcY = 0;
};
