// The editor's menu commands.
#include "editor/shell/MenuItemInfo.h"

const MenuItemInfo MenuItemInfo::kMenuItemInfo_Separator{kIdSeparator, 0, "Separator"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_WriteProgram{kIdWriteProgram, 0, "Write Program..."};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_CopyOscillator{kIdCopyOscillator, 0, "Copy Oscillator"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_SwapOscillator{kIdSwapOscillator, 0, "Swap Oscillator"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_CopyEG{kIdCopyEG, 0, "Copy EG"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_CopyLFO{kIdCopyLFO, 0, "Copy LFO"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_SwapLFO1{kIdSwapLFO1, 0, "Swap LFO 1&2 of OSC1"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_SwapLFO2{kIdSwapLFO2, 0, "Swap LFO 1&2 of OSC2"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_Load{kIdLoad, 0, "Load..."};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_Save{kIdSave, 0, "Save..."};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_ReceiveAll{kIdReceiveAll, 0, "Receive All"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_TransmitAll{kIdTransmitAll, 0, "Transmit All"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_ReceiveProg{kIdReceiveProg, 0, "Receive All Prog"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_TransmitProg{kIdTransmitProg, 0, "Transmit All Prog"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_Receive1Prog{kIdReceive1Prog, 0, "Receive Current Prog"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_Transmit1Prog{kIdTransmit1Prog, 0, "Transmit Current Prog"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_ReceiveBankProg{
    kIdReceiveBankProg, 0, "Receive Current Prog Bank"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_TransmitBankProg{
    kIdTransmitBankProg, 0, "Transmit Current Prog Bank"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_CopyFromCombi{kIdCopyFromCombi, 0, "Copy From Combi"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_ReceiveCombi{kIdReceiveCombi, 0, "Receive All Performance"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_TransmitCombi{kIdTransmitCombi, 0, "Transmit All Performance"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_Receive1Combi{
    kIdReceive1Combi, 0, "Receive Current Performance"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_Transmit1Combi{
    kIdTransmit1Combi, 0, "Transmit Current Performance"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_ReceiveBankCombi{
    kIdReceiveBankCombi, 0, "Receive Current Performance Bank"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_TransmitBankCombi{
    kIdTransmitBankCombi, 0, "Transmit Current Performance Bank"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_ReceiveMulti{kIdReceiveMulti, 0, "Receive All SEQ"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_TransmitMulti{kIdTransmitMulti, 0, "Transmit All SEQ"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_Receive1Multi{kIdReceive1Multi, 0, "Receive 1 SEQ"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_Transmit1Multi{kIdTransmit1Multi, 0, "Transmit 1 SEQ"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_WriteCombination{kIdWriteCombination, 0, "Store Performance"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_InitCombination{
    kIdInitCombination, 0, "Initialize Performance"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_CopyInsertEffect{kIdCopyInsertEffect, 0, "Copy Insert Effect"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_SwapInsertEffect{kIdSwapInsertEffect, 0, "Swap Insert Effect"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_CopyMFXTFX{kIdCopyMFXTFX, 0, "Copy MFX/EQ"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_DrumKitIFXPatch{kIdDrumKitIFXPatch, 0, "Drum Kit IFX Patch"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_WriteMulti{kIdWriteMulti, 0, "Write SEQ..."};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_CopyArpeggiator{kIdCopyArpeggiator, 0, "Copy Arpeggiator"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_ReceiveGlobal{kIdReceiveGlobal, 0, "Receive Global Data"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_TransmitGlobal{kIdTransmitGlobal, 0, "Transmit Global Data"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_SaveDefault{kIdSaveDefault, 0, "Save as Default"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_RestoreData{kIdRestoreData, 0, "Restore Data"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_WriteGlobalSetting{
    kIdWriteGlobalSetting, 0, "Write Global Setting"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_CopyScale{kIdCopyScale, 0, "Copy Scale"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_ResetMIDICCAssign{
    kIdResetMIDICCAssign, 0, "Reset Controller MIDI Assign"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_RenameExtControlSetup{
    kIdRenameExtControlSetup, 0, "Rename External Setup"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_AllSoundOff{kIdAllSoundOff, 0, "All Sound Off"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_SelectAutoLoadFile{
    kIdSelectAutoLoadFile, 0, "Select Auto Load File"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_CopyFromSong{kIdCopyFromSong, 0, "Copy From Song"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_GMInitialize{kIdGMInitialize, 0, "GM Initialize"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_DeleteSong{kIdDeleteSong, 0, "Delete Song"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_CopyFromProgram{kIdCopyFromProgram, 0, "Copy From Program"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_RemoveProgramFromCat{
    kIdRemoveProgramFromCat, 0, "Remove Program (from Category)"};

const std::vector<const MenuItemInfo*>& MenuItemInfo::All() {
  static const std::vector<const MenuItemInfo*> all{
      &kMenuItemInfo_Separator,
      &kMenuItemInfo_WriteProgram,
      &kMenuItemInfo_CopyOscillator,
      &kMenuItemInfo_SwapOscillator,
      &kMenuItemInfo_CopyEG,
      &kMenuItemInfo_CopyLFO,
      &kMenuItemInfo_SwapLFO1,
      &kMenuItemInfo_SwapLFO2,
      &kMenuItemInfo_Load,
      &kMenuItemInfo_Save,
      &kMenuItemInfo_ReceiveAll,
      &kMenuItemInfo_TransmitAll,
      &kMenuItemInfo_ReceiveProg,
      &kMenuItemInfo_TransmitProg,
      &kMenuItemInfo_Receive1Prog,
      &kMenuItemInfo_Transmit1Prog,
      &kMenuItemInfo_ReceiveBankProg,
      &kMenuItemInfo_TransmitBankProg,
      &kMenuItemInfo_CopyFromCombi,
      &kMenuItemInfo_ReceiveCombi,
      &kMenuItemInfo_TransmitCombi,
      &kMenuItemInfo_Receive1Combi,
      &kMenuItemInfo_Transmit1Combi,
      &kMenuItemInfo_ReceiveBankCombi,
      &kMenuItemInfo_TransmitBankCombi,
      &kMenuItemInfo_ReceiveMulti,
      &kMenuItemInfo_TransmitMulti,
      &kMenuItemInfo_Receive1Multi,
      &kMenuItemInfo_Transmit1Multi,
      &kMenuItemInfo_WriteCombination,
      &kMenuItemInfo_InitCombination,
      &kMenuItemInfo_CopyInsertEffect,
      &kMenuItemInfo_SwapInsertEffect,
      &kMenuItemInfo_CopyMFXTFX,
      &kMenuItemInfo_DrumKitIFXPatch,
      &kMenuItemInfo_WriteMulti,
      &kMenuItemInfo_CopyArpeggiator,
      &kMenuItemInfo_ReceiveGlobal,
      &kMenuItemInfo_TransmitGlobal,
      &kMenuItemInfo_SaveDefault,
      &kMenuItemInfo_RestoreData,
      &kMenuItemInfo_WriteGlobalSetting,
      &kMenuItemInfo_CopyScale,
      &kMenuItemInfo_ResetMIDICCAssign,
      &kMenuItemInfo_RenameExtControlSetup,
      &kMenuItemInfo_AllSoundOff,
      &kMenuItemInfo_SelectAutoLoadFile,
      &kMenuItemInfo_CopyFromSong,
      &kMenuItemInfo_GMInitialize,
      &kMenuItemInfo_DeleteSong,
      &kMenuItemInfo_CopyFromProgram,
      &kMenuItemInfo_RemoveProgramFromCat,
  };
  return all;
}
