#include "tests/plugin/InProcessFixture.h"

namespace vesk::test {

RecordingModel* RecordingModel::last = nullptr;

Oskend::IRemoteSynth* MakeRecording(AudioEffect* effect) {
  RecordingModel::last = new RecordingModel(effect);
  return RecordingModel::last;
}

Oskend::IRemoteSynth* MakeNone(AudioEffect*) { return nullptr; }

}  // namespace vesk::test
