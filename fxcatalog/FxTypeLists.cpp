// The slot lists copy the descriptors of their types. They are built from
// the row arrays themselves (address and element count), which keeps them
// constant-initialised: a descriptor object of another translation unit
// would only be read at dynamic initialisation, in an unspecified order.
#include "fxcatalog/FxTypeLists.h"

#include "fxcatalog/FxTypeTables.h"

namespace Oskend {

#define ENTRY(key) {TABLE_FXTYPE_##key##_1, sizeof(TABLE_FXTYPE_##key##_1) / sizeof(SParamDesc)}

constinit const TABLEDESC TABLEARRAY_FX[] = {
    ENTRY(nofx),
    ENTRY(cmp),
    ENTRY(redcomp),
    ENTRY(lmt),
    ENTRY(blmt),
    ENTRY(mlmt),
    ENTRY(gate),
    ENTRY(peq),
    ENTRY(geq),
    ENTRY(xct),
    ENTRY(isolator),
    ENTRY(wah),
    ENTRY(vcwah),
    ENTRY(qorwah),
    ENTRY(rflt),
    ENTRY(mmf),
    ENTRY(osc),
    ENTRY(talk),
    ENTRY(deci),
    ENTRY(rec),
    ENTRY(od),
    ENTRY(gcab),
    ENTRY(bcab),
    ENTRY(bamp),
    ENTRY(bampcab),
    ENTRY(treblebooster),
    ENTRY(tubepre),
    ENTRY(stubepre),
    ENTRY(micpre),
    ENTRY(phs),
    ENTRY(smallphase),
    ENTRY(orangephase),
    ENTRY(blackphase),
    ENTRY(uvibe),
    ENTRY(rphs),
    ENTRY(ephs),
    ENTRY(reso),
    ENTRY(trml),
    ENTRY(textrem),
    ENTRY(etrml),
    ENTRY(pan),
    ENTRY(phtr),
    ENTRY(ring),
    ENTRY(peq_xct),
    ENTRY(peq_wah),
    ENTRY(peq_phs),
    ENTRY(cmp_wah),
    ENTRY(cmp_amp),
    ENTRY(cmp_od),
    ENTRY(cmp_peq),
    ENTRY(cmp_phs),
    ENTRY(lmt_peq),
    ENTRY(lmt_phs),
    ENTRY(xct_cmp),
    ENTRY(xct_lmt),
    ENTRY(xct_phs),
    ENTRY(od_amp),
    ENTRY(od_phs),
    ENTRY(wah_amp),
    ENTRY(deci_amp),
    ENTRY(deci_cmp),
    ENTRY(amp_trml),
    ENTRY(organ_vibchs),
    ENTRY(rot),
};

constinit const TABLEDESC TABLEARRAY_FX_MFX1[] = {
    ENTRY(nofx),
    ENTRY(mfx1chorus),
    ENTRY(mfx1flanger),
    ENTRY(mfx1classicchoflg),
    ENTRY(mfx1phaser),
};

constinit const TABLEDESC TABLEARRAY_FX_MFX2[] = {
    ENTRY(nofx),
    ENTRY(mfx2hall),
    ENTRY(mfx2plate),
    ENTRY(mfx2room),
    ENTRY(mfx2delay),
};

constinit const TABLEDESC TABLEARRAY_FX_TFX[] = {
    ENTRY(tfxeq),
};

#undef ENTRY

int GetFXSize(eFxType) { return 1; }

}  // namespace Oskend
