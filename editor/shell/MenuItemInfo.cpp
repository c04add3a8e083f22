// The editor's menu commands.
#include "editor/shell/MenuItemInfo.h"

const MenuItemInfo MenuItemInfo::kMenuItemInfo_Separator{-1, 0, "Separator"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_WriteProgram{1000, 0, "Write Program..."};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_CopyOscillator{1001, 0, "Copy Oscillator"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_SwapOscillator{1002, 0, "Swap Oscillator"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_CopyEG{1003, 0, "Copy EG"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_CopyLFO{1004, 0, "Copy LFO"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_SwapLFO1{1005, 0, "Swap LFO 1&2 of OSC1"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_SwapLFO2{1006, 0, "Swap LFO 1&2 of OSC2"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_Load{1007, 0, "Load..."};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_Save{1008, 0, "Save..."};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_ReceiveAll{1011, 0, "Receive All"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_TransmitAll{1012, 0, "Transmit All"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_ReceiveProg{1013, 0, "Receive All Prog"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_TransmitProg{1014, 0, "Transmit All Prog"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_Receive1Prog{1015, 0, "Receive Current Prog"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_Transmit1Prog{1016, 0, "Transmit Current Prog"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_ReceiveBankProg{1017, 0, "Receive Current Prog Bank"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_TransmitBankProg{1018, 0, "Transmit Current Prog Bank"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_CopyFromCombi{1019, 0, "Copy From Combi"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_ReceiveCombi{1020, 0, "Receive All Performance"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_TransmitCombi{1021, 0, "Transmit All Performance"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_Receive1Combi{1022, 0, "Receive Current Performance"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_Transmit1Combi{1023, 0, "Transmit Current Performance"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_ReceiveBankCombi{1024, 0, "Receive Current Performance Bank"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_TransmitBankCombi{1025, 0, "Transmit Current Performance Bank"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_ReceiveMulti{1026, 0, "Receive All SEQ"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_TransmitMulti{1027, 0, "Transmit All SEQ"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_Receive1Multi{1028, 0, "Receive 1 SEQ"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_Transmit1Multi{1029, 0, "Transmit 1 SEQ"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_WriteCombination{1030, 0, "Store Performance"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_InitCombination{1031, 0, "Initialize Performance"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_CopyInsertEffect{1032, 0, "Copy Insert Effect"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_SwapInsertEffect{1033, 0, "Swap Insert Effect"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_CopyMFXTFX{1034, 0, "Copy MFX/EQ"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_DrumKitIFXPatch{1035, 0, "Drum Kit IFX Patch"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_WriteMulti{1036, 0, "Write SEQ..."};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_CopyArpeggiator{1037, 0, "Copy Arpeggiator"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_ReceiveGlobal{1038, 0, "Receive Global Data"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_TransmitGlobal{1039, 0, "Transmit Global Data"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_SaveDefault{1054, 0, "Save as Default"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_RestoreData{1055, 0, "Restore Data"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_WriteGlobalSetting{1056, 0, "Write Global Setting"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_CopyScale{1057, 0, "Copy Scale"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_ResetMIDICCAssign{1058, 0, "Reset Controller MIDI Assign"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_RenameExtControlSetup{1059, 0, "Rename External Setup"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_AllSoundOff{1065, 0, "All Sound Off"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_SelectAutoLoadFile{1066, 0, "Select Auto Load File"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_CopyFromSong{1067, 0, "Copy From Song"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_GMInitialize{1070, 0, "GM Initialize"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_DeleteSong{1071, 0, "Delete Song"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_CopyFromProgram{1072, 0, "Copy From Program"};
const MenuItemInfo MenuItemInfo::kMenuItemInfo_RemoveProgramFromCat{1073, 0, "Remove Program (from Category)"};

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
