#pragma once
// Plays the first track of a standard MIDI file: the owner advances time
// (in ticks, milliseconds or samples) and the due channel messages go to
// one listener.
#include <cstddef>
#include <cstdint>
#include <string>

class CHfcSeqPlayerListener;

class CHfcSeqPlayer {
 public:
  CHfcSeqPlayer();
  virtual ~CHfcSeqPlayer();
  CHfcSeqPlayer(const CHfcSeqPlayer&) = delete;
  CHfcSeqPlayer& operator=(const CHfcSeqPlayer&) = delete;

  // 1 on success, 0 on any failure (nothing stays loaded then).
  int LoadSmfFromFile(const char* path);
  int LoadSmfFromResource(const char* type, long id);
  // Uses the image in place (not owned). `size` bounds every read when the
  // caller knows it; a track that claims more than the image holds is
  // refused.
  int SetSmf(const unsigned char* image, size_t size = SIZE_MAX);
  int Unload();

  void Start();
  void Stop();
  void Pause(bool paused);
  void AddTimeByTicks(long ticks);
  void AddTimeByMilliseconds(long ms);
  void AddTimeBySamples(long samples);

  // Tempos of 0 or below are refused (they would divide by zero).
  void SetTempo(float bpm);
  int SetTempoMode(long mode);
  float GetTempo(int mode) const;
  void UpdateTempoBase(float bpm);
  void SetSampleRate(float rate);
  void SetListener(CHfcSeqPlayerListener* listener) { listener_ = listener; }
  void SendToListener(const unsigned char* data, long count, long time);
  // Copies the track name (at most size bytes, always terminated).
  void GetTitle(char* text, long size) const;

  bool IsPlaying() const { return playing_ != 0; }
  bool IsPaused() const { return paused_ != 0; }
  long GetMicrosecondsPerQuarter() const { return usPerQuarter_; }
  long GetDivision() const { return division_; }

  // A variable-length quantity (7 bits a byte, most significant first);
  // reads at most the four bytes the format allows and advances *position.
  static long GetVariableLengthNumber(const unsigned char* data, long* position);

  static const long sm_iMaxSeqDataLen;

 private:
  bool Adopt(const unsigned char* track, long length, long division, bool owned);
  bool ReadDelta(long& delta);
  bool DecodeEvent();
  void FindTitle();
  void SendAllSoundOff();

  uint8_t playing_ = 0;
  uint8_t paused_ = 0;
  uint8_t loop_ = 0;
  float sampleRate_ = 44100.0f;
  long division_ = 480;
  float userTempo_ = 120.0f;
  float fileTempo_ = 120.0f;
  long tempoMode_ = 0;
  const unsigned char* track_ = nullptr;
  long position_ = 0;
  long length_ = 0;
  bool owned_ = false;
  uint8_t runningStatus_ = 0;
  long usPerQuarter_ = 500000;
  long ticksToNext_ = 0;
  int64_t remainder_ = 0;
  CHfcSeqPlayerListener* listener_ = nullptr;
  std::string title_;
};
