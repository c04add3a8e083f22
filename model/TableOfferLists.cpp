// Choices offered to the effect-type and modulation-source browsers.
#include "model/SectionTables.h"

namespace Oskend {

namespace {
constinit const uint8_t typeIFX1[135] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
constinit const uint8_t typeIFX2[135] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
constinit const uint8_t typeEG[51] = {1, 1, 1, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0};
constinit const uint8_t typeEGReset[51] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0};
constinit const uint8_t typeCommonLFO[51] = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0};
constinit const uint8_t typeReset2[51] = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
constinit const uint8_t typeLFO[51] = {1, 1, 1, 1, 1, 1, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0};
constinit const uint8_t typeLFOInt[51] = {1, 1, 1, 1, 1, 1, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0};
constinit const uint8_t typePitch[51] = {1, 1, 1, 0, 1, 1, 0, 0, 1, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0};
constinit const uint8_t typeFilterEGInt[51] = {1, 1, 1, 0, 0, 0, 0, 0, 1, 0, 0, 1, 1, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0};
constinit const uint8_t typeCommonLFOInt[51] = {1, 1, 1, 1, 1, 1, 1, 1, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0};
constinit const uint8_t typeFilterMod[51] = {1, 1, 1, 1, 0, 1, 0, 0, 0, 0, 0, 1, 1, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0};
constinit const uint8_t typeAmp[51] = {1, 1, 1, 1, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0};
constinit const uint8_t typeAMSMixer1[51] = {1, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0};
constinit const uint8_t typeAMSMixer2[51] = {1, 1, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0};
}  // namespace

constinit const SOfferList TABLE_FXTYPELIST[10] = {
    {2, 0x0200, typeIFX1},
    {2, 0x0201, typeIFX2},
    {2, 0x0202, typeIFX2},
    {2, 0x0203, typeIFX2},
    {2, 0x0204, typeIFX2},
    {0, 0x1200, typeIFX1},
    {0, 0x1201, typeIFX2},
    {0, 0x1202, typeIFX2},
    {0, 0x1203, typeIFX2},
    {0, 0x1204, typeIFX2},
};
constinit const SOfferList TABLE_AMSSRCLIST[104] = {
    {3, 0x0E08, typeEG},
    {3, 0x0E0C, typeEG},
    {3, 0x0E10, typeEG},
    {3, 0x0E18, typeEGReset},
    {3, 0x0F05, typeCommonLFO},
    {3, 0x0F09, typeCommonLFO},
    {3, 0x0F0B, typeCommonLFO},
    {3, 0x0F08, typeReset2},
    {3, 0x1106, typeLFO},
    {3, 0x110B, typeLFO},
    {3, 0x110D, typeLFO},
    {3, 0x110F, typeLFO},
    {3, 0x1206, typeLFOInt},
    {3, 0x120B, typeLFOInt},
    {3, 0x120D, typeLFOInt},
    {3, 0x120F, typeLFOInt},
    {3, 0x1307, typeEG},
    {3, 0x1315, typeLFOInt},
    {3, 0x1317, typeLFOInt},
    {3, 0x1303, typePitch},
    {3, 0x1402, typeLFOInt},
    {3, 0x1403, typeLFOInt},
    {3, 0x1401, typeFilterEGInt},
    {3, 0x1404, typeCommonLFOInt},
    {3, 0x1508, typeEGReset},
    {3, 0x1504, typeEGReset},
    {3, 0x150B, typeFilterMod},
    {3, 0x150D, typeFilterMod},
    {3, 0x1608, typeEGReset},
    {3, 0x1604, typeEGReset},
    {3, 0x160B, typeFilterMod},
    {3, 0x160D, typeFilterMod},
    {3, 0x1709, typeEG},
    {3, 0x170D, typeEG},
    {3, 0x1712, typeEG},
    {3, 0x1717, typeEG},
    {3, 0x171C, typeEGReset},
    {3, 0x1906, typeLFOInt},
    {3, 0x1908, typeLFOInt},
    {3, 0x1902, typeAmp},
    {3, 0x1A08, typeEG},
    {3, 0x1A0C, typeEG},
    {3, 0x1A11, typeEG},
    {3, 0x1A16, typeEG},
    {3, 0x1A1B, typeEGReset},
    {3, 0x1C01, typeEGReset},
    {3, 0x1D01, typeAMSMixer1},
    {3, 0x1D03, typeAMSMixer1},
    {3, 0x1D0C, typeAMSMixer1},
    {3, 0x1D13, typeAMSMixer1},
    {3, 0x1D14, typeAMSMixer1},
    {3, 0x1E01, typeAMSMixer2},
    {3, 0x1E03, typeAMSMixer2},
    {3, 0x1E0C, typeAMSMixer2},
    {3, 0x1E13, typeAMSMixer2},
    {3, 0x1E14, typeAMSMixer2},
    {3, 0x2106, typeLFO},
    {3, 0x210B, typeLFO},
    {3, 0x210D, typeLFO},
    {3, 0x210F, typeLFO},
    {3, 0x2206, typeLFOInt},
    {3, 0x220B, typeLFOInt},
    {3, 0x220D, typeLFOInt},
    {3, 0x220F, typeLFOInt},
    {3, 0x2307, typeEG},
    {3, 0x2315, typeLFOInt},
    {3, 0x2317, typeLFOInt},
    {3, 0x2303, typePitch},
    {3, 0x2402, typeLFOInt},
    {3, 0x2403, typeLFOInt},
    {3, 0x2401, typeFilterEGInt},
    {3, 0x2404, typeCommonLFOInt},
    {3, 0x2508, typeEGReset},
    {3, 0x2504, typeEGReset},
    {3, 0x250B, typeFilterMod},
    {3, 0x250D, typeFilterMod},
    {3, 0x2608, typeEGReset},
    {3, 0x2604, typeEGReset},
    {3, 0x260B, typeFilterMod},
    {3, 0x260D, typeFilterMod},
    {3, 0x2709, typeEG},
    {3, 0x270D, typeEG},
    {3, 0x2712, typeEG},
    {3, 0x2717, typeEG},
    {3, 0x271C, typeEGReset},
    {3, 0x2906, typeLFOInt},
    {3, 0x2908, typeLFOInt},
    {3, 0x2902, typeAmp},
    {3, 0x2A08, typeEG},
    {3, 0x2A0C, typeEG},
    {3, 0x2A11, typeEG},
    {3, 0x2A16, typeEG},
    {3, 0x2A1B, typeEGReset},
    {3, 0x2C01, typeEGReset},
    {3, 0x2D01, typeAMSMixer1},
    {3, 0x2D03, typeAMSMixer1},
    {3, 0x2D0C, typeAMSMixer1},
    {3, 0x2D13, typeAMSMixer1},
    {3, 0x2D14, typeAMSMixer1},
    {3, 0x2E01, typeAMSMixer2},
    {3, 0x2E03, typeAMSMixer2},
    {3, 0x2E0C, typeAMSMixer2},
    {3, 0x2E13, typeAMSMixer2},
    {3, 0x2E14, typeAMSMixer2},
};

}  // namespace Oskend
