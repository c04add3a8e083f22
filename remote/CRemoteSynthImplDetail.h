#pragma once
// What the source files of CRemoteSynthImpl share: block sizes, the places
// in the image and the editor settings they read, and fixed texts.
#include <cstddef>
#include <ios>
#include <string>

#include "model/ChunkRemoteSynth.h"

namespace Oskend::synthimpl {

using L = RemoteSynthLayout;

inline constexpr std::size_t kGlobalSize = CHUNK_GLOBAL::kSize;
inline constexpr std::size_t kProgSize = CHUNK_PROG::kSize;
inline constexpr std::size_t kCombiSize = CHUNK_COMBI::kSize;
// A data stream shorter than this holds nothing to load.
inline constexpr std::streamoff kMinStreamBytes = 5;
inline constexpr std::size_t kLocalControlByte = 1730;  // bit 0: the hardware's Local Control
inline constexpr std::size_t kHardwareOwnByte = 1733;   // sent as the hardware reports it
// The performance's timbre that program mode is entered from (a parameter
// of the performance).
inline constexpr int kCurrentTimbreId = 0x10A;
inline constexpr int kSetupAllSw = static_cast<int>(0x80008100u);
inline constexpr int kSetupProgSw = static_cast<int>(0x80008200u);
inline constexpr int kSetupProgBankSw[4] = {
    static_cast<int>(0x80008300u), static_cast<int>(0x80008400u), static_cast<int>(0x80008500u),
    static_cast<int>(0x80008600u)};
inline constexpr int kSetupCombiSw = static_cast<int>(0x80009100u);
inline constexpr int kSetupAutoLocalCtrl = static_cast<int>(0x8000a800u);
inline constexpr int kSetupAutoLoadData = static_cast<int>(0x8000aa00u);
inline constexpr int kSetupAutoLoadFileName = static_cast<int>(0x8000ab00u);
inline constexpr int kSetupMIDIInName = static_cast<int>(0x8000ac00u);
inline constexpr int kSetupMIDIOutName = static_cast<int>(0x8000ad00u);
inline constexpr int kSetupPlugInMIDIOut = static_cast<int>(0x8000b000u);
inline constexpr int kSetupPrgChgToGUI = static_cast<int>(0x8000b200u);

inline const char* const kProgBankLabels[4] = {"PROGRAM A ", "PROGRAM B ", "PROGRAM C ",
                                               "PROGRAM D "};
inline constexpr char kNotFound[] = "Vesk Hardware not found.\nRescan all the MIDI devices?";
// The question a connection asks about the edits made while the
// synthesizer was away; `writes` when keeping them writes some into its
// memory.
inline std::string EditedWhileAwayText(bool writes) {
  return std::string(
             "The sounds in the editor were changed while the Vesk was away.\n\nOK: keep these "
             "changes and send them to the Vesk") +
         (writes ? "; only what you loaded from data files is written into its memory."
                 : ", without writing them into its memory.") +
         "\nCancel: receive the Vesk's memory instead; the changes are lost.";
}

inline std::string RetryText() {
  return std::string(
             "- If you're using a USB hub, try connecting the Vesk directly to a USB port on the "
             "computer.\n\n- Don't touch the keyboard or the mouse while data dump.\n\nWhen you "
             "lose synchronization, perform ") +
         '"' + "Receive \nAll" + '"' + " in the " + '"' + "Utility" + '"' + " menu.\n\nRetry?";
}

}  // namespace Oskend::synthimpl
