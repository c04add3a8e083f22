#include "remote/CoreMIDIOut.h"

#include <algorithm>

#include "platform/NRXException.h"
#include "remote/CoreMIDIEndpoint.h"

namespace {
constexpr unsigned kMaxShortBytes = 256;
constexpr uint64_t kCableBytesPerSecond = 3125;
}  // namespace

std::unique_ptr<IMIDIOut> MIDIOutCreate() { return std::make_unique<CoreMIDIOut>(); }

CoreMIDIOut::CoreMIDIOut() = default;

CoreMIDIOut::~CoreMIDIOut() { Close(); }

void CoreMIDIOut::AppendEnumDevices(std::vector<MIDIDevKey>* list) {
  CoreMIDIEndpoint::AppendEnumDevices(list, false);
}

bool CoreMIDIOut::Open(const MIDIDevKey* key, int, int) {
  Close();
  try {
    client_ = CoreMIDIEndpoint::NewClient();
    CoreMIDIEndpoint::Check(client_->CreateOutputPort("Output Port", &port_), "CreateOutputPort");
    const os::midi::EndpointId destination = CoreMIDIEndpoint::EndpointFromKey(key);
    if (destination == 0) {
      Close();
      return false;
    }
    destination_ = destination;
    completion_.Create();
    return true;
  } catch (const NRXException&) {
    Close();
    return false;
  }
}

void CoreMIDIOut::Close() {
  // The client goes first: after it no completion can still be running.
  port_.reset();
  client_.reset();
  destination_ = 0;
  completion_.Destroy();
}

bool CoreMIDIOut::IsOpen() { return port_ && destination_ != 0; }

bool CoreMIDIOut::SendShort(const void* data, unsigned len) {
  if (!IsOpen() || !data || len == 0 || len > kMaxShortBytes) return false;
  os::midi::PacketList list;
  list.Add(0, data, len);
  return port_->Send(destination_, list) == os::midi::kOk;
}

unsigned CoreMIDIOut::SendLongWaitMs(unsigned timeoutMs, unsigned len) {
  if (timeoutMs != kInfinite) return timeoutMs;
  const uint64_t cableMs = (static_cast<uint64_t>(len) * 1000 + kCableBytesPerSecond - 1) /
                           kCableBytesPerSecond;
  return static_cast<unsigned>(std::min<uint64_t>(2 * cableMs + 2000, kInfinite - 1));
}

bool CoreMIDIOut::SendLong(const void* data, unsigned len, unsigned timeoutMs) {
  if (!IsOpen() || !data || len == 0) return false;
  try {
    completion_.Reset();
    completionStatus_ = os::midi::kErrEndpointGone;
    os::midi::SysexId id = 0;
    CoreMIDIEndpoint::Check(client_->SendSysex(
                                destination_, data, len,
                                [this](os::midi::Status s) {
                                  completionStatus_ = s;
                                  completion_.Set();
                                },
                                &id),
                            "SendSysex");
    const bool ended = completion_.Wait(SendLongWaitMs(timeoutMs, len));
    // Not sent in time: what is left stays unsent, so the caller can close
    // the message on the wire.
    if (!ended) client_->CancelSysex(id);
    completion_.Reset();
    return ended && completionStatus_ == os::midi::kOk;
  } catch (const NRXException&) {
    return false;
  }
}
