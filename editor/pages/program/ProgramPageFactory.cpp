#include "editor/pages/program/ProgramPageFactory.h"

#include "editor/pages/program/OskendProgPlayLayer.h"
#include "editor/pages/program/ProgAMSMixKTrkLayer.h"
#include "editor/pages/program/ProgAmpLayer.h"
#include "editor/pages/program/ProgBasicLayer.h"
#include "editor/pages/program/ProgFilterLayer.h"
#include "editor/pages/program/ProgInsertFXLayer.h"
#include "editor/pages/program/ProgLFOsLayer.h"
#include "editor/pages/program/ProgMasterFXLayer.h"
#include "editor/pages/program/ProgPitchLayer.h"

std::vector<std::unique_ptr<CTabPageLayer>> CreateProgramTabPages(Oskend::IRemoteSynth* synth,
                                                                  IProgTabSelector* selector) {
  std::vector<std::unique_ptr<CTabPageLayer>> pages;
  pages.emplace_back(new OskendProgPlayLayer(synth, selector));
  pages.emplace_back(new ProgBasicLayer(synth));
  pages.emplace_back(new ProgPitchLayer(synth));
  pages.emplace_back(new ProgFilterLayer(synth));
  pages.emplace_back(new ProgAmpLayer(synth));
  pages.emplace_back(new ProgLFOsLayer(synth));
  pages.emplace_back(new ProgAMSMixKTrkLayer(synth));
  pages.emplace_back(new ProgInsertFXLayer(synth));
  pages.emplace_back(new ProgMasterFXLayer(synth));
  return pages;
}
