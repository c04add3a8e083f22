#include "host/MIDIEndpointList.h"

#include <algorithm>

#include "os/midi/System.h"
#include "platform/NRXException.h"

MIDIEndpointList::MIDIEndpointList() {
  os::midi::System& sys = os::midi::System::Current();
  const size_t ns = sys.SourceCount();
  for (size_t i = 0; i < ns; ++i) sources_.push_back(sys.Source(i));
  const size_t nd = sys.DestinationCount();
  for (size_t i = 0; i < nd; ++i) dests_.push_back(sys.Destination(i));
}

MIDIEndpointList::MIDIEndpointList(std::vector<MIDIEndpointRef> sources,
                                   std::vector<MIDIEndpointRef> dests)
    : sources_(std::move(sources)), dests_(std::move(dests)) {}

MIDIEndpointRef MIDIEndpointList::GetSource(int index) const {
  if (!(0 <= index && index < GetSourceCount()))
    throw NRXIfNotException("0 <= inIndex && inIndex < mSourceCount", nullptr);
  return sources_[static_cast<size_t>(index)];
}

MIDIEndpointRef MIDIEndpointList::GetDest(int index) const {
  if (!(0 <= index && index < GetDestCount()))
    throw NRXIfNotException("0 <= inIndex && inIndex < mDestCount", nullptr);
  return dests_[static_cast<size_t>(index)];
}

static int IndexIn(const std::vector<MIDIEndpointRef>& v, MIDIEndpointRef e) {
  auto it = std::find(v.begin(), v.end(), e);
  const int index = it == v.end() ? -1 : static_cast<int>(it - v.begin());
  if (!(index >= 0)) throw NRXIfNotException("index >= 0", nullptr);
  return index;
}

int MIDIEndpointList::GetIndexOfSource(MIDIEndpointRef e) const { return IndexIn(sources_, e); }
int MIDIEndpointList::GetIndexOfDest(MIDIEndpointRef e) const { return IndexIn(dests_, e); }
