#include "remote/CCoreMIDIIn.h"

#include "platform/NRXException.h"
#include "remote/CoreMIDIEndpoint.h"

std::unique_ptr<IMIDIIn> MIDIInCreate() { return std::make_unique<CCoreMIDIIn>(); }

CCoreMIDIIn::CCoreMIDIIn() { mutex_.Create(); }

CCoreMIDIIn::~CCoreMIDIIn() {
  Close();
  mutex_.Destroy();
}

void CCoreMIDIIn::AppendEnumDevices(std::vector<MIDIDevKey>* list) {
  CoreMIDIEndpoint::AppendEnumDevices(list, true);
}

bool CCoreMIDIIn::Open(const MIDIDevKey* key, IMIDIInCallback* callback, int, int) {
  Close();
  try {
    client_ = CoreMIDIEndpoint::NewClient();
    CoreMIDIEndpoint::Check(
        client_->CreateInputPort(
            "Input Port", [this](const os::midi::PacketList& list) { OnRead(list); }, &port_),
        "CreateInputPort");
    const os::midi::EndpointId source = CoreMIDIEndpoint::EndpointFromKey(key);
    if (source == 0) {
      Close();
      return false;
    }
    mutex_.Lock();
    parser_.Reset();
    callback_ = callback;
    mutex_.Unlock();
    CoreMIDIEndpoint::Check(port_->ConnectSource(source), "ConnectSource");
    source_ = source;
    return true;
  } catch (const NRXException&) {
    Close();
    return false;
  }
}

void CCoreMIDIIn::Close() {
  // Without the mutex: ending the port waits for a read in progress, which
  // holds it.
  port_.reset();
  client_.reset();
  source_ = 0;
  mutex_.Lock();
  callback_ = nullptr;
  parser_.Reset();
  mutex_.Unlock();
}

bool CCoreMIDIIn::IsOpen() { return port_ && source_ != 0; }

void CCoreMIDIIn::OnRead(const os::midi::PacketList& list) {
  mutex_.Lock();
  parser_.ParseList(list, this, callback_);
  mutex_.Unlock();
}
