#include "tests/support/simcontroller/SimController.h"

namespace vesk::test {

namespace {

os::midi::VirtualBus::DeviceDesc Desc(const std::string& device, const std::string& port) {
  os::midi::VirtualBus::DeviceDesc d;
  d.deviceName = device;
  d.sourceName = port;
  d.destinationName = port;
  d.manufacturer = "TAVO";
  d.model = device;
  return d;
}

}  // namespace

SimController::SimController(os::midi::VirtualBus& bus, ControllerModel model,
                             SimControllerSettings settings, const std::string& name)
    : model_(model), settings_(settings) {
  state_.channel = settings.channel;
  if (model != ControllerModel::kOndrix) portA_ = bus.AddDevice(Desc(name, "PORT A"));
  exclusive_ = bus.AddDevice(Desc(name, model == ControllerModel::kOndrix ? "PORT" : "CTRL"));
  if (model != ControllerModel::kOndrix) portB_ = bus.AddDevice(Desc(name, "PORT B"));
  exclusive_->SetReceiver([this](const os::midi::VirtualBus::Received& r) { OnPacket(r); });
}

SimController::~SimController() { exclusive_->SetReceiver(nullptr); }

SimController::Endpoint SimController::ExclusiveSource() const { return exclusive_->source(); }
SimController::Endpoint SimController::ExclusiveDestination() const {
  return exclusive_->destination();
}
SimController::Endpoint SimController::PortASource() const { return portA_ ? portA_->source() : 0; }
SimController::Endpoint SimController::PortADestination() const {
  return portA_ ? portA_->destination() : 0;
}
SimController::Endpoint SimController::PortBSource() const { return portB_ ? portB_->source() : 0; }

SimControllerState SimController::State() {
  std::unique_lock<std::mutex> lock(monitor_.mutex());
  return state_;
}

void SimController::Change(const std::function<void(SimControllerSettings&)>& fn) {
  std::unique_lock<std::mutex> lock(monitor_.mutex());
  fn(settings_);
}

bool SimController::WaitFor(const std::function<bool(const SimControllerState&)>& pred,
                            uint64_t ms) {
  std::unique_lock<std::mutex> lock(monitor_.mutex());
  return monitor_.WaitFor(lock, ms, [&] { return pred(state_); });
}

void SimController::SendEvent(int f, int a, int b) {
  uint8_t ch;
  {
    std::unique_lock<std::mutex> lock(monitor_.mutex());
    ch = static_cast<uint8_t>(state_.channel & 0x0F);
  }
  SendExclusive({0xF0, 0x42, static_cast<uint8_t>(0x40 | ch), 0x6E, modelByte(),
                 static_cast<uint8_t>(f & 0x7F), static_cast<uint8_t>(a & 0x7F),
                 static_cast<uint8_t>(b & 0x7F), 0xF7});
}

void SimController::SendExclusive(const std::vector<uint8_t>& bytes) { exclusive_->Emit(bytes); }

void SimController::SendOnPortA(const std::vector<uint8_t>& bytes) {
  if (portA_) portA_->Emit(bytes);
}

void SimController::SendOnPortB(const std::vector<uint8_t>& bytes) {
  if (portB_) portB_->Emit(bytes);
}

void SimController::UnplugExclusivePort() { exclusive_->Unplug(); }

void SimController::Unplug() {
  if (portA_) portA_->Unplug();
  exclusive_->Unplug();
  if (portB_) portB_->Unplug();
}

// Output delivery thread of the bus: the host's packets in order.
void SimController::OnPacket(const os::midi::VirtualBus::Received& packet) {
  std::vector<std::vector<uint8_t>> replies;
  {
    std::unique_lock<std::mutex> lock(monitor_.mutex());
    for (uint8_t b : packet.bytes) {
      if (b == 0xF0) {
        sysex_.assign(1, b);
        inSysex_ = true;
        continue;
      }
      if (!inSysex_ || b >= 0xF8) continue;
      if (b < 0x80) {
        sysex_.push_back(b);
        continue;
      }
      inSysex_ = false;
      if (b != 0xF7) continue;
      sysex_.push_back(b);
      state_.received.push_back(sysex_);
      for (auto& r : Handle(sysex_)) replies.push_back(std::move(r));
    }
    monitor_.NotifyAll();
  }
  for (const auto& r : replies) exclusive_->Emit(r);
}

std::vector<std::vector<uint8_t>> SimController::Handle(const std::vector<uint8_t>& m) {
  std::vector<std::vector<uint8_t>> out;
  const size_t n = m.size();
  const uint8_t model = modelByte();
  const bool speak = !settings_.silent;
  const auto chByte = [this] { return static_cast<uint8_t>(0x40 | (state_.channel & 0x0F)); };
  if (n == 6 && m[1] == 0x7E && m[3] == 0x06 && m[4] == 0x01) {
    ++state_.identityRequests;
    if (speak && settings_.answerIdentity && model_ != ControllerModel::kOndrix)
      out.push_back({0xF0, 0x7E, static_cast<uint8_t>(state_.channel & 0x0F), 0x06, 0x02, 0x42,
                     0x6E, 0x00, model, 0x00, 0x01, 0x00, 0x00, 0x00, 0xF7});
    return out;
  }
  if (n < 8 || m[1] != 0x42 || (m[2] & 0xF0) != 0x40 || m[3] != 0x6E) return out;
  const int ch = m[2] & 0x0F;
  if (m[4] == 0x7F && m[5] == 0x1E) {
    ++state_.portQueries;
    if (speak && settings_.answerPortQuery)
      out.push_back({0xF0, 0x42, chByte(), 0x6E, model, 0x1E, 0x05, 0x00, 0x03, 0x02, 0x02,
                     static_cast<uint8_t>(settings_.wrongPorts ? 0x01 : 0x02), 0xF7});
    return out;
  }
  if (m[4] != model) return out;
  if (model_ == ControllerModel::kOndrix) {
    if (n == 9 && m[5] == 0x01) state_.leds[m[6]] = {(m[7] >> 5) & 3, m[7] & 0x1F};
    return out;
  }
  if (ch != state_.channel) return out;  // addressed to another channel
  if (n == 9 && m[5] == 0x00 && m[6] == 0x00) {
    ++state_.modeChanges;
    state_.exclusive = m[7] != 0;
    if (speak && settings_.answerExclusiveMode)
      out.push_back({0xF0, 0x42, chByte(), 0x6E, model, 0x00, 0x00,
                     static_cast<uint8_t>(m[7] ? 3 : 2), 0xF7});
    return out;
  }
  if (m[5] == 0x3F && n >= 9 && state_.exclusive) {
    const int step = m[7];
    state_.dumps.push_back(m);
    if (step == 0 && n == 47) state_.channel = m[9] & 0x0F;
    if (!speak) return out;
    const int ackStep = step == settings_.wrongAckStep ? (step + 1) & 3 : step;
    const uint8_t status = step == settings_.refuseDumpStep ? 1 : 0;
    out.push_back({0xF0, 0x42, chByte(), 0x6E, model, 0x1F, static_cast<uint8_t>(ackStep), status,
                   0xF7});
    return out;
  }
  if (n == 9 && m[5] == 0x01) {
    state_.leds[m[6]] = {(m[7] >> 5) & 3, m[7] & 0x1F};
    return out;
  }
  if (n == 17 && m[5] == 0x22 && m[6] == 0x09) {
    SimControllerState::Lcd& l = state_.lcd[m[7] & 0x0F];
    l.colour = (m[7] >> 4) & 7;
    l.text.assign(m.begin() + 8, m.begin() + 16);
  }
  return out;
}

}  // namespace vesk::test
