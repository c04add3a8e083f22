#pragma once
// The host's side of the 71 automation parameters, kept apart from the
// image, which only the main thread touches. The main thread publishes the
// image's values and display texts here and takes from here what the host
// set, in the order it was set. The host's threads (its audio thread too)
// read and set without waiting: a value the host sets reads back at once,
// before the main thread has applied it. Only the texts are under a lock,
// which the audio thread never asks for.
#include <atomic>
#include <cstdint>
#include <mutex>

#include "model/paramdesc/SParamDesc.h"
#include "os/Lock.h"

namespace Oskend {
class ISection;
class ISoundSection;
}

class CParameterMirror {
 public:
  static constexpr int kCount = 71;
  // Names, labels and display texts reach the host cut to this length.
  static constexpr int kTextMax = 16;

  struct Setting {
    int index;
    float value;
    uint32_t stamp;
  };
  // A row as the image holds it: its parameter id and its steps.
  struct Range {
    int id;
    int min;
    int steps;
  };

  CParameterMirror() = default;
  CParameterMirror(const CParameterMirror&) = delete;
  CParameterMirror& operator=(const CParameterMirror&) = delete;

  // Main thread, before the host has the instance: the rows' names and
  // ranges, which do not change afterwards.
  void Describe(Oskend::ISection* automation);
  // Main thread: the image's values and texts. The values live in the
  // sections of the performance edit buffer; each text is the one the
  // editor shows for the value (ParamShownText), and so is the text of a
  // value not yet applied, held to the range the image will hold it to.
  void Publish(Oskend::ISection* automation, Oskend::ISoundSection* performance);
  // Main thread: what the host set and the main thread has not applied,
  // oldest first (a parameter set twice counts once, with its last value);
  // returns the number written to out (at most kCount).
  int TakePending(Setting* out) const;
  // Main thread, after the image holds the setting and Publish has run.
  void MarkApplied(const Setting& setting);
  bool HasPending() const;

  // Any thread.
  bool HasRow(int index) const;
  // False without a row.
  bool RangeOf(int index, Range* range) const;
  void Set(int index, float value);
  float Get(int index) const;

  // The host thread that tells the host of an edit, around that call:
  // while it lasts the row reads as the value told, which later edits
  // (already in the mirror) may have passed.
  void Tell(int index, float value);
  void Told(int index);

  // Host threads other than the audio thread; false without a row, and
  // the text is left as it was.
  bool Name(int index, char* text) const;
  bool Label(int index, char* text) const;
  bool Display(int index, char* text) const;

 private:
  struct Row {
    bool valid = false;
    int id = 0;
    int min = 0;
    int steps = 1;
    char name[kTextMax + 1] = {};
    char label[kTextMax + 1] = {};
  };
  static uint32_t StampOf(uint64_t packed) { return static_cast<uint32_t>(packed >> 32); }
  // True while the host's last setting of the row is not in the image,
  // which setting gets.
  bool PendingSetting(int index, Setting* setting) const;
  // As PendingSetting; step gets the value it will have there.
  bool PendingStep(int index, int* step) const;

  Row rows_[kCount];
  // The host's last setting: its stamp in the high word, the value's bits
  // in the low one (0 stamp: never set).
  std::atomic<uint64_t> set_[kCount]{};
  std::atomic<uint32_t> applied_[kCount]{};
  std::atomic<float> published_[kCount]{};
  // While the host is told a value: the value's bits, with bit 32 set.
  std::atomic<uint64_t> told_[kCount]{};
  std::atomic<uint32_t> nextStamp_{0};
  mutable os::Lock textLock_;
  char texts_[kCount][kTextMax + 1] = {};
  // Each row as its parameter's own section described it at the last
  // publish: what a value not yet applied will show.
  SParamDesc shown_[kCount] = {};
};
