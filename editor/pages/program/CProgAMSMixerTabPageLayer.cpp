#include "editor/pages/program/CProgAMSMixerTabPageLayer.h"

#include "hfc/CHfcControl.h"

const char* CProgAMSMixerTabPageLayer::MixerTypeName(int type) {
  static const char* kNames[] = {"A + B", "Amt A x B", "Offset", "Smoothing", "Shape", "Quantize", "Gate Output"};
  return type >= 0 && type < 7 ? kNames[type] : "";
}

void CProgAMSMixerTabPageLayer::UpdateAMSMixerType(int n, int type) {
  if (CHfcControl* heading = GetControlById(n * 256 + 0x9B00))
    heading->SetPtrValue(const_cast<char*>(MixerTypeName(type)), true);
  if (CHfcControl* gate = GetControlById(n * 256 + 0x1009B00)) {
    if (type == 6)
      gate->Show(true);
    else
      gate->Hide(true);
  }
}

void CProgAMSMixerTabPageLayer::UpdateAMSMixerTypeAll() {
  for (int pid : {0x1D00, 0x2D00, 0x1E00, 0x2E00})
    UpdateAMSMixerType((pid >> 8) + 31, GetParamValue(GetTargetMode(), pid));
}

void CProgAMSMixerTabPageLayer::OnIdleSectionReinitialized(Oskend::ISection* section) {
  XESynthLayer::OnIdleSectionReinitialized(section);
  UpdateAMSMixerTypeAll();
}

void CProgAMSMixerTabPageLayer::OnIdleSectionParamChanged(Oskend::ISection* section, int pid) {
  XESynthLayer::OnIdleSectionParamChanged(section, pid);
  if (pid == 0x1D00 || pid == 0x1E00 || pid == 0x2D00 || pid == 0x2E00)
    UpdateAMSMixerType((pid >> 8) + 31, GetParamValue(GetTargetMode(), pid));
}
