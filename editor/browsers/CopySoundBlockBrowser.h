#pragma once
// The shape of the dialogs that copy one block (oscillator, LFO, envelope)
// of a stored program into the program being edited: source bank, program
// and block, destination block, OK and Cancel.
#include <vector>

#include "editor/browsers/BlueDialogBase.h"

class CopySoundBlockBrowser : public BlueDialogBase {
 public:
  static constexpr int kBankId = 0;
  static constexpr int kProgramId = 1;
  static constexpr int kSourceBlockId = 2;
  static constexpr int kDestinationBlockId = 3;

  CopySoundBlockBrowser(Oskend::IRemoteSynth* synth, const std::string& title,
                        std::vector<const char*> blocks, int command, const char* failure)
      : BlueDialogBase(synth, title),
        m_blocks(std::move(blocks)),
        m_iCommand(command),
        m_pFailure(failure) {}

  bool OnCreate() override;
  void UpdateFromSoundName();
  void OnOK() override;
  void OnHfcCtrlIntValueChanged(CHfcControl* control, int value) override;
  void OnHfcCtrlPtrValueChanged(CHfcControl* control, void* text) override;
  bool OnHfcCtrlMouseLButtonDown(CHfcControl* control, int x, int y, int mods) override;

  const bool* GetBankEnableFlags() const { return m_bankEnable; }

 private:
  std::vector<const char*> m_blocks;
  int m_iCommand;
  const char* m_pFailure;
  bool m_bankEnable[4] = {true, true, true, true};
};
