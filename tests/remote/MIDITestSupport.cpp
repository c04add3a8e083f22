#include "tests/remote/MIDITestSupport.h"

#include <cstdio>
#include <sstream>

namespace vesk::test {

Bytes Hex(const std::string& text) {
  Bytes out;
  std::istringstream in(text);
  std::string tok;
  while (in >> tok) out.push_back(static_cast<uint8_t>(std::stoul(tok, nullptr, 16)));
  return out;
}

std::string ToHex(const uint8_t* data, size_t len) {
  std::string s;
  char buf[4];
  for (size_t i = 0; i < len; ++i) {
    std::snprintf(buf, sizeof buf, i ? " %02X" : "%02X", data[i]);
    s += buf;
  }
  return s;
}

Bytes SysexOf(size_t total) {
  Bytes b(total);
  for (size_t i = 0; i < total; ++i) b[i] = static_cast<uint8_t>(i & 0x7F);
  b.front() = 0xF0;
  b.back() = 0xF7;
  return b;
}

void RecordingCallback::OnMIDIShort(IMIDIIn* port, long long, const void* data, unsigned len) {
  Record(false, port, data, len);
}

void RecordingCallback::OnMIDILong(IMIDIIn* port, long long, const void* data, unsigned len) {
  Record(true, port, data, len);
}

void RecordingCallback::Record(bool isLong, IMIDIIn* port, const void* data, unsigned len) {
  const auto* p = static_cast<const uint8_t*>(data);
  std::unique_lock<std::mutex> lock(monitor_.mutex());
  calls_.push_back({isLong, port, Bytes(p, p + len)});
  monitor_.NotifyAll();
}

std::vector<RecordingCallback::Call> RecordingCallback::Calls() {
  std::unique_lock<std::mutex> lock(monitor_.mutex());
  return calls_;
}

std::vector<std::string> RecordingCallback::Texts() {
  std::vector<std::string> out;
  for (const auto& c : Calls()) out.push_back((c.isLong ? "L " : "S ") + ToHex(c.bytes));
  return out;
}

Bytes RecordingCallback::LongBytes() {
  Bytes out;
  for (const auto& c : Calls())
    if (c.isLong) out.insert(out.end(), c.bytes.begin(), c.bytes.end());
  return out;
}

bool RecordingCallback::WaitCalls(size_t n, uint64_t ms) {
  std::unique_lock<std::mutex> lock(monitor_.mutex());
  return monitor_.WaitFor(lock, ms, [&] { return calls_.size() >= n; });
}

void RecordingCallback::Clear() {
  std::unique_lock<std::mutex> lock(monitor_.mutex());
  calls_.clear();
}

}  // namespace vesk::test
