#pragma once
// A level meter drawn from a picture of the fully lit meter: a new level
// shows at once, falls back at the fall rate on idle, and the highest level
// stays marked for the hold time.
#include "spare/CHfcVuMeterBase.h"

struct tagHfcCtrlVerticalVuMeterParam {
  int x = 0, y = 0;
  int width = 1, height = 1;  // 0: the bar picture's size
  CHfcBmp* bar = nullptr;     // the fully lit meter; required
  CHfcBmp* background = nullptr;
  int backgroundX = 0, backgroundY = 0;
  int reserved = 0;
  float minimum = -60.0f;
  float maximum = 0.0f;
  float conversion = 0.0f;  // 0: values are amplitudes shown in decibels
  float fallRate = 3000.0f;  // scale units per second
  int peakHold = 0;          // ms
};

class CHfcCtrlVerticalVuMeter : public CHfcVuMeterBase {
 public:
  CHfcCtrlVerticalVuMeter();
  // False without a record or a bar picture, for an empty scale or an
  // empty frame (both would divide by zero on drawing).
  bool Create(const tagHfcCtrlVerticalVuMeterParam* param, int id, int flags);
  void Draw(CHfcDrawContext* dc) override;
  void OnIdle(int elapsed) override;

  // Pixels lit for a level.
  int LevelPixels(float level) const;

 private:
  tagHfcVuMeterScale Scale() const override;

  tagHfcCtrlVerticalVuMeterParam m_param;
};
