#include "plugin/AudioEffectX.h"

intptr_t AudioEffectX::dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                  float opt) {
  switch (opcode) {
    case effProcessEvents: return ptr ? processEvents(static_cast<VstEvents*>(ptr)) : 0;
    case effCanBeAutomated: return canParameterBeAutomated(index) ? 1 : 0;
    case effGetProgramNameIndexed:
      return ptr && getProgramNameIndexed(static_cast<int32_t>(value), index,
                                          static_cast<char*>(ptr))
                 ? 1
                 : 0;
    case effGetInputProperties:
      return ptr && getInputProperties(index, static_cast<VstPinProperties*>(ptr)) ? 1 : 0;
    case effGetOutputProperties:
      return ptr && getOutputProperties(index, static_cast<VstPinProperties*>(ptr)) ? 1 : 0;
    case effGetPlugCategory: return getPlugCategory();
    case effSetBypass: return setBypass(value != 0) ? 1 : 0;
    case effGetEffectName: return ptr && getEffectName(static_cast<char*>(ptr)) ? 1 : 0;
    case effGetVendorString: return ptr && getVendorString(static_cast<char*>(ptr)) ? 1 : 0;
    case effGetProductString: return ptr && getProductString(static_cast<char*>(ptr)) ? 1 : 0;
    case effGetVendorVersion: return getVendorVersion();
    case effVendorSpecific: return vendorSpecific(index, value, ptr, opt);
    case effCanDo: return canDo(static_cast<char*>(ptr));
    case effGetTailSize: return getGetTailSize();
    case effKeysRequired: return keysRequired() ? 0 : 1;
    case effGetVstVersion: return getVstVersion();
    case effSetEditKnobMode: return 0;
    default: return AudioEffect::dispatcher(opcode, index, value, ptr, opt);
  }
}

bool AudioEffectX::wantEvents(int32_t filter) {
  return CallHost(audioMasterWantMidi, 0, filter) != 0;
}

bool AudioEffectX::sendVstEventsToHost(VstEvents* events) {
  return CallHost(audioMasterProcessEvents, 0, 0, events) == 1;
}

bool AudioEffectX::getHostProductString(char* text) {
  return CallHost(audioMasterGetProductString, 0, 0, text) != 0;
}

int32_t AudioEffectX::getHostVendorVersion() {
  return static_cast<int32_t>(CallHost(audioMasterGetVendorVersion));
}

bool AudioEffectX::updateDisplay() { return CallHost(audioMasterUpdateDisplay) != 0; }

bool AudioEffectX::beginEdit(int32_t index) { return CallHost(audioMasterBeginEdit, index) != 0; }

bool AudioEffectX::endEdit(int32_t index) { return CallHost(audioMasterEndEdit, index) != 0; }
