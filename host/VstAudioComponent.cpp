#include "host/VstAudioComponent.h"

#include <dlfcn.h>

#include <cstring>
#include <string>

#include "host/TalvikHostHandshake.h"
#include "os/MainLoop.h"
#include "plugin/CPlugInModalNotice.h"

namespace {
constexpr int32_t kVstVersion = 2400;
// How often a mirrored run calls the plug-in: the program's idle period.
constexpr uint64_t kMirrorCallMs = 16;
}  // namespace

std::unique_ptr<VstAudioComponent> VstAudioComponent::Open(EntryProc entry, void* library) {
  if (!entry) return nullptr;
  std::unique_ptr<VstAudioComponent> c(new VstAudioComponent());
  c->library_ = library;
  // The instance's own threads may call back before it is noted below
  // (the plug-in starts its loop in its constructor).
  opening_.store(c.get(), std::memory_order_release);
  AEffect* e = entry(&VstAudioComponent::Callback);
  if (e && e->magic == kEffectMagic)
    std::atomic_ref<intptr_t>(e->resvd1).store(reinterpret_cast<intptr_t>(c.get()), std::memory_order_release);
  opening_.store(nullptr, std::memory_order_release);
  if (!e || e->magic != kEffectMagic) return nullptr;
  c->effect_ = e;
  VstAudioComponent* self = c.get();
  c->modalSource_ = os::Window::AddModalSource([self] { self->TakeInNotices(); });
  c->Dispatch(effOpen);
  c->Dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(c->sampleRate_));
  c->Dispatch(effSetBlockSize, 0, c->maxFrames_);
  return c;
}

std::unique_ptr<VstAudioComponent> VstAudioComponent::OpenSharedObject(const std::string& path,
                                                                       std::string* error) {
  void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    if (error) *error = ::dlerror();
    return nullptr;
  }
  auto entry = reinterpret_cast<EntryProc>(::dlsym(handle, "VSTPluginMain"));
  if (!entry) entry = reinterpret_cast<EntryProc>(::dlsym(handle, "main"));
  auto c = Open(entry, handle);
  if (!c) {
    if (error) *error = "the plug-in gave no instance";
    ::dlclose(handle);
  }
  return c;
}

VstAudioComponent::~VstAudioComponent() {
  if (modalSource_) os::Window::RemoveModalSource(modalSource_);
  if (mirrorCallTimer_)
    if (os::MainLoop* loop = os::MainLoop::Current()) loop->RemoveTimer(mirrorCallTimer_);
  mirrorCallTimer_ = 0;
  if (effect_) {
    if (viewOpen_) Dispatch(effEditClose);
    if (initialized_) Uninitialize();
    Dispatch(effClose);
    effect_ = nullptr;
  }
  // The plug-in is gone: no notice of it is left to come, and its runs
  // end with it.
  if (os::MainLoop* loop = os::MainLoop::Current()) loop->RemovePosted(this);
  plugInQuestion_.reset();
  plugInRun_.reset();
  if (library_) ::dlclose(library_);
}

void VstAudioComponent::MirrorPlugInModalState(const os::Window::ModalState& state) {
  using Run = os::Window::ModalInput;
  if (state.runs > 0 && !plugInRun_) plugInRun_ = std::make_unique<Run>();
  if (state.questions > 0 && !plugInQuestion_) plugInQuestion_ = std::make_unique<Run>(Run::Kind::kQuestion);
  if (state.questions == 0) plugInQuestion_.reset();
  if (state.runs == 0) plugInRun_.reset();
  CallWhileMirroring();
}

void VstAudioComponent::TakeInNotices() {
  // The view's idle when it is open, else a question the plug-in answers
  // at once: either way it hands over what waits.
  Dispatch(viewOpen_ ? effEditIdle : effGetVstVersion);
}

void VstAudioComponent::CallWhileMirroring() {
  // The program's own calls (its view's idling) may not come while a run
  // is mirrored: an alert at start-up, before the program idles the view,
  // would otherwise wait for good under a run the plug-in ended long ago.
  // So the mirror calls for its own end.
  os::MainLoop* loop = os::MainLoop::Current();
  if (!loop) return;
  const bool mirroring = plugInRun_ || plugInQuestion_;
  if (mirroring && !mirrorCallTimer_) {
    mirrorCallTimer_ = loop->AddTimer(kMirrorCallMs, kMirrorCallMs, [this] { TakeInNotices(); });
  } else if (!mirroring && mirrorCallTimer_) {
    loop->RemoveTimer(mirrorCallTimer_);
    mirrorCallTimer_ = 0;
  }
}

intptr_t VstAudioComponent::Dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                     float opt) {
  return effect_ ? effect_->dispatcher(effect_, opcode, index, value, ptr, opt) : 0;
}

VstAudioComponent* VstAudioComponent::HostOf(AEffect* effect) {
  if (!effect) return nullptr;
  const intptr_t noted = std::atomic_ref<intptr_t>(effect->resvd1).load(std::memory_order_acquire);
  return noted ? reinterpret_cast<VstAudioComponent*>(noted) : opening_.load(std::memory_order_acquire);
}

intptr_t VstAudioComponent::Callback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value,
                                     void* ptr, float) {
  switch (opcode) {
    case audioMasterVersion: return kVstVersion;
    case audioMasterGetProductString:
      if (ptr) std::strcpy(static_cast<char*>(ptr), kHostProduct);
      return 1;
    case audioMasterGetVendorVersion: return 1;
    case audioMasterWantMidi: return 1;
    case audioMasterVendorSpecific: {
      VstAudioComponent* self = HostOf(effect);
      os::MainLoop* loop = os::MainLoop::Current();
      if (index != CPlugInModalNotice::kIndex || !self || !loop) return 0;
      const os::Window::ModalState state = CPlugInModalNotice::Decode(value);
      if (loop->IsMainThread()) {
        // Handed over inside a call of the program's: mirrored at once, so
        // that a question about to show knows of the plug-in's. Each notice
        // holds the whole state: one still on its way is out of date.
        loop->RemovePosted(self);
        self->MirrorPlugInModalState(state);
      } else {
        // Another thread of the plug-in's: the windows are the main
        // thread's.
        loop->Post([self, state] { self->MirrorPlugInModalState(state); }, self);
      }
      return 1;
    }
    default: return 0;
  }
}

int32_t VstAudioComponent::SetProperty(uint32_t id, uint32_t scope, uint32_t, const void* data,
                                       uint32_t size) {
  if (id == kPropertyHostCallbacks && scope == kGlobalScope) return 0;
  if (id == TalvikHostHandshake::kProperty && scope == kGlobalScope) {
    ITALVIKHOST_talvikvstinterface1* host = nullptr;
    return TalvikHostHandshake::AcceptOnComponent(
        data, size, static_cast<TalvikComponentInterface*>(this), &host);
  }
  return kErrInvalidProperty;
}

int32_t VstAudioComponent::MIDIEvent(uint32_t status, uint32_t data1, uint32_t data2,
                                     uint32_t offset) {
  while (eventLock_.test_and_set(std::memory_order_acquire)) {
  }
  int32_t result = 0;
  if (pendingCount_ < kMaxEvents) {
    VstMidiEvent& e = pending_[pendingCount_++];
    std::memset(&e, 0, sizeof e);
    e.type = kVstMidiType;
    e.byteSize = sizeof(VstMidiEvent);
    e.deltaFrames = static_cast<int32_t>(offset);
    e.flags = kVstMidiEventIsRealtime;
    e.midiData[0] = static_cast<uint8_t>(status);
    e.midiData[1] = static_cast<uint8_t>(data1);
    e.midiData[2] = static_cast<uint8_t>(data2);
  } else {
    result = -1;
  }
  eventLock_.clear(std::memory_order_release);
  return result;
}

int32_t VstAudioComponent::Initialize() {
  if (initialized_) return 0;
  Dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate_));
  Dispatch(effSetBlockSize, 0, maxFrames_);
  Dispatch(effMainsChanged, 0, 1);
  Dispatch(effStartProcess);
  initialized_ = true;
  return 0;
}

int32_t VstAudioComponent::Uninitialize() {
  if (!initialized_) return 0;
  Dispatch(effStopProcess);
  Dispatch(effMainsChanged, 0, 0);
  initialized_ = false;
  return 0;
}

int32_t VstAudioComponent::GetMaximumFramesPerSlice(uint32_t* frames) {
  *frames = maxFrames_;
  return 0;
}

int32_t VstAudioComponent::SetMaximumFramesPerSlice(uint32_t frames) {
  if (frames == 0) return kErrInvalidPropertyValue;
  maxFrames_ = frames;
  if (!initialized_) Dispatch(effSetBlockSize, 0, frames);
  return 0;
}

int32_t VstAudioComponent::SetOutputFormat(const os::audio::AudioStreamBasicDescription& f) {
  using namespace os::audio;
  if (f.formatID != kFormatLinearPCM || f.channelsPerFrame != 2 || f.bitsPerChannel != 32 ||
      !(f.formatFlags & kFormatFlagIsFloat) || !(f.formatFlags & kFormatFlagIsNonInterleaved) ||
      f.sampleRate <= 0)
    return kErrFormatNotSupported;
  sampleRate_ = f.sampleRate;
  if (!initialized_) Dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate_));
  return 0;
}

int32_t VstAudioComponent::Render(uint32_t* actionFlags, const HostAudioTimeStamp&, uint32_t bus,
                                  uint32_t frames, os::audio::AudioBufferList* output) {
  *actionFlags = 0;
  if (!initialized_) return kErrUninitialized;
  if (bus != 0 || !output || output->numberBuffers < 2 || frames > maxFrames_) return kErrInvalidPropertyValue;
  for (int b = 0; b < 2; ++b)
    if (output->buffers[b].dataByteSize < frames * sizeof(float)) return kErrInvalidPropertyValue;
  int count = 0;
  while (eventLock_.test_and_set(std::memory_order_acquire)) {
  }
  count = pendingCount_;
  std::memcpy(rendering_, pending_, sizeof(VstMidiEvent) * count);
  pendingCount_ = 0;
  eventLock_.clear(std::memory_order_release);
  if (count) {
    block_.numEvents = count;
    for (int i = 0; i < count; ++i) {
      if (rendering_[i].deltaFrames >= static_cast<int32_t>(frames))
        rendering_[i].deltaFrames = static_cast<int32_t>(frames) - 1;
      block_.events[i] = reinterpret_cast<VstEvent*>(&rendering_[i]);
    }
    Dispatch(effProcessEvents, 0, 0, &block_);
  }
  float* outputs[2] = {static_cast<float*>(output->buffers[0].data),
                       static_cast<float*>(output->buffers[1].data)};
  float* inputs[2] = {nullptr, nullptr};
  effect_->processReplacing(effect_, inputs, outputs, static_cast<int32_t>(frames));
  return 0;
}

int32_t VstAudioComponent::OpenView(uint64_t parent, int* width, int* height) {
  if (!(effect_->flags & effFlagsHasEditor)) return kErrNoView;
  ERect* rect = nullptr;
  Dispatch(effEditGetRect, 0, 0, &rect);
  if (viewOpen_) CloseView();
  if (!Dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(static_cast<uintptr_t>(parent))))
    return kErrNoView;
  viewOpen_ = true;
  rect = nullptr;
  Dispatch(effEditGetRect, 0, 0, &rect);
  if (width) *width = rect ? rect->right - rect->left : 0;
  if (height) *height = rect ? rect->bottom - rect->top : 0;
  return 0;
}

void VstAudioComponent::CloseView() {
  if (!viewOpen_) return;
  Dispatch(effEditClose);
  viewOpen_ = false;
}

void VstAudioComponent::IdleView() {
  if (viewOpen_) Dispatch(effEditIdle);
}

void VstAudioComponent::SetKnobMode(int knobMode) { Dispatch(effSetEditKnobMode, 0, knobMode); }

bool VstAudioComponent::GetInfo(std::string* name, std::string* version) {
  // The plug-in's own name (its product string in this program is the
  // program's), so that the About box tells host and core apart. Room for
  // plug-ins that write past the 32 bytes asked for.
  char product[256] = {};
  Dispatch(effGetEffectName, 0, 0, product);
  product[kVstMaxEffectNameLen] = 0;
  const auto v = static_cast<uint32_t>(Dispatch(effGetVendorVersion));
  if (name) *name = product;
  if (version)
    *version = std::to_string(v >> 24 & 0xFF) + "." + std::to_string(v >> 16 & 0xFF) + "." +
               std::to_string(v >> 8 & 0xFF);
  return true;
}
