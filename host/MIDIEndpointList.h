#pragma once
// A snapshot of the machine's MIDI sources and destinations, in the
// system's order, taken at construction.
#include <vector>

#include "os/midi/Types.h"

using MIDIEndpointRef = os::midi::EndpointId;

class MIDIEndpointList {
 public:
  MIDIEndpointList();  // from the installed MIDI system
  MIDIEndpointList(std::vector<MIDIEndpointRef> sources, std::vector<MIDIEndpointRef> dests);

  int GetSourceCount() const { return static_cast<int>(sources_.size()); }
  int GetDestCount() const { return static_cast<int>(dests_.size()); }
  // Out of range: NRXIfNotException.
  MIDIEndpointRef GetSource(int index) const;
  MIDIEndpointRef GetDest(int index) const;
  // The first equal entry; none: NRXIfNotException "index >= 0".
  int GetIndexOfSource(MIDIEndpointRef e) const;
  int GetIndexOfDest(MIDIEndpointRef e) const;

 private:
  std::vector<MIDIEndpointRef> sources_;
  std::vector<MIDIEndpointRef> dests_;
};
