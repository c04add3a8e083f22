#include "tests/model/SectionFakes.h"

#include "remote/SXRequest.h"

namespace sectiontest {

int RecordingMIDI::SendParamChange(std::uint8_t section, int id, int value) {
  sent.push_back({section, id, value});
  if (keepWire) wire.push_back(Oskend::SXRequest::ParamChange(channel, section, id, value).Wire());
  return 0;
}

FakeHost::FakeHost() : image(Oskend::CHUNK_REMOTESYNTH::kSize, 0), disp(AsyncDispatchCreate()) {}

FakeHost::~FakeHost() = default;

Oskend::CHUNK_PROG FakeHost::GetProgramFromStorage(Oskend::eBankID b, int n) {
  requestedPrograms.emplace_back(b, n);
  return Image().GetProg(b, n);
}

std::vector<Notice> RecordingSink::Take() {
  std::lock_guard<std::mutex> g(m_lock);
  std::vector<Notice> out;
  out.swap(notices);
  return out;
}

std::vector<int> RecordingSink::Ids(int event) const {
  std::vector<int> ids;
  for (const Notice& n : notices)
    if (n.event == event) ids.push_back(n.id);
  return ids;
}

bool RecordingSink::Has(int event, int id) const {
  for (const Notice& n : notices)
    if (n.event == event && n.id == id) return true;
  return false;
}

}  // namespace sectiontest

#include <cstring>

#include "model/InitChunks.h"

namespace sectiontest {

SectionSet::SectionSet() {
  Oskend::InitAllChunk(host.Image());
  std::memcpy(setupBlock, Oskend::INITCHUNK_SETUP().data(), sizeof setupBlock);
  Oskend::CHUNK_REMOTESYNTH image = host.Image();
  setup.Init(&host, setupBlock, nullptr);
  rtc.Init(&host, &progPlay, &progEdit, &combi, nullptr, &global);
  automation.Init(&host, &rtc, &progPlay, &combi);
  global.Init(&host, &rtc, &progPlay, &progEdit, &combi, image);
  progPlay.Init(&host, &rtc, &progEdit, image);
  progEdit.Init(&host, &rtc, &progPlay, image);
  combi.Init(&host, &rtc, image, &progPlay, &progEdit);
}

}  // namespace sectiontest
