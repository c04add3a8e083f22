#pragma once
// A push button or multi-state switch drawn from a vertical strip of frames.
// It never changes its own value when clicked: it reports the press (value
// with bit 31 set) and the release to its listener, which sets the next
// state with SetIntValue.
#include <cstdint>

#include "hfc/CHfcControl.h"

struct tagHfcCtrlSwitchParam {
  int32_t x, y;
  int32_t width;   // 0: the skin's width
  int32_t height;  // 0: the skin's height / number of frames
  CHfcBmp* skin;
  CHfcBmp* bgBmp;
  int32_t bgX, bgY;
  int32_t states;
};

struct tagHfcCtrlSwitchParamEx : tagHfcCtrlSwitchParam {
  uint8_t oneFramePerState;
  uint8_t disabledFrame;
};

class CHfcCtrlSwitch : public CHfcControl {
 public:
  static constexpr uint32_t kPressed = 0x80000000u;

  CHfcCtrlSwitch() = default;
  ~CHfcCtrlSwitch() override;

  bool Create(tagHfcCtrlSwitchParam* param, int id, int userValue);
  bool CreateEx(tagHfcCtrlSwitchParamEx* param, int id, int userValue);

  bool OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonDoubleClick(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonUp(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseRButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseMove(CHfcMouse* m, int x, int y, int mods) override;
  void OnHfcMouseLostCapture(CHfcMouse* m) override;
  void Initialize() override;
  void Destroy() override;
  void Draw(CHfcDrawContext* dc) override;
  // A negative value shows the pressed look of the minimum state.
  void SetIntValue(int value, bool redraw) override;
  bool OnKeyChar(int chr) override;

  int GetNumStates() const { return m_iStates; }
  int GetNumFrames() const { return m_iFrames; }
  bool IsPressed() const { return m_uPressed != 0; }
  // The strip frame that Draw shows now.
  int GetFrameIndex() const;

 protected:
  bool CreateCommon(tagHfcCtrlSwitchParam* param, int id, int userValue, bool oneFrame,
                    bool disabledFrame);
  // Clears, paints the background and the frame: the text switch draws
  // its text over this.
  void DrawFrame(CHfcDrawContext* dc, bool clearFirst);

  CHfcBmp* m_pSkin = nullptr;
  CHfcBmp* m_pBgBmp = nullptr;
  int32_t m_iBgX = 0;
  int32_t m_iBgY = 0;
  int32_t m_iStates = 0;
  bool m_bOneFramePerState = false;
  bool m_bDisabledFrame = false;
  bool m_bSpaceKey = false;
  int32_t m_iFrames = 0;
  uint32_t m_uPressed = 0;
};
