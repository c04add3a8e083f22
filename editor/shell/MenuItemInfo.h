#pragma once
// One entry of a page menu: the command id (-1 a separator line) and its
// title. Pages list the constants they offer; the root layer acts on the id.
#include <string>
#include <vector>

struct MenuItemInfo {
  // The command ids, one per constant below.
  enum Id : int {
    kIdSeparator = -1,
    kIdWriteProgram = 1000,
    kIdCopyOscillator = 1001,
    kIdSwapOscillator = 1002,
    kIdCopyEG = 1003,
    kIdCopyLFO = 1004,
    kIdSwapLFO1 = 1005,
    kIdSwapLFO2 = 1006,
    kIdLoad = 1007,
    kIdSave = 1008,
    kIdReceiveAll = 1011,
    kIdTransmitAll = 1012,
    kIdReceiveProg = 1013,
    kIdTransmitProg = 1014,
    kIdReceive1Prog = 1015,
    kIdTransmit1Prog = 1016,
    kIdReceiveBankProg = 1017,
    kIdTransmitBankProg = 1018,
    kIdCopyFromCombi = 1019,
    kIdReceiveCombi = 1020,
    kIdTransmitCombi = 1021,
    kIdReceive1Combi = 1022,
    kIdTransmit1Combi = 1023,
    kIdReceiveBankCombi = 1024,
    kIdTransmitBankCombi = 1025,
    kIdReceiveMulti = 1026,
    kIdTransmitMulti = 1027,
    kIdReceive1Multi = 1028,
    kIdTransmit1Multi = 1029,
    kIdWriteCombination = 1030,
    kIdInitCombination = 1031,
    kIdCopyInsertEffect = 1032,
    kIdSwapInsertEffect = 1033,
    kIdCopyMFXTFX = 1034,
    kIdDrumKitIFXPatch = 1035,
    kIdWriteMulti = 1036,
    kIdCopyArpeggiator = 1037,
    kIdReceiveGlobal = 1038,
    kIdTransmitGlobal = 1039,
    kIdSaveDefault = 1054,
    kIdRestoreData = 1055,
    kIdWriteGlobalSetting = 1056,
    kIdCopyScale = 1057,
    kIdResetMIDICCAssign = 1058,
    kIdRenameExtControlSetup = 1059,
    // Two ids of the range that no command of this synthesizer has: the
    // menu never shows them, whatever a page lists.
    kIdNoCommandA = 1062,
    kIdNoCommandB = 1063,
    kIdAllSoundOff = 1065,
    kIdSelectAutoLoadFile = 1066,
    kIdCopyFromSong = 1067,
    kIdGMInitialize = 1070,
    kIdDeleteSong = 1071,
    kIdCopyFromProgram = 1072,
    kIdRemoveProgramFromCat = 1073,
  };

  int id = kIdSeparator;
  int reserved = 0;
  std::string title;

  static const MenuItemInfo kMenuItemInfo_Separator;
  static const MenuItemInfo kMenuItemInfo_WriteProgram;
  static const MenuItemInfo kMenuItemInfo_CopyOscillator;
  static const MenuItemInfo kMenuItemInfo_SwapOscillator;
  static const MenuItemInfo kMenuItemInfo_CopyEG;
  static const MenuItemInfo kMenuItemInfo_CopyLFO;
  static const MenuItemInfo kMenuItemInfo_SwapLFO1;
  static const MenuItemInfo kMenuItemInfo_SwapLFO2;
  static const MenuItemInfo kMenuItemInfo_Load;
  static const MenuItemInfo kMenuItemInfo_Save;
  static const MenuItemInfo kMenuItemInfo_ReceiveAll;
  static const MenuItemInfo kMenuItemInfo_TransmitAll;
  static const MenuItemInfo kMenuItemInfo_ReceiveProg;
  static const MenuItemInfo kMenuItemInfo_TransmitProg;
  static const MenuItemInfo kMenuItemInfo_Receive1Prog;
  static const MenuItemInfo kMenuItemInfo_Transmit1Prog;
  static const MenuItemInfo kMenuItemInfo_ReceiveBankProg;
  static const MenuItemInfo kMenuItemInfo_TransmitBankProg;
  static const MenuItemInfo kMenuItemInfo_CopyFromCombi;
  static const MenuItemInfo kMenuItemInfo_ReceiveCombi;
  static const MenuItemInfo kMenuItemInfo_TransmitCombi;
  static const MenuItemInfo kMenuItemInfo_Receive1Combi;
  static const MenuItemInfo kMenuItemInfo_Transmit1Combi;
  static const MenuItemInfo kMenuItemInfo_ReceiveBankCombi;
  static const MenuItemInfo kMenuItemInfo_TransmitBankCombi;
  static const MenuItemInfo kMenuItemInfo_ReceiveMulti;
  static const MenuItemInfo kMenuItemInfo_TransmitMulti;
  static const MenuItemInfo kMenuItemInfo_Receive1Multi;
  static const MenuItemInfo kMenuItemInfo_Transmit1Multi;
  static const MenuItemInfo kMenuItemInfo_WriteCombination;
  static const MenuItemInfo kMenuItemInfo_InitCombination;
  static const MenuItemInfo kMenuItemInfo_CopyInsertEffect;
  static const MenuItemInfo kMenuItemInfo_SwapInsertEffect;
  static const MenuItemInfo kMenuItemInfo_CopyMFXTFX;
  static const MenuItemInfo kMenuItemInfo_DrumKitIFXPatch;
  static const MenuItemInfo kMenuItemInfo_WriteMulti;
  static const MenuItemInfo kMenuItemInfo_CopyArpeggiator;
  static const MenuItemInfo kMenuItemInfo_ReceiveGlobal;
  static const MenuItemInfo kMenuItemInfo_TransmitGlobal;
  static const MenuItemInfo kMenuItemInfo_SaveDefault;
  static const MenuItemInfo kMenuItemInfo_RestoreData;
  static const MenuItemInfo kMenuItemInfo_WriteGlobalSetting;
  static const MenuItemInfo kMenuItemInfo_CopyScale;
  static const MenuItemInfo kMenuItemInfo_ResetMIDICCAssign;
  static const MenuItemInfo kMenuItemInfo_RenameExtControlSetup;
  static const MenuItemInfo kMenuItemInfo_AllSoundOff;
  static const MenuItemInfo kMenuItemInfo_SelectAutoLoadFile;
  static const MenuItemInfo kMenuItemInfo_CopyFromSong;
  static const MenuItemInfo kMenuItemInfo_GMInitialize;
  static const MenuItemInfo kMenuItemInfo_DeleteSong;
  static const MenuItemInfo kMenuItemInfo_CopyFromProgram;
  static const MenuItemInfo kMenuItemInfo_RemoveProgramFromCat;

  // Every constant, in id order (the separator first).
  static const std::vector<const MenuItemInfo*>& All();
};
