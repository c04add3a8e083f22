#include "plugin/AudioEffect.h"

#include <cstring>

#include "plugin/AEffEditor.h"

AudioEffect::AudioEffect(audioMasterCallback callback, int32_t numPrograms, int32_t numParams)
    : audioMaster_(callback), numPrograms_(numPrograms), numParams_(numParams) {
  std::memset(&cEffect_, 0, sizeof cEffect_);
  cEffect_.magic = kEffectMagic;
  cEffect_.dispatcher = &dispatchEffectClass;
  cEffect_.process = &processClass;
  cEffect_.setParameter = &setParameterClass;
  cEffect_.getParameter = &getParameterClass;
  cEffect_.processReplacing = &processClassReplacing;
  cEffect_.processDoubleReplacing = &processClassDoubleReplacing;
  cEffect_.numPrograms = numPrograms;
  cEffect_.numParams = numParams;
  cEffect_.numInputs = 1;
  cEffect_.numOutputs = 2;
  cEffect_.flags = effFlagsCanReplacing;
  cEffect_.ioRatio = 1.0f;
  cEffect_.object = this;
  cEffect_.uniqueID = FourCharCode('N', 'o', 'E', 'f');
  cEffect_.version = 1;
}

AudioEffect::~AudioEffect() { delete editor_; }

void AudioEffect::setEditor(AEffEditor* editor) {
  editor_ = editor;
  SetFlag(effFlagsHasEditor, editor != nullptr);
}

intptr_t AudioEffect::CallHost(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                               float opt) {
  if (!audioMaster_) return 0;
  if (opcode == audioMasterVersion) return CallHostNow(opcode, index, value, ptr, opt);
  if (!HostHasInstance()) return 0;
  return RouteHostCall(opcode, index, value, ptr, opt);
}

intptr_t AudioEffect::CallHostNow(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                  float opt) {
  return audioMaster_ ? audioMaster_(&cEffect_, opcode, index, value, ptr, opt) : 0;
}

int32_t AudioEffect::getMasterVersion() {
  const intptr_t v = CallHost(audioMasterVersion);
  return v == 0 ? 1 : static_cast<int32_t>(v);
}

void AudioEffect::setParameterAutomated(int32_t index, float value) {
  setParameter(index, value);
  CallHost(audioMasterAutomate, index, 0, nullptr, value);
}

intptr_t AudioEffect::dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                 float opt) {
  switch (opcode) {
    case effOpen: open(); return 0;
    case effClose: close(); return 0;
    case effSetProgram:
      if (value >= 0 && value < numPrograms_) setProgram(static_cast<int32_t>(value));
      return 0;
    case effGetProgram: return getProgram();
    case effSetProgramName:
      if (ptr) setProgramName(static_cast<char*>(ptr));
      return 0;
    case effGetProgramName:
      if (ptr) getProgramName(static_cast<char*>(ptr));
      return 0;
    case effGetParamLabel:
      if (ptr) getParameterLabel(index, static_cast<char*>(ptr));
      return 0;
    case effGetParamDisplay:
      if (ptr) getParameterDisplay(index, static_cast<char*>(ptr));
      return 0;
    case effGetParamName:
      if (ptr) getParameterName(index, static_cast<char*>(ptr));
      return 0;
    case effSetSampleRate: setSampleRate(opt); return 0;
    case effSetBlockSize: setBlockSize(static_cast<int32_t>(value)); return 0;
    case effMainsChanged:
      if (value)
        resume();
      else
        suspend();
      return 0;
    case effEditGetRect:
      if (editor_) return editor_->getRect(static_cast<ERect**>(ptr)) ? 1 : 0;
      return 0;
    case effEditOpen:
      if (editor_) return editor_->open(ptr) ? 1 : 0;
      return 0;
    case effEditClose:
      if (editor_) editor_->close();
      return 0;
    case effEditIdle:
      if (editor_) editor_->idle();
      return 0;
    case effGetChunk: return getChunk(static_cast<void**>(ptr), index != 0);
    case effSetChunk: return setChunk(ptr, static_cast<int32_t>(value), index != 0);
    default: return 0;
  }
}

AudioEffect* AudioEffect::Entered(AEffect* e) {
  auto* self = static_cast<AudioEffect*>(e->object);
  self->hostHasInstance_.store(true, std::memory_order_release);
  return self;
}

intptr_t AudioEffect::dispatchEffectClass(AEffect* e, int32_t opcode, int32_t index,
                                          intptr_t value, void* ptr, float opt) {
  AudioEffect* self = Entered(e);
  // Nothing thrown may cross into the host, which calls through C: a call
  // that fails answers as a plug-in without the feature.
  intptr_t result = 0;
  try {
    result = self->dispatcher(opcode, index, value, ptr, opt);
  } catch (...) {
    result = 0;
  }
  if (opcode != effClose) return result;
  delete self;
  return 1;
}

void AudioEffect::processClass(AEffect* e, float** inputs, float** outputs, int32_t frames) {
  Entered(e)->process(inputs, outputs, frames);
}

void AudioEffect::processClassReplacing(AEffect* e, float** inputs, float** outputs,
                                        int32_t frames) {
  Entered(e)->processReplacing(inputs, outputs, frames);
}

void AudioEffect::processClassDoubleReplacing(AEffect* e, double** inputs, double** outputs,
                                              int32_t frames) {
  Entered(e)->processDoubleReplacing(inputs, outputs, frames);
}

void AudioEffect::setParameterClass(AEffect* e, int32_t index, float value) {
  Entered(e)->setParameter(index, value);
}

float AudioEffect::getParameterClass(AEffect* e, int32_t index) {
  return Entered(e)->getParameter(index);
}
