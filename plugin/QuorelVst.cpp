#include "plugin/QuorelVst.h"

#include <cstdio>
#include <cstring>

#include <sys/stat.h>

#include "editor/controls/FontManager.h"
#include "editor/controls/HfcDrawnForms.h"
#include "editor/controls/ResourceManager.h"
#include "editor/controls/UIFormManager.h"
#include "editor/shell/XESynthUtils.h"
#include "os/midi/machine/MachineMidi.h"
#include "platform/HfcBundle.h"
#include "plugin/CMidiFifo.h"
#include "plugin/CPlugInAlert.h"
#include "plugin/CPlugInMainLoop.h"
#include "plugin/CPlugInModalNotice.h"
#include "plugin/VelorVstEditor.h"
#include "remote/CRemoteSynthImpl.h"
#include "remote/IRemoteSynth.h"

namespace {

// An installed plug-in keeps its pictures in a bundle folder beside it:
// "<folder>/Vesk Plug-In Editor.so" and "<folder>/Vesk Plug-In Editor/
// Contents/Resources". A bundle set before (the standalone host) stays.
void FindBundleBeside() {
  if (HfcBundleRef set = HfcMacGetBundle()) {
    set->Release();
    return;
  }
  std::string image = os::Bundle::OwnImagePath();
  const size_t slash = image.find_last_of('/');
  if (image.size() < 4 || image.compare(image.size() - 3, 3, ".so") != 0 ||
      slash == std::string::npos)
    return;
  const std::string folder = image.substr(0, image.size() - 3);
  struct stat st;
  if (::stat((folder + "/Contents/Resources").c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return;
  if (HfcBundleRef bundle = os::Bundle::Create(folder)) {
    HfcMacSetBundle(bundle);
    bundle->Release();
  }
}

bool StartImages() {
  FindBundleBeside();
  return ResourceManager::Initialize();
}

bool StartForms() {
  if (!UIFormManager::Initialize()) return false;
  HfcInstallDrawnForms();
  // The alert decides per question whether anybody can answer it.
  CPlugInAlert::Install();
  return true;
}

void StopForms() {
  CPlugInAlert::Uninstall();
  HfcUninstallDrawnForms();
  UIFormManager::Uninitialize();
}

const QuorelVst::Manager kManagers[] = {
    {"images", &StartImages, &ResourceManager::Uninitialize},
    {"forms", &StartForms, &StopForms},
    {"fonts", &FontManager::Initialize, &FontManager::Uninitialize},
};

const QuorelVst::Manager* g_managers = kManagers;
int g_managerCount = 3;

Oskend::IRemoteSynth* CreateModel(AudioEffect* effect) { return Oskend::RemoteSynthCreate(effect); }
QuorelVst::ModelFactory g_modelFactory = &CreateModel;

void CopyText(char* out, const char* text, size_t max) {
  std::strncpy(out, text, max);
  out[max] = 0;
}

}  // namespace

void QuorelVst::SetModelFactory(ModelFactory factory) {
  g_modelFactory = factory ? factory : &CreateModel;
}

void QuorelVst::SetManagersForTest(const Manager* table, int count) {
  g_managers = table ? table : kManagers;
  g_managerCount = table ? count : 3;
}

QuorelVst::QuorelVst(audioMasterCallback callback) : AudioEffectX(callback, kNumPrograms, kNumParams) {
  // Only the instance that holds the lock gets a main loop of its own; a
  // host that cannot see its modal runs is told of them.
  if (lock_.Validate())
    mainLoop_ = std::make_unique<CPlugInMainLoop>([this](const os::Window::ModalState& state) {
      CallHost(audioMasterVendorSpecific, CPlugInModalNotice::kIndex, CPlugInModalNotice::Encode(state));
    });
}

QuorelVst::~QuorelVst() {
  if (mainLoop_ && !mainLoop_->IsMainThread()) {
    // The host's thread: shutdown runs on the main thread. A connection
    // not yet begun is skipped, one in progress is told to end (a host
    // that scans plug-ins closes at once).
    closing_ = true;
    if (connecting_) AbortConnection();
    mainLoop_->CallWhen([this] { return MayTearDown(); }, [this] { Teardown(); });
  } else {
    Teardown();
  }
  mainLoop_.reset();
  if (workerThread_.HasThread()) {
    workerRunning_ = false;
    workerWake_.Signal();
    workerThread_.Join();
  }
}

bool QuorelVst::OutsideConnectionAndModals() const {
  if (connecting_) return false;
  os::MainLoop* loop = mainLoop_ ? mainLoop_->Loop() : os::MainLoop::Current();
  return !loop || loop->ModalDepth() == 0;
}

bool QuorelVst::MayTearDown() const {
  // Inside the connection, inside a modal run (its waits, a question) or
  // inside the editor's own code, the objects are still in use further up
  // the stack: shutdown follows as soon as they have returned.
  const VelorVstEditor* editor = GetVstEditor();
  return OutsideConnectionAndModals() && !(editor && editor->IsDispatching());
}

void QuorelVst::Teardown() {
  if (initialised_) Uninitialize();
  initialised_ = false;
  delete editor_;
  setEditor(nullptr);
}

bool QuorelVst::StartManagers() {
  for (managersStarted_ = 0; managersStarted_ < g_managerCount; ++managersStarted_) {
    if (!g_managers[managersStarted_].start()) {
      // What started is stopped again, last first.
      StopManagers();
      return false;
    }
  }
  return true;
}

void QuorelVst::StopManagers() {
  while (managersStarted_ > 0) g_managers[--managersStarted_].stop();
}

bool QuorelVst::Initialize() {
  bypassed_ = false;
  midiOutToHost_ = false;
  if (!lock_.Validate() || !StartManagers()) return false;
  // The host is asked who it is once it has the instance (at effOpen, or
  // when first needed), never from inside the entry.
  isSynth(true);
  setNumInputs(0);
  setNumOutputs(2);
  canMono(true);
  canProcessReplacing(true);
  programsAreChunks(true);
  setUniqueID(FourCharCode('Q', 'V', 'S', '6'));
  fromHost_ = new CMidiFifo(kFifoSize);
  fromGUI_ = new CMidiFifo(kFifoSize);
  toHost_ = new CMidiFifo(kFifoSize);
  toSynth_ = new CMidiFifo(kFifoSize);
  hostEvents_ = std::make_unique<HostEventList>();
  hostMidiEvents_ = std::make_unique<VstMidiEvent[]>(kFifoSize);
  for (auto& b : bankSelect_) b.store(0xFF, std::memory_order_relaxed);

  // Inside a host nobody else opens the machine's MIDI system: the plug-in
  // does, unless the program has installed one (the standalone host, the
  // tests).
  if (os::midi::System* installed = os::midi::System::Install(nullptr)) {
    os::midi::System::Install(installed);
  } else {
    machineMidi_ = os::midi::MachineMidi::Open(kEffectName);
    os::midi::System::Install(machineMidi_.get());
  }
  model_ = g_modelFactory(this);
  if (!model_) {
    // The MIDI routes and the editor need the model: without one the
    // plug-in does not load.
    Uninitialize();
    return false;
  }
  model_->AdviseSink(this);
  model_->SetRTMIDISink(this);
  // What the host reads of the parameters, from the image as it starts.
  parameters_.Describe(model_->GetAutomation());
  PublishForHost();
  dispatch_ = AsyncDispatchCreate();
  // The values the host reads follow the image, whoever changed it.
  if (dispatch_->CreateTimer(this, &publishTimer_)) dispatch_->SetTimerPeriod(publishTimer_, 50);
  workerRunning_ = true;
  workerThread_.Run(this);

  auto* editor = new VelorVstEditor(this, model_);
  setEditor(editor);
  const bool ok = editor->Initialize();
  // Forced: queued, so it runs from the main loop once the host has the
  // instance.
  dispatch_->NotifyEvent(this, 1, 0, true);
  initialised_ = true;
  return ok;
}

void QuorelVst::CloseEditorWindow() {
  if (VelorVstEditor* editor = GetVstEditor())
    if (editor->isOpen()) editor->close();
}

void QuorelVst::Uninitialize() {
  try {
    // The window goes first: its layers point into the model, the images
    // and the MIDI queues.
    CloseEditorWindow();
    if (model_) {
      model_->Disconnect();
      model_->SetRTMIDISink(nullptr);
      model_->UnadviseSink(this);
    }
    workerRunning_ = false;
    workerWake_.Signal();
    if (workerThread_.HasThread()) workerThread_.Join();
    delete dispatch_;
    dispatch_ = nullptr;
    if (VelorVstEditor* editor = GetVstEditor()) editor->Uninitialize();
    delete model_;
    model_ = nullptr;
    if (machineMidi_) {
      os::midi::System::Uninstall(machineMidi_.get());
      machineMidi_.reset();
    }
    delete fromHost_;
    delete fromGUI_;
    delete toHost_;
    delete toSynth_;
    fromHost_ = fromGUI_ = toHost_ = toSynth_ = nullptr;
    StopManagers();
  } catch (...) {
  }
}

VelorVstEditor* QuorelVst::GetVstEditor() const { return static_cast<VelorVstEditor*>(editor_); }

void QuorelVst::CheckHost() {
  // Any thread; two first calls at once both ask, and agree.
  if (hostChecked_.load(std::memory_order_acquire)) return;
  // Room beyond the 64 bytes hosts are asked to keep to.
  char product[256] = {};
  getHostProductString(product);
  product[63] = 0;
  const std::string name = kEffectName;
  const bool standalone = product == name + "Host";
  standaloneHost_.store(standalone, std::memory_order_relaxed);
  auWrapperHost_.store(!standalone && product == name + "AU", std::memory_order_relaxed);
  hostChecked_.store(true, std::memory_order_release);
}

void QuorelVst::open() {
  CheckHost();
  // Without a loop (its thread did not start) the host's thread is the
  // only one there is.
  os::MainLoop* loop = mainLoop_ ? mainLoop_->Loop() : nullptr;
  if (!loop || loop->IsMainThread())
    PublishProductName();
  else
    loop->Post([this] { PublishProductName(); });
}

std::string QuorelVst::KnownProductString() const {
  const bool standalone =
      hostChecked_.load(std::memory_order_acquire) && standaloneHost_.load(std::memory_order_relaxed);
  return standalone ? kStandaloneProductName : kEffectName;
}

void QuorelVst::PublishProductName() { XESynthUtils::mProductName = KnownProductString(); }

bool QuorelVst::IsHostStandalone() {
  CheckHost();
  return standaloneHost_;
}

bool QuorelVst::IsHostAUWrapper() {
  CheckHost();
  return auWrapperHost_;
}

intptr_t QuorelVst::dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                               float opt) {
  switch (opcode) {
    case effEditOpen:
    case effEditClose:
    case effEditTop:
    case effEditSleep: {
      // The window and its timers belong to the main loop.
      intptr_t result = 0;
      auto call = [&] { result = AudioEffectX::dispatcher(opcode, index, value, ptr, opt); };
      if (mainLoop_)
        mainLoop_->Call(call);
      else
        call();
      return result;
    }
    case effEditIdle:
      // The main loop's idle timer drives the editor; a host's idle call only
      // counts where the host's thread is the main thread.
      if (mainLoop_ && mainLoop_->OwnsThread() && !mainLoop_->IsMainThread()) return 0;
      return AudioEffectX::dispatcher(opcode, index, value, ptr, opt);
    case effGetChunk:
    case effSetChunk: {
      // State from the host follows the connection's start, which sets up
      // the image first; a session restored right after instantiation
      // must not be overwritten by it. Parameters the host set before
      // reach the image first.
      intptr_t result = 0;
      CallAfterConnection([&] {
        // Even before the connection (a host on the main thread): the
        // chunk saved holds them, and one loaded replaces them. Settings
        // the connection would lay the image over are written again after
        // it.
        CParameterMirror::Setting taken[CParameterMirror::kCount];
        const int n = WriteHostParameters(taken);
        result = AudioEffectX::dispatcher(opcode, index, value, ptr, opt);
        PublishForHost();
        if (connectionDone_ || opcode == effSetChunk)
          for (int i = 0; i < n; ++i) parameters_.MarkApplied(taken[i]);
      });
      return result;
    }
    default: return AudioEffectX::dispatcher(opcode, index, value, ptr, opt);
  }
}

void QuorelVst::CallAfterConnection(const std::function<void()>& fn) {
  if (!mainLoop_) {
    fn();
    return;
  }
  mainLoop_->CallWhen([this] { return OutsideConnectionAndModals(); }, fn);
}

void QuorelVst::OnAsyncEvent(long id, long param) {
  if (!model_) return;
  if (id == kEventSelectSound) {
    Oskend::SSoundIndex sound;
    sound.bank = BankForProgramChange(static_cast<uint8_t>(param >> 16), static_cast<uint8_t>(param >> 8));
    sound.number = static_cast<uint8_t>(param);
    model_->PutCurSound(sound);
    return;
  }
  if (id == kEventApplyParameters) {
    ApplyHostParameters();
    // Only now may the worker post again: a host that sets without pause
    // must not keep the main thread's queue from ever running dry. What
    // was set meanwhile comes with the next setting or the timer.
    parametersPosted_.store(false, std::memory_order_release);
    return;
  }
  if (id != 1) return;
  connecting_ = true;
  if (!closing_) {
    try {
      CheckHost();
      PublishProductName();
      model_->Connect(standaloneHost_, true);
    } catch (...) {
      std::printf("Exception at RemoteSynth::Connection()\n");
      std::fflush(stdout);
    }
  }
  connecting_ = false;
  // What the host set meanwhile goes over the image the connection laid
  // out (and so to the synthesizer).
  connectionDone_ = true;
  ApplyHostParameters();
  PublishForHost();
}

void QuorelVst::OnAsyncTimer(long id) {
  if (id != publishTimer_ || !model_) return;
  ApplyHostParameters();
  PublishForHost();
}

void QuorelVst::PublishForHost() {
  if (!model_) return;
  parameters_.Publish(model_->GetAutomation(), model_->GetEditBuffer(0));
  globalChannel_.store(model_->GetGlobalChannel() & 0xFF, std::memory_order_release);
}

void QuorelVst::ApplyHostParameters() {
  // Inside a modal run the image may be on its way to or from the
  // synthesizer: the settings wait for it to end (the timer asks again).
  if (!model_ || !connectionDone_ || !OutsideConnectionAndModals()) return;
  CParameterMirror::Setting taken[CParameterMirror::kCount];
  const int n = WriteHostParameters(taken);
  if (n == 0) return;
  PublishForHost();
  for (int i = 0; i < n; ++i) parameters_.MarkApplied(taken[i]);
}

int QuorelVst::WriteHostParameters(CParameterMirror::Setting* taken) {
  const int n = parameters_.TakePending(taken);
  for (int i = 0; i < n; ++i) WriteParameter(taken[i].index, taken[i].value);
  return n;
}

void QuorelVst::AbortConnection() {
  if (auto* model = dynamic_cast<Oskend::CRemoteSynthImpl*>(model_)) model->AbortConnection();
}

uint32_t QuorelVst::ThreadProc() {
  while (workerRunning_) {
    workerWake_.Wait();
    if (!workerRunning_) break;
    ForwardFromHost();
    ForwardHostParameters();
    ForwardFromGUI();
    hostMidiLost_.Tell();
  }
  return 0;
}

void QuorelVst::ForwardHostParameters() {
  // One notice at a time reaches the main thread, which takes every
  // setting that is waiting.
  if (!dispatch_ || !parameters_.HasPending()) return;
  if (parametersPosted_.exchange(true, std::memory_order_acq_rel)) return;
  dispatch_->NotifyEvent(this, kEventApplyParameters, 0, true);
}

// ------------------------------------------------------------ model notices

void QuorelVst::OnRemoteSynthModeChanged(Oskend::IRemoteSynth*, int mode) {
  updateDisplay();
  if (mode == 0 || mode == 2 || mode == 4)
    for (auto& b : bankSelect_) b.store(0xFF, std::memory_order_relaxed);
}

void QuorelVst::OnRemoteSynthCurSoundChanged(Oskend::IRemoteSynth*, const Oskend::SSoundIndex&) {
  updateDisplay();
}

void QuorelVst::OnRemoteSynthBankListChanged(Oskend::IRemoteSynth*, eMode,
                                             const Oskend::SSoundIndex&) {
  updateDisplay();
}

void QuorelVst::OnRemoteSynthProgOSCModeChanged(Oskend::IRemoteSynth*, int) { updateDisplay(); }

// ---------------------------------------------------------------- properties

bool QuorelVst::getEffectName(char* text) {
  CopyText(text, kEffectName, kVstMaxEffectNameLen - 1);
  return true;
}

bool QuorelVst::getVendorString(char* text) {
  CopyText(text, kVendor, kVstMaxVendorStrLen - 1);
  return true;
}

bool QuorelVst::getProductString(char* text) {
  CopyText(text, IsHostStandalone() ? kStandaloneProductName : kEffectName, kVstMaxProductStrLen - 1);
  return true;
}

int32_t QuorelVst::canDo(char* text) {
  if (!text || !*text) return 0;
  static const char* const kYes[] = {"Oskend", "sendVstEvents", "sendVstMidiEvent",
                                     "receiveVstEvents", "receiveVstMidiEvent",
                                     "receiveVstTimeInfo"};
  for (const char* yes : kYes)
    if (std::strcmp(text, yes) == 0) return 1;
  return 0;
}

bool QuorelVst::getInputProperties(int32_t index, VstPinProperties* props) {
  if (index < 0 || index >= GetNumInputs() || !props) return false;
  std::memset(props, 0, sizeof *props);
  CopyText(props->label, kEffectName, sizeof props->label - 1);
  props->flags = kVstPinIsActive | kVstPinIsStereo;
  return true;
}

bool QuorelVst::getOutputProperties(int32_t index, VstPinProperties* props) {
  if (index < 0 || index >= GetNumOutputs() || !props) return false;
  std::memset(props, 0, sizeof *props);
  CopyText(props->label, kEffectName, sizeof props->label - 1);
  props->flags = kVstPinIsActive | kVstPinIsStereo;
  return true;
}

void QuorelVst::setSampleRate(float rate) {
  AudioEffectX::setSampleRate(rate);
  midiRate_.store(rate, std::memory_order_release);
}

void QuorelVst::resume() { wantEvents(1); }

bool QuorelVst::setBypass(bool on) {
  bypassed_ = on;
  return false;
}
