#pragma once
// The numbered utility operations of IRemoteSynth::ExecCommand. The numbers
// are the interface (pages and the plug-in pass them on); numbers without a
// name here are refused.
namespace Oskend {

enum eRemoteSynthCommand : int {
  kCmdTransmitAll = 1,         // the whole image to the hardware
  kCmdReceiveAll = 2,          // the whole image from the hardware
  kCmdSendSelection = 3,       // a1 kind, a2 bank, a3 number, a4 flags
  kCmdRequestSelection = 4,    // a1 kind, a2 bank, a3 number, a4 flags
  kCmdWriteCurrentSound = 5,   // a1 kind, a2 bank, a3 number
  kCmdCopyOscillator = 6,      // a1 bank, a2 number, a3 source, a4 target oscillator
  kCmdSwapOscillators = 7,     // double-oscillator programs only
  kCmdWriteUncategorised = 8,  // category 6 ("USER"), then write the current program
  kCmdCopyEG = 9,              // a1 bank, a2 number, a3 source, a4 target envelope
  kCmdCopyLFO = 10,            // a1 bank, a2 number, a3 source, a4 target LFO
  kCmdSwapLFOsOfOSC1 = 11,
  kCmdSwapLFOsOfOSC2 = 12,
  kCmdCopyInsertEffect = 14,   // a2 bank, a3 number of the source program
  kCmdSwapInsertEffects = 15,  // a1, a2 the two slots
  kCmdCopyMasterEffects = 16,  // a1 source kind, a2 bank, a3 number, a4 parts
  kCmdInitCombination = 18,
  kCmdTransmitGlobal = 25,
  kCmdReceiveGlobal = 26,
  kCmdCopyScale = 27,     // a1 source, a2 key, a3 target
  kCmdSaveSettings = 47,  // every editor setting to the preferences
  kCmdNothing = 48,       // does nothing and succeeds
};

}  // namespace Oskend
