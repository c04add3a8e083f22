#include "plugin/QuorelVst.h"

#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <mutex>

#include <sys/stat.h>

#include "editor/controls/FontManager.h"
#include "editor/controls/HfcDrawnForms.h"
#include "editor/controls/ResourceManager.h"
#include "editor/controls/UIFormManager.h"
#include "os/midi/machine/MachineMidi.h"
#include "platform/HfcBundle.h"
#include "plugin/CMidiFifo.h"
#include "plugin/CPlugInAlert.h"
#include "plugin/CPlugInMainLoop.h"
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
  // Only the instance that holds the lock gets a main loop of its own.
  if (lock_.Validate()) mainLoop_ = std::make_unique<CPlugInMainLoop>();
}

QuorelVst::~QuorelVst() {
  if (mainLoop_ && mainLoop_->OwnsThread() && !mainLoop_->IsMainThread()) {
    // The host's thread: shutdown runs on the main thread. A connection
    // not yet begun is skipped, one in progress is told to end (a host
    // that scans plug-ins closes at once).
    closing_ = true;
    if (connecting_) AbortConnection();
    std::mutex m;
    std::condition_variable cv;
    bool done = false;
    teardownDone_ = [&] {
      std::lock_guard<std::mutex> g(m);
      done = true;
      cv.notify_all();
    };
    mainLoop_->Loop()->Post([this] { RequestTeardown(); });
    std::unique_lock<std::mutex> lock(m);
    cv.wait(lock, [&] { return done; });
  } else {
    Teardown();
  }
  mainLoop_.reset();
  if (workerThread_.HasThread()) {
    workerRunning_ = false;
    if (workerEvent_.IsCreated()) workerEvent_.Set();
    workerThread_.Join();
  }
  workerEvent_.Destroy();
}

void QuorelVst::RequestTeardown() {
  // Inside the connection, or inside a modal run (its waits, a question),
  // the objects are still in use further up the stack: shutdown follows as
  // soon as they have returned.
  os::MainLoop* loop = mainLoop_ ? mainLoop_->Loop() : nullptr;
  if (loop && (connecting_ || loop->ModalDepth() > 0)) {
    loop->AddTimer(10, 0, [this] { RequestTeardown(); });
    return;
  }
  Teardown();
}

void QuorelVst::Teardown() {
  if (initialised_) Uninitialize();
  initialised_ = false;
  delete editor_;
  setEditor(nullptr);
  if (teardownDone_) {
    auto done = std::move(teardownDone_);
    teardownDone_ = nullptr;
    done();
  }
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
  CheckHost();
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
  automation_ = new CMidiFifo(kFifoSize);
  hostEvents_ = std::make_unique<HostEventList>();
  hostMidiEvents_ = std::make_unique<VstMidiEvent[]>(kFifoSize);
  std::memset(bankSelect_, 0xFF, sizeof bankSelect_);

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
  dispatch_ = AsyncDispatchCreate();
  workerEvent_.Create();
  workerEvent_.Reset();
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
    if (workerEvent_.IsCreated()) workerEvent_.Set();
    if (workerThread_.HasThread()) workerThread_.Join();
    workerEvent_.Destroy();
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
    delete automation_;
    fromHost_ = fromGUI_ = toHost_ = toSynth_ = automation_ = nullptr;
    StopManagers();
  } catch (...) {
  }
}

VelorVstEditor* QuorelVst::GetVstEditor() const { return static_cast<VelorVstEditor*>(editor_); }

void QuorelVst::CheckHost() {
  if (hostChecked_) return;
  // Room beyond the 64 bytes hosts are asked to keep to.
  char product[256] = {};
  getHostProductString(product);
  product[63] = 0;
  const std::string name = kEffectName;
  standaloneHost_ = product == name + "Host";
  if (!standaloneHost_) auWrapperHost_ = product == name + "AU";
  hostChecked_ = true;
}

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
      // must not be overwritten by it.
      intptr_t result = 0;
      CallAfterConnection([&] { result = AudioEffectX::dispatcher(opcode, index, value, ptr, opt); });
      return result;
    }
    default: return AudioEffectX::dispatcher(opcode, index, value, ptr, opt);
  }
}

void QuorelVst::CallAfterConnection(const std::function<void()>& fn) {
  if (!mainLoop_ || !mainLoop_->OwnsThread() || mainLoop_->IsMainThread()) {
    fn();
    return;
  }
  os::MainLoop* loop = mainLoop_->Loop();
  std::mutex m;
  std::condition_variable cv;
  bool done = false;
  std::function<void()> attempt;
  attempt = [&] {
    // Not inside the connection or a modal run: try again shortly.
    if (connecting_ || loop->ModalDepth() > 0) {
      loop->AddTimer(10, 0, attempt);
      return;
    }
    fn();
    std::lock_guard<std::mutex> g(m);
    done = true;
    cv.notify_all();
  };
  loop->Post(attempt);
  std::unique_lock<std::mutex> lock(m);
  cv.wait(lock, [&] { return done; });
}

void QuorelVst::OnAsyncEvent(long id, long param) {
  if (id == kEventSelectSound && model_) {
    Oskend::SSoundIndex sound;
    sound.bank = static_cast<uint8_t>(param >> 8);
    sound.number = static_cast<uint8_t>(param);
    model_->PutCurSound(sound);
    return;
  }
  if (id != 1 || !model_) return;
  connecting_ = true;
  if (closing_) {
    connecting_ = false;
    return;
  }
  try {
    CheckHost();
    model_->Connect(standaloneHost_, true);
  } catch (...) {
    std::printf("Exception at RemoteSynth::Connection()\n");
    std::fflush(stdout);
  }
  connecting_ = false;
}

void QuorelVst::AbortConnection() {
  if (auto* model = dynamic_cast<Oskend::CRemoteSynthImpl*>(model_)) model->AbortConnection();
}

uint32_t QuorelVst::ThreadProc() {
  while (workerRunning_) {
    if (!workerEvent_.Wait(XEvent::kInfinite)) continue;
    if (!workerRunning_) break;
    ForwardFromHost();
    ForwardAutomation();
    ForwardFromGUI();
  }
  return 0;
}

// ------------------------------------------------------------ model notices

void QuorelVst::OnRemoteSynthModeChanged(Oskend::IRemoteSynth*, int mode) {
  updateDisplay();
  if (mode == 0 || mode == 2) {
    bankSelect_[0][0] = bankSelect_[0][1] = 0xFF;
  } else if (mode == 4) {
    std::memset(bankSelect_, 0xFF, sizeof bankSelect_);
  }
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
  CheckHost();
  CopyText(text, standaloneHost_ ? kStandaloneProductName : kEffectName, kVstMaxProductStrLen - 1);
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

void QuorelVst::setSampleRate(float rate) { AudioEffectX::setSampleRate(rate); }

void QuorelVst::resume() { wantEvents(1); }

bool QuorelVst::setBypass(bool on) {
  bypassed_ = on;
  return false;
}
