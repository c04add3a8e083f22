// The menu commands: every constant with its id and title, byte for byte.
#include <gtest/gtest.h>

#include <list>
#include <set>

#include "editor/shell/MenuItemInfo.h"

namespace {

struct MenuCase {
  const MenuItemInfo* item;
  int id;
  const char* title;
};

const MenuCase kMenu[] = {
    {&MenuItemInfo::kMenuItemInfo_Separator, -1, "Separator"},
    {&MenuItemInfo::kMenuItemInfo_WriteProgram, 1000, "Write Program..."},
    {&MenuItemInfo::kMenuItemInfo_CopyOscillator, 1001, "Copy Oscillator"},
    {&MenuItemInfo::kMenuItemInfo_SwapOscillator, 1002, "Swap Oscillator"},
    {&MenuItemInfo::kMenuItemInfo_CopyEG, 1003, "Copy EG"},
    {&MenuItemInfo::kMenuItemInfo_CopyLFO, 1004, "Copy LFO"},
    {&MenuItemInfo::kMenuItemInfo_SwapLFO1, 1005, "Swap LFO 1&2 of OSC1"},
    {&MenuItemInfo::kMenuItemInfo_SwapLFO2, 1006, "Swap LFO 1&2 of OSC2"},
    {&MenuItemInfo::kMenuItemInfo_Load, 1007, "Load..."},
    {&MenuItemInfo::kMenuItemInfo_Save, 1008, "Save..."},
    {&MenuItemInfo::kMenuItemInfo_ReceiveAll, 1011, "Receive All"},
    {&MenuItemInfo::kMenuItemInfo_TransmitAll, 1012, "Transmit All"},
    {&MenuItemInfo::kMenuItemInfo_ReceiveProg, 1013, "Receive All Prog"},
    {&MenuItemInfo::kMenuItemInfo_TransmitProg, 1014, "Transmit All Prog"},
    {&MenuItemInfo::kMenuItemInfo_Receive1Prog, 1015, "Receive Current Prog"},
    {&MenuItemInfo::kMenuItemInfo_Transmit1Prog, 1016, "Transmit Current Prog"},
    {&MenuItemInfo::kMenuItemInfo_ReceiveBankProg, 1017, "Receive Current Prog Bank"},
    {&MenuItemInfo::kMenuItemInfo_TransmitBankProg, 1018, "Transmit Current Prog Bank"},
    {&MenuItemInfo::kMenuItemInfo_CopyFromCombi, 1019, "Copy From Combi"},
    {&MenuItemInfo::kMenuItemInfo_ReceiveCombi, 1020, "Receive All Performance"},
    {&MenuItemInfo::kMenuItemInfo_TransmitCombi, 1021, "Transmit All Performance"},
    {&MenuItemInfo::kMenuItemInfo_Receive1Combi, 1022, "Receive Current Performance"},
    {&MenuItemInfo::kMenuItemInfo_Transmit1Combi, 1023, "Transmit Current Performance"},
    {&MenuItemInfo::kMenuItemInfo_ReceiveBankCombi, 1024, "Receive Current Performance Bank"},
    {&MenuItemInfo::kMenuItemInfo_TransmitBankCombi, 1025, "Transmit Current Performance Bank"},
    {&MenuItemInfo::kMenuItemInfo_ReceiveMulti, 1026, "Receive All SEQ"},
    {&MenuItemInfo::kMenuItemInfo_TransmitMulti, 1027, "Transmit All SEQ"},
    {&MenuItemInfo::kMenuItemInfo_Receive1Multi, 1028, "Receive 1 SEQ"},
    {&MenuItemInfo::kMenuItemInfo_Transmit1Multi, 1029, "Transmit 1 SEQ"},
    {&MenuItemInfo::kMenuItemInfo_WriteCombination, 1030, "Store Performance"},
    {&MenuItemInfo::kMenuItemInfo_InitCombination, 1031, "Initialize Performance"},
    {&MenuItemInfo::kMenuItemInfo_CopyInsertEffect, 1032, "Copy Insert Effect"},
    {&MenuItemInfo::kMenuItemInfo_SwapInsertEffect, 1033, "Swap Insert Effect"},
    {&MenuItemInfo::kMenuItemInfo_CopyMFXTFX, 1034, "Copy MFX/EQ"},
    {&MenuItemInfo::kMenuItemInfo_DrumKitIFXPatch, 1035, "Drum Kit IFX Patch"},
    {&MenuItemInfo::kMenuItemInfo_WriteMulti, 1036, "Write SEQ..."},
    {&MenuItemInfo::kMenuItemInfo_CopyArpeggiator, 1037, "Copy Arpeggiator"},
    {&MenuItemInfo::kMenuItemInfo_ReceiveGlobal, 1038, "Receive Global Data"},
    {&MenuItemInfo::kMenuItemInfo_TransmitGlobal, 1039, "Transmit Global Data"},
    {&MenuItemInfo::kMenuItemInfo_SaveDefault, 1054, "Save as Default"},
    {&MenuItemInfo::kMenuItemInfo_RestoreData, 1055, "Restore Data"},
    {&MenuItemInfo::kMenuItemInfo_WriteGlobalSetting, 1056, "Write Global Setting"},
    {&MenuItemInfo::kMenuItemInfo_CopyScale, 1057, "Copy Scale"},
    {&MenuItemInfo::kMenuItemInfo_ResetMIDICCAssign, 1058, "Reset Controller MIDI Assign"},
    {&MenuItemInfo::kMenuItemInfo_RenameExtControlSetup, 1059, "Rename External Setup"},
    {&MenuItemInfo::kMenuItemInfo_AllSoundOff, 1065, "All Sound Off"},
    {&MenuItemInfo::kMenuItemInfo_SelectAutoLoadFile, 1066, "Select Auto Load File"},
    {&MenuItemInfo::kMenuItemInfo_CopyFromSong, 1067, "Copy From Song"},
    {&MenuItemInfo::kMenuItemInfo_GMInitialize, 1070, "GM Initialize"},
    {&MenuItemInfo::kMenuItemInfo_DeleteSong, 1071, "Delete Song"},
    {&MenuItemInfo::kMenuItemInfo_CopyFromProgram, 1072, "Copy From Program"},
    {&MenuItemInfo::kMenuItemInfo_RemoveProgramFromCat, 1073, "Remove Program (from Category)"},
};

TEST(MenuItemInfoTest, EveryCommandHasItsIdAndTitle) {
  EXPECT_EQ(std::size(kMenu), 52u);
  ASSERT_EQ(MenuItemInfo::All().size(), std::size(kMenu));
  std::set<int> ids;
  for (const MenuCase& c : kMenu) {
    EXPECT_EQ(c.item->id, c.id) << c.title;
    EXPECT_EQ(c.item->reserved, 0);
    EXPECT_EQ(c.item->title, c.title);
    EXPECT_TRUE(ids.insert(c.id).second) << c.id;
  }
  for (int unassigned : {1009, 1010, 1040, 1053, 1060, 1064, 1068, 1069})
    EXPECT_EQ(ids.count(unassigned), 0u) << unassigned;
}

TEST(MenuItemInfoTest, APageMenuIsAListOfCopies) {
  std::list<MenuItemInfo> menu{MenuItemInfo::kMenuItemInfo_WriteProgram,
                               MenuItemInfo::kMenuItemInfo_Separator,
                               MenuItemInfo::kMenuItemInfo_Load};
  menu.front().title = "changed";
  EXPECT_EQ(MenuItemInfo::kMenuItemInfo_WriteProgram.title, "Write Program...");
  EXPECT_EQ(menu.back().title, "Load...");
}

}  // namespace
