#pragma once
// A horizontal level meter: the lit bar rises at once, falls at the decay
// rate on idle, and a peak marker stays for the hold time.
#include "spare/CHfcVuMeterBase.h"

struct tagHfcCtrlHorizontalVuMeterParam {
  int x = 0, y = 0;
  int width = 1, height = 1;  // 0: the bar picture's size
  CHfcBmp* bar = nullptr;     // required
  CHfcBmp* background = nullptr;
  int backgroundX = 0, backgroundY = 0;
  int reserved = 0;
  float minimum = -60.0f;
  float maximum = 0.0f;
  float scaleMode = 0.0f;  // 0: values are amplitudes shown in decibels
  float decay = 3000.0f;   // scale units per second
  int peakHold = 0;        // ms
};

class CHfcCtrlHorizontalVuMeter : public CHfcVuMeterBase {
 public:
  static const tagHfcCtrlHorizontalVuMeterParam sm_mInitParam;

  CHfcCtrlHorizontalVuMeter();
  // False without a record or a bar picture, or for an empty scale.
  bool Create(const tagHfcCtrlHorizontalVuMeterParam* param, int id, int flags);
  void Draw(CHfcDrawContext* dc) override;
  void OnIdle(int elapsed) override;

 private:
  tagHfcVuMeterScale Scale() const override;

  tagHfcCtrlHorizontalVuMeterParam m_param;
};
