#include "model/COskendAutomationSectionImpl.h"

#include "model/SectionTables.h"

void COskendAutomationSectionImpl::Init(IHostProxy* host, OskendCRTCSectionImpl* rtc,
                                        Oskend::ISoundSection* progPlay,
                                        Oskend::ISoundSection* combi) {
  m_rtc = rtc;
  m_progPlay = progPlay;
  m_combi = combi;
  Bind(host, Oskend::TABLEDESC_AUTOMATION, 0, 0, nullptr, 0, nullptr);
}

Oskend::ISection* COskendAutomationSectionImpl::Owner(int id) {
  Oskend::ISection* s = nullptr;
  if (m_combi == nullptr || !m_combi->FindSectionByPID(id, &s)) return nullptr;
  return s;
}

int COskendAutomationSectionImpl::GetParamI(int id) {
  Oskend::ISection* s = Owner(id);
  return s != nullptr ? s->GetParamI(id) : 0;
}

int COskendAutomationSectionImpl::PutParamI(int id, int value) {
  Oskend::ISection* s = Owner(id);
  return s != nullptr ? s->PutParamI(id, value) : 0;
}

int COskendAutomationSectionImpl::PutParamIEx(int id, int value, unsigned flags,
                                              eChgSource source) {
  Oskend::ISection* s = Owner(id);
  return s != nullptr ? s->PutParamIEx(id, value, flags, source) : 0;
}

std::string COskendAutomationSectionImpl::GetParamS(int id) {
  Oskend::ISection* s = Owner(id);
  return s != nullptr ? s->GetParamS(id) : std::string("error");
}

std::string COskendAutomationSectionImpl::PutParamSEx(int id, const char* text, unsigned flags,
                                                      eChgSource source) {
  Oskend::ISection* s = Owner(id);
  return s != nullptr ? s->PutParamSEx(id, text, flags, source) : sectionrow::EmptyPair();
}
