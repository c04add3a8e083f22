#include "spare/CHfcSeqPlayer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/HfcResource.h"
#include "spare/CHfcSeqPlayerListener.h"

const long CHfcSeqPlayer::sm_iMaxSeqDataLen = 0x10000000;

namespace {

constexpr long kHeaderSize = 14;
constexpr long kTrackOffset = 22;  // the first track's data, after its 8-byte header

long Be16(const unsigned char* p) { return (long(p[0]) << 8) | p[1]; }
uint32_t Be32(const unsigned char* p) {
  return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

// Variable-length quantity bounded by the track: false when it runs past
// the end.
bool ReadVlq(const unsigned char* data, long length, long& pos, long& value) {
  value = 0;
  for (int i = 0; i < 4; ++i) {
    if (pos >= length) return false;
    const unsigned char b = data[pos++];
    value = (value << 7) | (b & 0x7F);
    if (!(b & 0x80)) return true;
  }
  return true;  // the format stops at four bytes
}

long UsPerQuarter(float bpm) { return static_cast<long>(60000000.0 / bpm); }

}  // namespace

CHfcSeqPlayer::CHfcSeqPlayer() = default;

CHfcSeqPlayer::~CHfcSeqPlayer() {
  // No listener calls from a destructor: the owner may be half gone.
  listener_ = nullptr;
  Unload();
}

long CHfcSeqPlayer::GetVariableLengthNumber(const unsigned char* data, long* position) {
  long value = 0;
  ReadVlq(data, *position + 4, *position, value);
  return value;
}

bool CHfcSeqPlayer::Adopt(const unsigned char* track, long length, long division, bool owned) {
  track_ = track;
  length_ = length;
  owned_ = owned;
  division_ = division;
  position_ = 0;
  FindTitle();
  return true;
}

int CHfcSeqPlayer::LoadSmfFromFile(const char* path) {
  Unload();
  if (!path) return 0;
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path, "rb"), &std::fclose);
  if (!file) return 0;
  unsigned char header[kTrackOffset];
  if (std::fread(header, 1, sizeof header, file.get()) != sizeof header) return 0;
  const uint32_t length = Be32(header + 18);
  if (length > static_cast<uint32_t>(sm_iMaxSeqDataLen)) return 0;
  auto data = std::make_unique<unsigned char[]>(std::max<uint32_t>(length, 1));
  if (std::fread(data.get(), 1, length, file.get()) != length) return 0;
  return Adopt(data.release(), static_cast<long>(length), Be16(header + 12), true) ? 1 : 0;
}

int CHfcSeqPlayer::LoadSmfFromResource(const char* type, long id) {
  Unload();
  Handle h = HfcGetResource(type, id);
  if (!h) return 0;
  const size_t size = os::ResourceRegistry::Size(h);
  const auto* image = static_cast<const unsigned char*>(HfcLockResource(h));
  int ok = 0;
  if (image && size >= static_cast<size_t>(kTrackOffset)) {
    const uint32_t length = Be32(image + 18);
    if (length <= static_cast<uint32_t>(sm_iMaxSeqDataLen) && length <= size - kTrackOffset) {
      auto* copy = new unsigned char[std::max<uint32_t>(length, 1)];
      std::memcpy(copy, image + kTrackOffset, length);
      ok = Adopt(copy, static_cast<long>(length), Be16(image + 12), true) ? 1 : 0;
    }
  }
  HfcUnlockResource(h);
  return ok;
}

int CHfcSeqPlayer::SetSmf(const unsigned char* image, size_t size) {
  if (!image || size < static_cast<size_t>(kTrackOffset)) return 0;
  Unload();
  const uint32_t length = Be32(image + 18);
  if (length > static_cast<uint32_t>(sm_iMaxSeqDataLen) || length > size - kTrackOffset) return 0;
  return Adopt(image + kTrackOffset, static_cast<long>(length), Be16(image + 12), false) ? 1 : 0;
}

int CHfcSeqPlayer::Unload() {
  if (!track_) return 0;
  Stop();
  if (owned_) delete[] track_;
  track_ = nullptr;
  length_ = 0;
  owned_ = false;
  title_.clear();
  return 1;
}

// The first delta is the wait before the first event: it is kept, so an
// event at tick 480 plays 480 ticks after the start, not at the first
// advance.
void CHfcSeqPlayer::Start() {
  if (!track_) return;
  position_ = 0;
  runningStatus_ = 0;
  long delta = 0;
  if (!ReadDelta(delta)) {
    playing_ = 0;
    return;
  }
  ticksToNext_ = delta;
  remainder_ = 0;
  // In user-tempo mode the user's tempo stays the rate; a fixed 120 BPM
  // here would silently undo SetTempo until it was called again.
  usPerQuarter_ = tempoMode_ == 1 ? UsPerQuarter(userTempo_) : 500000;
  playing_ = 1;
}

void CHfcSeqPlayer::SendAllSoundOff() {
  for (int ch = 0; ch < 16; ++ch) {
    const unsigned char msg[3] = {static_cast<unsigned char>(0xB0 | ch), 0x78, 0x00};
    SendToListener(msg, 3, 0);
  }
}

void CHfcSeqPlayer::Stop() {
  playing_ = 0;
  SendAllSoundOff();
}

void CHfcSeqPlayer::Pause(bool paused) {
  SendAllSoundOff();
  paused_ = paused ? 1 : 0;
}

bool CHfcSeqPlayer::ReadDelta(long& delta) { return ReadVlq(track_, length_, position_, delta); }

// An advance covers the time up to, not including, its end: an event due
// exactly then fires in the next advance.
void CHfcSeqPlayer::AddTimeByTicks(long ticks) {
  if (!playing_) return;
  ticksToNext_ -= ticks;
  while (playing_ && ticksToNext_ < 0) {
    if (!DecodeEvent()) {
      Stop();  // a truncated or malformed event ends the track
      return;
    }
    if (position_ >= length_) {
      if (loop_) {
        const long behind = ticksToNext_;
        Start();
        ticksToNext_ += behind;
      } else {
        Stop();
      }
      continue;
    }
    long delta = 0;
    if (!ReadDelta(delta)) {
      Stop();
      return;
    }
    ticksToNext_ += delta;
  }
}

void CHfcSeqPlayer::AddTimeByMilliseconds(long ms) {
  if (!playing_ || usPerQuarter_ <= 0) return;
  const int64_t v = static_cast<int64_t>(ms) * division_ * 1000 + remainder_;
  const int64_t ticks = v / usPerQuarter_;
  remainder_ = v % usPerQuarter_;
  if (ticks > 0) AddTimeByTicks(static_cast<long>(ticks));
}

void CHfcSeqPlayer::AddTimeBySamples(long samples) {
  if (!playing_ || usPerQuarter_ <= 0 || sampleRate_ <= 0) return;
  const int64_t us = static_cast<int64_t>(samples * 1000000.0 / sampleRate_);
  const int64_t v = us * division_ + remainder_;
  const int64_t ticks = v / usPerQuarter_;
  remainder_ = v % usPerQuarter_;
  if (ticks > 0) AddTimeByTicks(static_cast<long>(ticks));
}

bool CHfcSeqPlayer::DecodeEvent() {
  if (position_ >= length_) return false;
  const unsigned char first = track_[position_++];
  if (first == 0xF0 || first == 0xF7) {
    long len = 0;
    if (!ReadVlq(track_, length_, position_, len) || len > length_ - position_) return false;
    position_ += len;
    return true;
  }
  if (first == 0xFF) {
    if (position_ >= length_) return false;
    const unsigned char type = track_[position_++];
    long len = 0;
    if (!ReadVlq(track_, length_, position_, len) || len > length_ - position_) return false;
    if (type == 0x51 && len >= 3) {
      const long us = (long(track_[position_]) << 16) | (long(track_[position_ + 1]) << 8) | track_[position_ + 2];
      if (us > 0) {  // a tempo of zero would divide by zero
        fileTempo_ = static_cast<float>(60000000.0 / us);
        if (tempoMode_ == 0) usPerQuarter_ = us;
      }
    }
    position_ += len;
    return true;
  }
  unsigned char msg[3];
  unsigned char status;
  if (first & 0x80) {
    status = first;
    if (position_ >= length_) return false;
    msg[1] = track_[position_++];
  } else {
    if (!(runningStatus_ & 0x80)) return false;  // data with no status to run under
    status = runningStatus_;
    msg[1] = first;
  }
  msg[0] = status;
  long count = 2;
  const unsigned char kind = status & 0xF0;
  if (kind != 0xC0 && kind != 0xD0) {
    if (position_ >= length_) return false;
    msg[2] = track_[position_++];
    count = 3;
  }
  runningStatus_ = status;
  SendToListener(msg, count, 0);
  return true;
}

void CHfcSeqPlayer::FindTitle() {
  title_.clear();
  long pos = 0;
  while (pos < length_) {
    long delta = 0;
    if (!ReadVlq(track_, length_, pos, delta)) return;
    if (pos + 1 >= length_ || track_[pos] != 0xFF) return;
    const unsigned char type = track_[pos + 1];
    pos += 2;
    long len = 0;
    if (!ReadVlq(track_, length_, pos, len) || len > length_ - pos) return;
    if (type == 0x03) title_.assign(reinterpret_cast<const char*>(track_ + pos), static_cast<size_t>(len));
    pos += len;
  }
}

void CHfcSeqPlayer::SetTempo(float bpm) {
  if (!(bpm > 0)) return;
  userTempo_ = bpm;
  if (tempoMode_ == 1) usPerQuarter_ = UsPerQuarter(bpm);
}

int CHfcSeqPlayer::SetTempoMode(long mode) {
  if (mode != 0 && mode != 1) return 0;
  tempoMode_ = mode;
  usPerQuarter_ = UsPerQuarter(mode == 0 ? fileTempo_ : userTempo_);
  return 1;
}

float CHfcSeqPlayer::GetTempo(int mode) const {
  const long m = mode < 0 ? tempoMode_ : mode;
  if (m == 1) return userTempo_;
  if (m == 0) return fileTempo_;
  return 0.0f;
}

void CHfcSeqPlayer::UpdateTempoBase(float bpm) {
  if (bpm > 0) usPerQuarter_ = UsPerQuarter(bpm);
}

void CHfcSeqPlayer::SetSampleRate(float rate) {
  if (rate > 0) sampleRate_ = rate;
}

void CHfcSeqPlayer::SendToListener(const unsigned char* data, long count, long time) {
  if (listener_) listener_->OnHfcSeqPlayerMidi(data, count, time);
}

void CHfcSeqPlayer::GetTitle(char* text, long size) const {
  if (!text || size <= 0) return;
  const size_t n = std::min(title_.size(), static_cast<size_t>(size - 1));
  std::memcpy(text, title_.data(), n);
  text[n] = '\0';
}
