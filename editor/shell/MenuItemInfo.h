#pragma once
// One entry of a page menu: the command id (-1 a separator line) and its
// title. Pages list the constants they offer; the root layer acts on the id.
#include <string>
#include <vector>

struct MenuItemInfo {
  int id = -1;
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
