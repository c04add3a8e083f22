#include "model/COskendTFXFXSectionImpl.h"

#include "fxcatalog/FxTypeLists.h"
#include "model/InitChunks.h"

COskendTFXFXSectionImpl::COskendTFXFXSectionImpl()
    : COskendAutomatedFXSectionImpl(Oskend::TABLEARRAY_FX_TFX, Oskend::kTfxTypeCount,
                                    Oskend::VINITCHUNK_FX_TFX(),
                                    {0xC05, 0xC08, 0xC0B, 0x1C05, 0x1C08, 0x1C0B}, false) {}
