#include "model/COskendMFX1FXSectionImpl.h"

#include "fxcatalog/FxTypeLists.h"
#include "model/InitChunks.h"

COskendMFX1FXSectionImpl::COskendMFX1FXSectionImpl()
    : COskendAutomatedFXSectionImpl(Oskend::TABLEARRAY_FX_MFX1, Oskend::kMfxTypeCount,
                                    Oskend::VINITCHUNK_FX_MFX1(),
                                    {0x900, 0x901, 0x902, 0x1900, 0x1901, 0x1902}, true) {}
