#include "editor/pages/combi_global/CombiGlobalMainPages.h"

#include "editor/pages/combi_global/CombiMasterFXLayer.h"
#include "editor/pages/combi_global/CombiTimbreParamLayer.h"
#include "editor/pages/combi_global/GlobalCategoryNameLayer.h"
#include "editor/pages/combi_global/GlobalSoftwareSetupLayer.h"
#include "editor/pages/combi_global/GlobalUserScaleLayer.h"
#include "editor/pages/combi_global/OskendGlobalSystemLayer.h"
#include "editor/pages/combi_global/TesraCombiPlayLayer.h"

std::vector<CTabPageLayer*> CreatePerformanceTabPages(Oskend::IRemoteSynth* synth) {
  return {new TesraCombiPlayLayer(synth), new CombiTimbreParamLayer(synth),
          new CombiMasterFXLayer(synth)};
}

std::vector<CTabPageLayer*> CreateGlobalTabPages(Oskend::IRemoteSynth* synth) {
  return {new GlobalSoftwareSetupLayer(synth), new OskendGlobalSystemLayer(synth),
          new GlobalUserScaleLayer(synth), new GlobalCategoryNameLayer(synth)};
}
