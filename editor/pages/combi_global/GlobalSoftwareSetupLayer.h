#pragma once
// The software set-up page: the editor's own settings in the set-up
// section (data-sync filters, auto-load file, local control) and the MIDI
// ports used to reach the synthesizer. The port lists are rebuilt on every
// connection change; a choice stores the port's name, which the model uses
// as its preferred port when it next connects.
#include <string>
#include <vector>

#include "editor/pages/combi_global/GlobalPageLayerBase.h"

class XEDropdownList;

class GlobalSoftwareSetupLayer : public GlobalPageLayerBase {
 public:
  static constexpr int kMIDIInListId = static_cast<int>(0xFFFF0001u);
  static constexpr int kMIDIOutListId = static_cast<int>(0xFFFF0002u);
  static constexpr int kMIDIInNameId = static_cast<int>(0x8000ac00u);
  static constexpr int kMIDIOutNameId = static_cast<int>(0x8000ad00u);

  explicit GlobalSoftwareSetupLayer(Oskend::IRemoteSynth* synth);

  bool OnCreate() override;
  void GetMenuItemInfoList(std::list<MenuItemInfo>& list) override;
  void OnRemoteSynthConnectionStateChanged(Oskend::IRemoteSynth* synth, bool connected,
                                           bool flag) override;
  void OnHfcCtrlIntValueChanged(CHfcControl* control, int value) override;
  bool OnHfcCtrlMouseLButtonDown(CHfcControl* control, int x, int y, int mods) override;

  void UpdateMIDIInDevice();
  void UpdateMIDIOutDevice();

  XEDropdownList* GetMIDIInList() const { return m_pMIDIIn; }
  XEDropdownList* GetMIDIOutList() const { return m_pMIDIOut; }

  // One port list: its items and, per item, the port index it stands for
  // (-1: "(none)" or a stored port that is not present).
  struct PortList {
    std::vector<std::string> items;
    std::vector<int> ports;
    int selection = 0;
  };
  static PortList BuildPortList(const std::vector<std::string>& ports, const std::string& connected,
                                const std::string& stored);

 private:
  void Fill(XEDropdownList* list, PortList& model, std::vector<int>& ports);
  void ChoosePort(XEDropdownList* list, const std::vector<int>& ports, bool output, int value);

  void CreateTotalRecallSettingControls();
  void CreateMIDIAudioControls();
  void CreateOtherControls();

  XEDropdownList* m_pMIDIIn = nullptr;
  XEDropdownList* m_pMIDIOut = nullptr;
  std::vector<int> m_inPorts;
  std::vector<int> m_outPorts;
};
