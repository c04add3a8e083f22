#pragma once
// A picture that lights up when its value is set and steps back through
// darker frames as idle time passes: the MIDI activity indicator. The
// frames picture holds frame 0 (dark) up to frame count - 1 (brightest);
// a further frame, when the picture has one, is the disabled look.
#include <cstdint>
#include <vector>

#include "hfc/CHfcControl.h"

class CHfcBmp;

struct tagMMPCtrlFlashParam {
  int32_t x;
  int32_t y;
  int32_t width;   // 0: the frames picture's width
  int32_t height;  // 0: the frames picture's height / (frame count + 1)
  CHfcBmp* frames;
  int32_t backX;
  int32_t backY;
  CHfcBmp* back;
  int32_t frameCount;
  int32_t secondCount;
  int32_t timePerFrame;  // idle milliseconds per frame
  // frameCount values follow; the caller passes them through `values`.
  const int32_t* values;
};

class CMMPCtrlFlash : public CHfcControl {
 public:
  CMMPCtrlFlash() = default;
  ~CMMPCtrlFlash() override;

  bool Create(const tagMMPCtrlFlashParam* param, int id, int flags);
  void Destroy() override;
  void Draw(CHfcDrawContext* context) override;
  void OnIdle(int elapsed) override;
  void SetIntValue(int value, bool redraw) override;
  void OnEnabled() override;
  void OnDisabled() override;
  bool OnHfcMouseLButtonDown(CHfcMouse* mouse, int x, int y, int mods) override;

  int GetFrame() const { return m_iFrame; }
  int GetRemainingTime() const { return m_iRemaining; }

 private:
  // The frame actually copied: never below 0 nor past the last frame the
  // picture holds.
  int DrawnFrame() const;

  CHfcBmp* m_pFrames = nullptr;
  int32_t m_iBackX = 0;
  int32_t m_iBackY = 0;
  CHfcBmp* m_pBack = nullptr;
  int32_t m_iFrameCount = 0;
  int32_t m_iSecondCount = 0;
  int32_t m_iTimePerFrame = 1;
  std::vector<int32_t> m_values;
  int32_t m_iRemaining = 0;
  int32_t m_iFrame = 0;
};
