#pragma once

// Receives the channel messages a sequence player decodes.
class CHfcSeqPlayerListener {
 public:
  virtual ~CHfcSeqPlayerListener() = default;
  virtual void OnHfcSeqPlayerMidi(const unsigned char* data, long count, long time) = 0;
};
