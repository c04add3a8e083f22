#pragma once
// A keyboard strip with a split point: the keys below the split, above it,
// all or none are tinted, and arrows mark the split and the tinted ends.
// It shows two parameters, the split key and which side is active; what a
// click means is up to its listener.
#include <cstdint>

#include "hfc/CHfcControl.h"

class CHfcBmp;

namespace Oskend {

struct tagSplitBarValue {
  int32_t value;  // the split key, 0 to 127
  int32_t kind;   // 0, 1 or 2
};

struct SXESplitKeyBarParam {
  int32_t x;
  int32_t y;
  int32_t backX;
  int32_t backY;
  CHfcBmp* back;
  int32_t unused;
  uint32_t tintColor;
  int32_t reversed;
};

class XESplitKeyBar : public CHfcControl {
 public:
  enum eState { kNone = 0, kBelow = 1, kAbove = 2, kAll = 3 };
  // The keyboard picture starts at this key; 12 semitones take 91 pixels.
  static constexpr int kFirstKey = 21;
  static constexpr int kOctaveWidth = 91;
  static constexpr const char* kKeyboardSkin = "Image_SplitPointKeyboard";
  static constexpr const char* kArrowSkin = "Image_SplitKeyArrow";

  XESplitKeyBar() = default;
  ~XESplitKeyBar() override = default;

  bool Create(SXESplitKeyBarParam* param, int id);
  // Fails when the keyboard skin is missing; without the arrow skin the bar
  // takes the keyboard's height and draws no arrows.
  bool Create(int x, int y, CHfcBmp* back, int srcX, int srcY, int id, int reversed,
              int tintColor);
  void SetIntValue(int value, bool redraw) override;
  void SetSplitBarValue(int index, tagSplitBarValue* value, bool redraw);
  int GetSplitBarValue(tagSplitBarValue* out, int index);
  bool OnHfcMouseLButtonDown(CHfcMouse* mouse, int x, int y, int mods) override;
  bool OnHfcMouseLButtonUp(CHfcMouse* mouse, int x, int y, int mods) override;
  void Draw(CHfcDrawContext* context) override;

  int GetState() const { return m_iState; }
  // Layer x of the split marker for the current key and state.
  int SplitX() const;

 private:
  CHfcBmp* m_pKeyboard = nullptr;
  CHfcBmp* m_pArrow = nullptr;
  CHfcBmp* m_pBack = nullptr;
  int32_t m_iBackX = 0;
  int32_t m_iBackY = 0;
  int32_t m_iState = kAll;
  uint32_t m_uTint = 0;
  int32_t m_iReversed = 0;
};

}  // namespace Oskend
