#include "editor/pages/program/ProgramMainPages.h"

#include "editor/pages/program/ProgramPageFactory.h"
#include "editor/shell/RootMainPages.h"

namespace {

std::vector<CTabPageLayer*> MakeProgramPages(Oskend::IRemoteSynth* synth, IEditTabSelector* selector) {
  std::vector<CTabPageLayer*> pages;
  for (std::unique_ptr<CTabPageLayer>& page : CreateProgramTabPages(synth, selector)) pages.push_back(page.release());
  return pages;
}

}  // namespace

void RegisterProgramMainPages() { SetMainPagesFactory(eMainStrip::kProgram, &MakeProgramPages); }
