#include "editor/shell/RootMainPages.h"

#include "editor/shell/EditTabPageLayerBase.h"

namespace {

// An edit page that is still to come: named, with its sound mode, and the
// page menu its mode offers, so the utility menu works on it.
class PlaceholderEditPage : public EditTabPageLayerBase {
 public:
  PlaceholderEditPage(Oskend::IRemoteSynth* synth, eMode mode, const char* name)
      : EditTabPageLayerBase(synth, mode) {
    m_name = name;
  }
  void GetMenuItemInfoList(std::list<MenuItemInfo>& items) override {
    using M = MenuItemInfo;
    if (GetTargetMode() == eMode_ProgEdit) {
      items = {M::kMenuItemInfo_WriteProgram,   M::kMenuItemInfo_Separator,
               M::kMenuItemInfo_Load,           M::kMenuItemInfo_Save,
               M::kMenuItemInfo_Separator,      M::kMenuItemInfo_ReceiveAll,
               M::kMenuItemInfo_TransmitAll,    M::kMenuItemInfo_ReceiveProg,
               M::kMenuItemInfo_TransmitProg,   M::kMenuItemInfo_Receive1Prog,
               M::kMenuItemInfo_Transmit1Prog,  M::kMenuItemInfo_ReceiveBankProg,
               M::kMenuItemInfo_TransmitBankProg};
    } else if (GetTargetMode() == eMode_Combi) {
      items = {M::kMenuItemInfo_WriteCombination, M::kMenuItemInfo_Separator,
               M::kMenuItemInfo_Load,             M::kMenuItemInfo_Save,
               M::kMenuItemInfo_Separator,        M::kMenuItemInfo_ReceiveAll,
               M::kMenuItemInfo_TransmitAll,      M::kMenuItemInfo_ReceiveCombi,
               M::kMenuItemInfo_TransmitCombi,    M::kMenuItemInfo_Receive1Combi,
               M::kMenuItemInfo_Transmit1Combi,   M::kMenuItemInfo_ReceiveBankCombi,
               M::kMenuItemInfo_TransmitBankCombi};
    } else {
      items = {M::kMenuItemInfo_ReceiveGlobal, M::kMenuItemInfo_TransmitGlobal,
               M::kMenuItemInfo_Separator, M::kMenuItemInfo_SelectAutoLoadFile};
    }
  }
};

std::vector<CTabPageLayer*> Make(Oskend::IRemoteSynth* synth, eMode mode,
                                 std::initializer_list<const char*> names) {
  std::vector<CTabPageLayer*> pages;
  for (const char* name : names) pages.push_back(new PlaceholderEditPage(synth, mode, name));
  return pages;
}

}  // namespace

std::vector<CTabPageLayer*> CreatePerfMainPages(Oskend::IRemoteSynth* synth) {
  return Make(synth, eMode_Combi,
              {"TesraCombiPlayLayer", "CombiTimbreParamLayer", "CombiMasterFXLayer"});
}

std::vector<CTabPageLayer*> CreateProgMainPages(Oskend::IRemoteSynth* synth) {
  return Make(synth, eMode_ProgEdit,
              {"OskendProgPlayLayer", "ProgBasicLayer", "ProgPitchLayer", "ProgFilterLayer",
               "ProgAmpLayer", "ProgLFOsLayer", "ProgAMSMixKTrkLayer", "ProgInsertFXLayer",
               "ProgMasterFXLayer"});
}

std::vector<CTabPageLayer*> CreateGlobalMainPages(Oskend::IRemoteSynth* synth) {
  return Make(synth, eMode_Global,
              {"GlobalSoftwareSetupLayer", "OskendGlobalSystemLayer", "GlobalUserScaleLayer",
               "GlobalCategoryNameLayer"});
}
