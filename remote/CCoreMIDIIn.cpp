#include "remote/CCoreMIDIIn.h"

#include "os/midi/System.h"
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
    os::midi::Status st = os::midi::System::Current().CreateClient("MIDIClient", &client_);
    if (st != os::midi::kOk) throw NRXMacOSException(st, "CreateClient");
    st = client_->CreateInputPort(
        "Input Port", [this](const os::midi::PacketList& list) { OnRead(list); }, &port_);
    if (st != os::midi::kOk) throw NRXMacOSException(st, "CreateInputPort");
    const os::midi::EndpointId source = CoreMIDIEndpoint::EndpointFromKey(key);
    if (source == 0) {
      Close();
      return false;
    }
    mutex_.Lock();
    parser_.Reset();
    callback_ = callback;
    mutex_.Unlock();
    st = port_->ConnectSource(source);
    if (st != os::midi::kOk) throw NRXMacOSException(st, "ConnectSource");
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
