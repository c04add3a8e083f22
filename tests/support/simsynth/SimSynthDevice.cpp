#include "tests/support/simsynth/SimSynthDevice.h"

#include <algorithm>
#include <utility>

#include "os/midi/MessageLength.h"

namespace vesk::test {

namespace {

os::midi::VirtualBus::DeviceDesc DescFor(const SimSynthSettings& s, const std::string& deviceName,
                                         const std::string& model) {
  os::midi::VirtualBus::DeviceDesc desc;
  desc.deviceName = deviceName;
  desc.manufacturer = "TAVO";
  desc.model = model;
  if (s.splitPackets) desc.toHost.maxPacketBytes = s.packetSize ? s.packetSize : 1;
  if (s.slowWire) {
    desc.toHost.bytesPerSecond = s.bytesPerSecond;
    desc.toDevice.bytesPerSecond = s.bytesPerSecond;
  }
  return desc;
}

}  // namespace

SimSynthDevice::SimSynthDevice(os::midi::VirtualBus& bus, SimSynthSettings settings,
                               const std::string& deviceName, const std::string& model)
    : bus_(bus), synth_(settings), device_(bus.AddDevice(DescFor(settings, deviceName, model))) {
  device_->SetReceiver([this](const os::midi::VirtualBus::Received& r) { OnPacket(r); });
}

SimSynthDevice::~SimSynthDevice() { device_->SetReceiver(nullptr); }

void SimSynthDevice::With(const std::function<void(SimSynth&)>& fn) {
  std::lock_guard<std::mutex> g(mutex_);
  fn(synth_);
}

std::vector<SimSynthEvent> SimSynthDevice::Log() {
  std::lock_guard<std::mutex> g(mutex_);
  return synth_.Log();
}

std::vector<uint8_t> SimSynthDevice::Memory() {
  std::lock_guard<std::mutex> g(mutex_);
  return synth_.Memory();
}

size_t SimSynthDevice::MessagesHandled() {
  std::lock_guard<std::mutex> g(mutex_);
  return handled_;
}

std::vector<std::vector<uint8_t>> SimSynthDevice::ShortMessages() {
  std::lock_guard<std::mutex> g(mutex_);
  return shortMessages_;
}

void SimSynthDevice::Emit(const std::vector<uint8_t>& msg) {
  size_t cut, late;
  {
    std::lock_guard<std::mutex> g(mutex_);
    cut = unplugAfterSending_;
    late = LateCycleIn(lateOut_, sent_, msg.size());
    sent_ += msg.size();
  }
  if (cut && cut < msg.size()) {
    device_->Emit(msg.data(), cut);
    Unplug();
    return;
  }
  if (late < msg.size()) {
    // In packets of a JACK event's size, each a list of its own as the
    // wire sends them: the one the mark falls in goes out twice.
    constexpr size_t kPiece = 256;
    for (size_t at = 0; at < msg.size(); at += kPiece) {
      const std::vector<uint8_t> piece(msg.begin() + at, msg.begin() + std::min(at + kPiece, msg.size()));
      device_->EmitList({piece});
      if (late >= at && late < at + kPiece) device_->EmitList({piece});
    }
    return;
  }
  device_->Emit(msg);
}

void SimSynthDevice::Unplug() { device_->Unplug(); }

void SimSynthDevice::UnplugAfterReceiving(size_t bytes) {
  std::lock_guard<std::mutex> g(mutex_);
  unplugAfterReceiving_ = bytes;
}

void SimSynthDevice::UnplugAfterSending(size_t bytes) {
  std::lock_guard<std::mutex> g(mutex_);
  unplugAfterSending_ = bytes;
}

void SimSynthDevice::RunLateAfterReceiving(size_t bytes, bool losesNext) {
  std::lock_guard<std::mutex> g(mutex_);
  lateIn_.push_back({received_ + bytes, losesNext});
}

void SimSynthDevice::RunLateAfterSending(size_t bytes) {
  std::lock_guard<std::mutex> g(mutex_);
  lateOut_.push_back({sent_ + bytes, false});
}

size_t SimSynthDevice::LateCycleIn(std::vector<LateMark>& marks, size_t total, size_t length, bool* losesNext) {
  for (auto it = marks.begin(); it != marks.end(); ++it) {
    if (it->at < total || it->at >= total + length) continue;
    const size_t at = it->at - total;
    if (losesNext) *losesNext = it->losesNext;
    marks.erase(it);
    bus_.NoteLateCycle();
    return at;
  }
  return length;
}

// Delivery thread of the bus: the editor's packets in order.
void SimSynthDevice::OnPacket(const os::midi::VirtualBus::Received& packet) {
  std::vector<std::vector<uint8_t>> messages;
  bool unplug = false;
  {
    std::lock_guard<std::mutex> g(mutex_);
    bool losesNext = false;
    const bool late = LateCycleIn(lateIn_, received_, packet.bytes.size(), &losesNext) < packet.bytes.size();
    received_ += packet.bytes.size();
    unplug = unplugAfterReceiving_ && received_ >= unplugAfterReceiving_;
    if (!std::exchange(loseNext_, late && losesNext)) assembler_.Take(packet.bytes, messages);
    if (late) assembler_.Take(packet.bytes, messages);
  }
  if (unplug) {
    Unplug();
    return;
  }
  for (const auto& m : messages) OnMessage(m.data(), m.size());
}

void SimSynthDevice::OnMessage(const uint8_t* msg, size_t len) {
  std::vector<std::vector<uint8_t>> replies;
  {
    std::lock_guard<std::mutex> g(mutex_);
    ++handled_;
    if (len <= 3) shortMessages_.emplace_back(msg, msg + len);
    replies = synth_.Handle(msg, static_cast<unsigned>(len));
  }
  for (const auto& r : replies) Emit(r);
}

}  // namespace vesk::test
