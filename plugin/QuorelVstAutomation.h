#pragma once
// The host's side of the 71 automation parameters and of the programs:
// what the host reads and sets, and what it hears of the editor's edits.
//
// The image has one owner, the loop thread. The host's threads (its audio
// thread too) read and set through CParameterMirror and never wait; the
// loop thread writes what the host set into the image, publishes the
// image's values and texts back, and reports the editor's edits: each as
// one gesture from the press to the release (begin at the press, an
// automate for every change of value, end at the release; a press that
// changes nothing is a begin and an end), and every other automated row
// that an edit moved along with it. What the host set or was told is
// remembered per row, so that it is never told a value twice nor its own
// settings back.
#include <array>
#include <atomic>
#include <climits>
#include <cstdint>

#include "plugin/CParameterMirror.h"

class AudioEffectX;
namespace Oskend {
class IRemoteSynth;
}

class QuorelVstAutomation {
 public:
  static constexpr int kCount = CParameterMirror::kCount;
  using Setting = CParameterMirror::Setting;

  explicit QuorelVstAutomation(AudioEffectX& effect) : effect_(effect) {}
  QuorelVstAutomation(const QuorelVstAutomation&) = delete;
  QuorelVstAutomation& operator=(const QuorelVstAutomation&) = delete;

  // ---- Loop thread: the only writer of the image.
  // Before the host has the instance: the rows, which do not change
  // afterwards, and the image's values.
  void Start(Oskend::IRemoteSynth* model);
  void Stop() { model_ = nullptr; }
  // Writes what the host set into the image, oldest first; returns the
  // settings taken (at most kCount) for MarkApplied.
  int WriteSettings(Setting* taken);
  // What the host set, as WriteSettings takes it, without writing it (a
  // chunk replaces it).
  int TakeSettings(Setting* taken) const { return parameters_.TakePending(taken); }
  // The image holds the settings and Publish has run: they are no longer
  // waiting, and the host knows these values.
  void MarkApplied(const Setting* taken, int n);
  // The image's values and texts for the host.
  void Publish();
  // The host has been asked to read every parameter again (a new sound, a
  // chunk, the connection): what the image holds now is what it knows.
  void OnHostRereads();
  // The editor's gesture on row index: from the press to the release.
  void BeginGesture(int index);
  void EndGesture(int index);
  // The host closes the editor: gestures still open end.
  void EndAllGestures();
  // The editor changed row index: it is reported, with the rows that
  // moved along with it.
  void ReportEdit(int index);
  // A row outside any gesture holds in the image another value than the
  // host knows: the synthesizer changed it (the editor's edits are
  // reported as they are made, before the loop runs a timer).
  bool HostHoldsAnOldValue() const;

  // ---- Any thread, the audio thread too (never waits).
  bool HasRow(int index) const { return parameters_.HasRow(index); }
  float Get(int index) const { return parameters_.Get(index); }
  // Noted for the loop thread; the caller wakes the worker, which posts it.
  void Set(int index, float value) { parameters_.Set(index, value); }
  // The host thread that tells the host of an edit, around that call.
  void Tell(int index, float value) { parameters_.Tell(index, value); }
  void Told(int index) { parameters_.Told(index); }
  bool HasPending() const { return parameters_.HasPending(); }
  int32_t GetProgram() const { return program_.load(std::memory_order_acquire); }
  void SetProgram(int32_t program) { program_.store(program, std::memory_order_release); }

  // ---- Host threads other than the audio thread (the texts' lock).
  void Name(int index, char* text) const { parameters_.Name(index, text); }
  void Label(int index, char* text) const { parameters_.Label(index, text); }
  void Display(int index, char* text) const { parameters_.Display(index, text); }

  // ---- Worker thread.
  // True when the loop thread is to be told of waiting settings: one
  // notice at a time, so that a host that sets without pause cannot keep
  // the loop's queue from ever running dry.
  bool ClaimApplyNotice();
  // ---- Loop thread: the notice has been taken; settings made meanwhile
  // come with the next one or the publish timer.
  void ApplyNoticeTaken() { applyPosted_.store(false, std::memory_order_release); }

 private:
  static constexpr int kUnknown = INT_MIN;
  // Loop thread.
  int ImageValue(const CParameterMirror::Range& range) const;
  void Report(int index);
  void WriteParameter(int32_t index, float value);

  AudioEffectX& effect_;
  Oskend::IRemoteSynth* model_ = nullptr;
  CParameterMirror parameters_;
  std::atomic<int32_t> program_{0};
  std::atomic<bool> applyPosted_{false};
  // Loop thread: each row's value as the host knows it, and how many
  // controls hold a gesture open on it.
  std::array<int, kCount> known_{};
  std::array<int, kCount> gestures_{};
};
