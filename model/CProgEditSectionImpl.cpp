#include "model/CProgEditSectionImpl.h"

#include "model/CRTCSectionImpl.h"

int CProgEditSectionImpl::GetIndexByParamID(int id) {
  return IsOSCPage(id) ? m_osc.GetIndexByParamID(id) : CSectionImplBaseT::GetIndexByParamID(id);
}

bool CProgEditSectionImpl::GetParamDesc(int id, SParamDesc* out) {
  return IsOSCPage(id) ? m_osc.GetParamDesc(id, out) : CSectionImplBaseT::GetParamDesc(id, out);
}

int CProgEditSectionImpl::GetParamI(int id) {
  return IsOSCPage(id) ? m_osc.GetParamI(id) : CSectionImplBaseT::GetParamI(id);
}

std::string CProgEditSectionImpl::GetParamS(int id) {
  return IsOSCPage(id) ? m_osc.GetParamS(id) : CSectionImplBaseT::GetParamS(id);
}

void CProgEditSectionImpl::OnRcvMIDIParam(int id, int value, eChgSource source) {
  if (IsOSCPage(id))
    m_osc.OnRcvMIDIParam(id, value, source);
  else
    CSectionImplBaseT::OnRcvMIDIParam(id, value, source);
}

void CProgEditSectionImpl::OnReinitialized(const Oskend::SModeChangeInfo* info) {
  PostEvent(kEventReinitialized, 0);
  m_osc.OnReinitialized(info);
  if (m_rtcBase != nullptr) m_rtcBase->OnReinitialized(info);
}

bool CProgEditSectionImpl::FindSectionByPID(int id, Oskend::ISection** out) {
  Oskend::ISection* s = IsOSCPage(id) && id >= 0 ? static_cast<Oskend::ISection*>(&m_osc) : this;
  if (out != nullptr) *out = s;
  return true;
}
