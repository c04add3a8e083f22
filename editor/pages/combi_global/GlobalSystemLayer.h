#pragma once
// The global system page: master tune, transpose, curves, EQ offsets,
// memory protection, MIDI settings and the controller inputs, each control
// linked to its global parameter. The master tune label shows the tuning
// in hertz and is rewritten after every synchronisation.
#include <string>

#include "editor/pages/combi_global/GlobalPageLayerBase.h"

class GlobalSystemLayer : public GlobalPageLayerBase {
 public:
  static constexpr int kMasterTuneLabelId = 0x100001;
  static constexpr int kMasterTuneId = static_cast<int>(0x80000100u);
  static constexpr int kMasterTuneMin = -50;
  static constexpr int kMasterTuneCount = 101;
  static const float kMasterTuneTable[kMasterTuneCount];

  // "Master Tune [440.00Hz]" for 0; a value outside -50..+50 shows the
  // nearest end of the table.
  static std::string MasterTuneText(int value);

  void OnPostSynchronizeControlWithParam(CHfcControl* control, Oskend::ISection* section,
                                         int pid) override;
  void GetMenuItemInfoList(std::list<MenuItemInfo>& list) override;
  virtual bool CreateSetupControls() = 0;
  void UpdateMasterTuneLabel();

 protected:
  explicit GlobalSystemLayer(Oskend::IRemoteSynth* synth);
};
