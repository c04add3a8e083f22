#pragma once
// An on-screen musical keyboard. A per-pixel map says which key lies under
// the pointer; notes are reported as they are pressed, slid over and let
// go (note-on with bit 31 set). The owner lights keys with SetIntValue and
// only the picture segments whose lighting changed are repainted.
#include <cstdint>
#include <vector>

#include "hfc/CHfcControl.h"

struct tagHfcCtrlKeyboardParam {
  int32_t x, y;
  int32_t width;   // 0: the key picture's width
  int32_t height;  // 0: the key picture's height / 8
  CHfcBmp* keysBmp;  // eight pictures of the keyboard, one per lighting state
  int32_t unused[4];
  int32_t keyCount;
  int32_t segmentCount;
  const int32_t* segments;  // per segment: left, -, right, -
  const int32_t* keys;      // per key: segment, second segment or -1, light mask, -
  const uint8_t* hitMap;    // one key index per pixel, 255 for none
  int32_t lowestNote;
};

class CHfcCtrlKeyboard : public CHfcControl {
 public:
  static constexpr int kNoKey = 255;
  static constexpr uint32_t kNoteOn = 0x80000000u;

  CHfcCtrlKeyboard() = default;
  ~CHfcCtrlKeyboard() override;

  virtual bool Create(tagHfcCtrlKeyboardParam* param, int id, int userValue);
  bool OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonUp(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseMove(CHfcMouse* m, int x, int y, int mods) override;
  void OnHfcMouseLostCapture(CHfcMouse* m) override;
  void Destroy() override;
  void Draw(CHfcDrawContext* dc) override;
  void Update(bool all, bool flush) override;
  // Note (bit 31: lit) of a key on this keyboard.
  void SetIntValue(int value, bool redraw) override;

  void KeyOn(int key);
  void KeyOff(int key);
  // Key index under a control-local point, -1 outside or on no key.
  int GetNoteByPosition(int x, int y) const;
  uint32_t GetSegmentState(int segment) const;

 private:
  int KeyAt(int x, int y) const;
  void ReportNote(int key, bool on);

  tagHfcCtrlKeyboardParam m_param{};
  int32_t m_iCurrentKey = kNoKey;
  int32_t m_iPreviousKey = kNoKey;
  std::vector<uint32_t> m_segmentStates;
  tagHfcRect m_rcDirty{0, 0, 0, 0};
};
