#pragma once
// Program tab 1, Basic: oscillator mode, scale, half-damper and the key
// zones of OSC1, OSC2 and the hold zone, above the voice-assign sub-page.
// Construction: ProgBasicLayer(synth).
#include "editor/pages/program/ProgEditLayer.h"

class ZubZoneSlopeBar;

class ProgBasicLayer : public ProgEditLayer {
 public:
  explicit ProgBasicLayer(Oskend::IRemoteSynth* synth) : ProgEditLayer(synth) {}

  bool OnCreate() override;
  void OnPostDrawBackground(CHfcOffscreenContext* context) override;
  void OnHfcCtrlIntValueChanged(CHfcControl* control, int value) override;
  void OnHfcCtrlPtrValueChanged(CHfcControl* control, void* value) override;
  void OnPostSynchronizeControlWithParam(CHfcControl* control, Oskend::ISection* section, int pid) override;
  void GetMenuItemInfoList(std::list<MenuItemInfo>& out) override { AppendMenu(kMenuBasic, out); }
  void UpdateControlStatus() override;

  // Bottom and top key of a zone stay in order; always writes.
  void ApplyKeyValueChange(int pid, int value);
  ZubZoneSlopeBar* GetZoneBar(int i) const { return m_bars[i]; }

 private:
  void CreateControls();
  void CreateKeyZoneControls();

  ZubZoneSlopeBar* m_bars[3] = {nullptr, nullptr, nullptr};
};
