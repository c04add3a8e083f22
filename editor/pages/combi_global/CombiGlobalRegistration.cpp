#include "editor/pages/combi_global/CombiGlobalRegistration.h"

#include "editor/pages/combi_global/CombiGlobalMainPages.h"
#include "editor/shell/RootMainPages.h"

namespace {

std::vector<CTabPageLayer*> MakePerformancePages(Oskend::IRemoteSynth* synth, IEditTabSelector*) {
  return CreatePerformanceTabPages(synth);
}

std::vector<CTabPageLayer*> MakeGlobalPages(Oskend::IRemoteSynth* synth, IEditTabSelector*) {
  return CreateGlobalTabPages(synth);
}

}  // namespace

void RegisterCombiGlobalMainPages() {
  SetMainPagesFactory(eMainStrip::kPerformance, &MakePerformancePages);
  SetMainPagesFactory(eMainStrip::kGlobal, &MakeGlobalPages);
}
