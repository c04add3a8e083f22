#include "model/COskendMFX2FXSectionImpl.h"

#include "fxcatalog/FxTypeLists.h"
#include "model/InitChunks.h"

COskendMFX2FXSectionImpl::COskendMFX2FXSectionImpl()
    : COskendAutomatedFXSectionImpl(Oskend::TABLEARRAY_FX_MFX2, Oskend::kMfxTypeCount,
                                    Oskend::VINITCHUNK_FX_MFX2(),
                                    {0xA00, 0xA01, 0xA02, 0x1A00, 0x1A01, 0x1A02}, true) {}
