#include "host/SaveData.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kOutputName = 4;
constexpr size_t kStreamFormat = 1028;
constexpr size_t kPortNames = 1068;  // port name, device name, per input and clock
constexpr size_t kEntries = 9260;
constexpr size_t kBufferFrames = 9436;
constexpr size_t kStartingChannel = 9440;
constexpr size_t kVersion = 9444;
constexpr size_t kUseAutoStop = 9448;
constexpr size_t kAutoStopLimit = 9452;
constexpr size_t kKnobMode = 9456;
constexpr size_t kClockSourceId = 9460;

void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}
uint32_t Get32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
void PutText(std::vector<uint8_t>& b, size_t at, const std::string& s) {
  const size_t n = std::min(s.size(), SaveData::kTextField - 1);
  std::memcpy(b.data() + at, s.data(), n);
}
// The text up to its terminator; a field without one is damaged.
bool GetText(const uint8_t* p, std::string* s) {
  const void* end = std::memchr(p, 0, SaveData::kTextField);
  if (!end) return false;
  s->assign(reinterpret_cast<const char*>(p), static_cast<const uint8_t*>(end) - p);
  return true;
}
void PutDouble(std::vector<uint8_t>& b, size_t at, double v) {
  uint64_t u;
  std::memcpy(&u, &v, 8);
  Put32(b, at, static_cast<uint32_t>(u));
  Put32(b, at + 4, static_cast<uint32_t>(u >> 32));
}
double GetDouble(const uint8_t* p) {
  const uint64_t u = uint64_t(Get32(p)) | uint64_t(Get32(p + 4)) << 32;
  double v;
  std::memcpy(&v, &u, 8);
  return v;
}

// Why a file is refused, as the person reads it in the alert.
constexpr const char* kEmpty = "The file is empty.";
constexpr const char* kShort = "The file is shorter than a settings file.";
constexpr const char* kUnendedName = "A device or port name in the file does not end within its field.";

bool Fail(std::string* reason, const char* why) {
  if (reason) *reason = why;
  return false;
}

}  // namespace

std::vector<uint8_t> SaveData::Serialize() const {
  std::vector<uint8_t> b(kSize, 0);
  Put32(b, 0, tag);
  PutText(b, kOutputName, outputDeviceName);
  PutDouble(b, kStreamFormat, streamFormat.sampleRate);
  const uint32_t words[] = {streamFormat.formatID,      streamFormat.formatFlags,
                            streamFormat.bytesPerPacket, streamFormat.framesPerPacket,
                            streamFormat.bytesPerFrame,  streamFormat.channelsPerFrame,
                            streamFormat.bitsPerChannel, streamFormat.reserved};
  for (int i = 0; i < 8; ++i) Put32(b, kStreamFormat + 8 + 4 * i, words[i]);
  for (int i = 0; i < 4; ++i) {
    PutText(b, kPortNames + 2 * kTextField * i, portName[i]);
    PutText(b, kPortNames + 2 * kTextField * i + kTextField, deviceName[i]);
    std::memcpy(b.data() + kEntries + MidiEntry::kRecordSize * i, entry[i].data(),
                MidiEntry::kRecordSize);
  }
  Put32(b, kBufferFrames, bufferFrameSize);
  Put32(b, kStartingChannel, static_cast<uint32_t>(startingChannel));
  Put32(b, kVersion, static_cast<uint32_t>(version));
  b[kUseAutoStop] = useAutoStop ? 1 : 0;
  Put32(b, kAutoStopLimit, static_cast<uint32_t>(autoStopLimit));
  Put32(b, kKnobMode, static_cast<uint32_t>(knobMode));
  Put32(b, kClockSourceId, clockSourceId);
  return b;
}

bool SaveData::Parse(const uint8_t* data, size_t length, SaveData* out, std::string* reason) {
  *out = SaveData();
  if (length == 0) return Fail(reason, kEmpty);
  if (length < kVersion1Size) return Fail(reason, kShort);
  SaveData s;
  s.tag = Get32(data);
  // The version field says which later fields hold values: below 2 none,
  // 3 and above all three (each is checked below). A field the file is too
  // short to hold is not read, whatever the version claims.
  int byLength = length >= kSize ? 3 : length >= kVersion2Size ? 2 : 1;
  if (s.tag == kVersion1Tag && length < kVersion2Size) byLength = 1;
  s.version = 1;
  if (byLength >= 2) {
    const int32_t stored = static_cast<int32_t>(Get32(data + kVersion));
    s.version = std::clamp(stored, 1, byLength);
  }
  if (!GetText(data + kOutputName, &s.outputDeviceName))
    return Fail(reason, kUnendedName);
  const uint8_t* f = data + kStreamFormat;
  s.streamFormat.sampleRate = GetDouble(f);
  uint32_t* words[] = {&s.streamFormat.formatID,      &s.streamFormat.formatFlags,
                       &s.streamFormat.bytesPerPacket, &s.streamFormat.framesPerPacket,
                       &s.streamFormat.bytesPerFrame,  &s.streamFormat.channelsPerFrame,
                       &s.streamFormat.bitsPerChannel, &s.streamFormat.reserved};
  for (int i = 0; i < 8; ++i) *words[i] = Get32(f + 8 + 4 * i);
  for (int i = 0; i < 4; ++i) {
    if (!GetText(data + kPortNames + 2 * kTextField * i, &s.portName[i]) ||
        !GetText(data + kPortNames + 2 * kTextField * i + kTextField, &s.deviceName[i]))
      return Fail(reason, kUnendedName);
    std::memcpy(s.entry[i].data(), data + kEntries + MidiEntry::kRecordSize * i,
                MidiEntry::kRecordSize);
  }
  s.bufferFrameSize = Get32(data + kBufferFrames);
  // A value out of its range takes its default; the rest of the file stands.
  const SaveData defaults;
  s.startingChannel = static_cast<int32_t>(Get32(data + kStartingChannel));
  if (s.startingChannel < 0 || s.startingChannel > kMaxStartingChannel || s.startingChannel % 2)
    s.startingChannel = defaults.startingChannel;
  if (s.version >= 2) {
    const uint8_t flag = data[kUseAutoStop];
    s.useAutoStop = flag > 1 ? defaults.useAutoStop : flag == 1;
    s.autoStopLimit = static_cast<int32_t>(Get32(data + kAutoStopLimit));
    if (s.autoStopLimit < kMinAutoStopLimit || s.autoStopLimit > kMaxAutoStopLimit)
      s.autoStopLimit = defaults.autoStopLimit;
    s.knobMode = static_cast<int32_t>(Get32(data + kKnobMode));
    if (s.knobMode < 0 || s.knobMode > kMaxKnobMode) s.knobMode = defaults.knobMode;
  }
  if (s.version >= 3) s.clockSourceId = Get32(data + kClockSourceId);
  *out = s;
  return true;
}
