#include "plugin/QuorelVst.h"

#include <cstdio>
#include <cstring>
#include <iterator>
#include <sstream>
#include <utility>

#include <sys/stat.h>

#include "editor/controls/FontManager.h"
#include "editor/controls/HfcDrawnForms.h"
#include "editor/controls/ResourceManager.h"
#include "editor/controls/UIFormManager.h"
#include "editor/shell/XESynthUtils.h"
#include "model/ISection.h"
#include "model/eMode.h"
#include "os/Clock.h"
#include "os/midi/machine/MachineMidi.h"
#include "platform/HfcBundle.h"
#include "plugin/CPlugInAlert.h"
#include "plugin/CPlugInMainLoop.h"
#include "plugin/CPlugInModalNotice.h"
#include "plugin/VelorVstEditor.h"
#include "remote/CRemoteSynthImpl.h"
#include "remote/FTYPE.h"
#include "remote/IRemoteSynth.h"
#include "remote/Persist.h"

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
int g_managerCount = static_cast<int>(std::size(kManagers));

Oskend::IRemoteSynth* CreateModel(AudioEffect* effect) { return Oskend::RemoteSynthCreate(effect); }
QuorelVst::ModelFactory g_modelFactory = &CreateModel;

constexpr const char* kNotAvailable = "Not available";
// How often the values the host reads are brought in line with the image.
constexpr long kPublishPeriodMs = 50;
// With the editor open, the calls for the host wait for the thread that
// idles it; a host that has not idled it for this long gets them in its
// other calls.
constexpr uint64_t kIdleGoneUs = 250000;

void CopyText(char* out, const char* text, size_t max) {
  std::strncpy(out, text, max);
  out[max] = 0;
}

// One step of shutdown: what it throws is told and does not keep the
// steps after it from running.
template <typename Step>
void Guarded(const char* what, Step step) {
  try {
    step();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "Vesk Plug-In Editor: shutdown (%s): %s\n", what, e.what());
  } catch (...) {
    std::fprintf(stderr, "Vesk Plug-In Editor: shutdown (%s) failed\n", what);
  }
}

}  // namespace

void QuorelVst::SetModelFactory(ModelFactory factory) {
  g_modelFactory = factory ? factory : &CreateModel;
}

void QuorelVst::SetManagersForTest(const Manager* table, int count) {
  g_managers = table ? table : kManagers;
  g_managerCount = table ? count : static_cast<int>(std::size(kManagers));
}

// ------------------------------------------------------------ life cycle

QuorelVst::QuorelVst(audioMasterCallback callback) : AudioEffectX(callback, kNumPrograms, kNumParams) {
  // Only the instance that holds the lock gets a main loop of its own; a
  // host that cannot see its modal runs is told of them.
  if (lock_.Validate())
    mainLoop_ = std::make_unique<CPlugInMainLoop>([this](const os::Window::ModalState& state) {
      CallHost(audioMasterVendorSpecific, CPlugInModalNotice::kIndex, CPlugInModalNotice::Encode(state));
    });
}

QuorelVst::~QuorelVst() {
  Guarded("teardown", [this] {
    BeginClosing();
    if (mainLoop_ && !mainLoop_->IsMainThread()) {
      // The host's thread: shutdown runs on the loop thread once what runs
      // there has ended. A connection not yet begun is skipped; one in
      // progress, a transfer, a question or any other modal run ends as
      // cancelled, asked again for as long as one is left (the end of one
      // may begin another), so the host waits only for them to unwind.
      EndWhatRuns();
      mainLoop_->CallWhen(
          [this] {
            if (MayTearDown()) return true;
            EndWhatRuns();
            return false;
          },
          [this] { Teardown(); });
    } else {
      Teardown();
    }
  });
  mainLoop_.reset();
  midi_.StopWorker();
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
  while (managersStarted_ > 0) {
    const Manager& m = g_managers[--managersStarted_];
    Guarded(m.name, m.stop);
  }
}

void QuorelVst::DeclareToHost() {
  isSynth(true);
  setNumInputs(0);
  setNumOutputs(2);
  canMono(true);
  canProcessReplacing(true);
  programsAreChunks(true);
  setUniqueID(FourCharCode('Q', 'V', 'S', '6'));
}

void QuorelVst::OpenMachineMidi() {
  // Inside a host nobody else opens the machine's MIDI system: the plug-in
  // does, unless the program has installed one (the standalone host, the
  // tests).
  if (os::midi::System* installed = os::midi::System::Install(nullptr)) {
    os::midi::System::Install(installed);
  } else {
    machineMidi_ = os::midi::MachineMidi::Open(kEffectName);
    os::midi::System::Install(machineMidi_.get());
  }
}

void QuorelVst::CloseMachineMidi() {
  if (!machineMidi_) return;
  os::midi::System::Uninstall(machineMidi_.get());
  machineMidi_.reset();
}

bool QuorelVst::Initialize() {
  if (!lock_.Validate() || !StartManagers()) return false;
  // The host is asked who it is once it has the instance (at effOpen, or
  // when first needed), never from inside the entry.
  DeclareToHost();
  OpenMachineMidi();
  model_ = g_modelFactory(this);
  if (!model_) {
    // The MIDI routes and the editor need the model: without one the
    // plug-in does not load.
    Uninitialize();
    return false;
  }
  model_->AdviseSink(this);
  model_->SetRTMIDISink(&midi_);
  // What the host reads of the parameters, from the image as it starts.
  automation_.Start(model_);
  dispatch_ = AsyncDispatchCreate();
  PublishForHost();
  // The values the host reads follow the image, whoever changed it.
  if (dispatch_->CreateTimer(this, &publishTimer_)) dispatch_->SetTimerPeriod(publishTimer_, kPublishPeriodMs);
  midi_.Start(model_, dispatch_, [this] { ForwardHostParameters(); });
  auto* editor = new VelorVstEditor(this, model_);
  setEditor(editor);
  midi_.SetEditor(editor);
  const bool ok = editor->Initialize();
  // The connection waits for the host's first call: until then the host
  // cannot tell who calls it back.
  initialised_ = true;
  return ok;
}

void QuorelVst::CloseEditorWindow() {
  if (VelorVstEditor* editor = GetVstEditor())
    if (editor->isOpen()) editor->close();
}

// Every step runs, whatever an earlier one throws: what one step fails to
// release is all that stays.
void QuorelVst::Uninitialize() {
  // The window goes first: its layers point into the model, the images
  // and the MIDI rings.
  Guarded("editor window", [this] { CloseEditorWindow(); });
  if (model_) {
    Guarded("disconnect", [this] { model_->Disconnect(); });
    Guarded("model sinks", [this] {
      model_->SetRTMIDISink(nullptr);
      model_->UnadviseSink(this);
    });
  }
  Guarded("worker", [this] { midi_.StopWorker(); });
  Guarded("dispatcher", [this] {
    IAsyncDispatch* dispatch = dispatch_;
    dispatch_ = nullptr;
    delete dispatch;
  });
  Guarded("editor", [this] {
    if (VelorVstEditor* editor = GetVstEditor()) editor->Uninitialize();
  });
  automation_.Stop();
  Guarded("model", [this] {
    Oskend::IRemoteSynth* model = model_;
    model_ = nullptr;
    delete model;
  });
  Guarded("machine MIDI", [this] { CloseMachineMidi(); });
  Guarded("MIDI rings", [this] { midi_.Close(); });
  StopManagers();
}

VelorVstEditor* QuorelVst::GetVstEditor() const { return static_cast<VelorVstEditor*>(editor_); }

// ------------------------------------------------------------ the connection

void QuorelVst::open() {
  host_.CheckHost();
  StartConnectionOnce();
  // Without a loop (its thread did not start) the host's thread is the
  // only one there is.
  os::MainLoop* loop = mainLoop_ ? mainLoop_->Loop() : nullptr;
  if (!loop || loop->IsMainThread())
    PublishProductName();
  else
    loop->Post([this] { PublishProductName(); });
}

void QuorelVst::StartConnectionOnce() {
  if (!initialised_ || !dispatch_ || connectionPosted_.exchange(true)) return;
  // The host's first call comes from a thread of its GUI.
  hostCalls_.NoteGuiThread();
  // The connection needs to know who the host is: asked here, inside the
  // host's own call, before the loop thread could ask at the same time.
  host_.CheckHost();
  // Queued: it runs from the loop once the call that posts it returns.
  dispatch_->NotifyEvent(this, kEventConnect, 0, true);
}

void QuorelVst::PublishProductName() { XESynthUtils::mProductName = KnownProductString(); }

void QuorelVst::Connect() {
  connecting_ = true;
  if (!closing_) {
    try {
      host_.CheckHost();
      PublishProductName();
      model_->Connect(host_.IsHostStandalone(), true);
    } catch (...) {
      std::printf("Exception at RemoteSynth::Connection()\n");
      std::fflush(stdout);
    }
  }
  connecting_ = false;
  // A program or performance the host set before the connection ended
  // under the initial image of a connection that found no synthesizer.
  if (chunkAfterConnection_ && !model_->GetConnected() && !closing_) {
    const HostChunk chunk = *chunkAfterConnection_;
    LoadHostChunk(chunk, false);
  }
  // What the host set meanwhile goes over the image the connection laid
  // out (and so to the synthesizer); the host reads the rest again.
  connectionDone_ = true;
  if (!model_->GetConnected()) chunkAfterConnection_.reset();
  ApplyWaitingChunks();
  ApplyHostParameters();
  UpdateHostDisplay();
}

void QuorelVst::AbortConnection() {
  if (auto* model = dynamic_cast<Oskend::CRemoteSynthImpl*>(model_)) model->AbortConnection();
}

void QuorelVst::BeginClosing() {
  closing_ = true;
  hostCalls_.Close();
}

void QuorelVst::EndWhatRuns() {
  AbortConnection();
  // Only the plug-in's own loop: a program's lent loop runs the program's
  // modal runs too.
  if (mainLoop_ && mainLoop_->OwnsThread()) mainLoop_->Loop()->EndModalsFrom(0);
}

bool QuorelVst::ModelConnecting() const {
  auto* model = dynamic_cast<Oskend::CRemoteSynthImpl*>(model_);
  return model && model->IsConnecting();
}

bool QuorelVst::ImageInExchange() const {
  auto* model = dynamic_cast<Oskend::CRemoteSynthImpl*>(model_);
  return model && model->IsExchanging();
}

// ------------------------------------------------------------ calls for the host

bool QuorelVst::CallsHostDirectly() const {
  // (Closing first: the loop goes while the host closes the instance.)
  return !closing_ && !(mainLoop_ && mainLoop_->OwnsThread() && mainLoop_->IsMainThread());
}

intptr_t QuorelVst::RouteHostCall(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
  if (closing_) return 0;
  if (CallsHostDirectly()) return CallHostNow(opcode, index, value, ptr, opt);
  // The plug-in's own loop thread: handed to the host's GUI thread, unless
  // it asks the host something (nothing asks that from here).
  if (!ptr) hostCalls_.Queue({opcode, index, value, opt});
  return 0;
}

void QuorelVst::SendToHost(const QuorelVstHostCalls::Call& call) {
  // The host may read the row back inside its automate: it reads the value
  // it is told, though the editor may have moved on since.
  const bool automate = call.opcode == audioMasterAutomate;
  if (automate) automation_.Tell(call.index, call.opt);
  CallHostNow(call.opcode, call.index, call.value, nullptr, call.opt);
  if (automate) automation_.Told(call.index);
}

void QuorelVst::HandHostCallsOver(int32_t opcode) {
  // The audio thread's dispatcher call and the close take nothing.
  if (opcode == effProcessEvents || opcode == effClose) return;
  switch (opcode) {
    case effOpen:
    case effEditGetRect:
    case effEditOpen:
    case effEditClose:
    case effEditIdle: hostCalls_.NoteGuiThread(); break;
    default: break;
  }
  if (opcode != effEditIdle) {
    const bool idled =
        hostEditorOpen_ && os::NowUs() - lastEditIdleUs_.load(std::memory_order_relaxed) < kIdleGoneUs;
    if (idled || !hostCalls_.IsGuiThread()) return;
  }
  hostCalls_.Deliver();
}

// ------------------------------------------------------------ the dispatcher

intptr_t QuorelVst::dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
  // From the start of the close on, nothing reaches the host.
  if (opcode == effClose) BeginClosing();
  // The host has the instance: its first call (but an immediate close)
  // starts the connection.
  if (opcode != effClose && opcode != effProcessEvents) StartConnectionOnce();
  intptr_t result = 0;
  switch (opcode) {
    case effEditOpen:
    case effEditClose:
    case effEditTop:
    case effEditSleep:
    case effGetChunk:
    case effSetChunk: result = LoopCall(opcode, index, value, ptr, opt); break;
    case effEditIdle:
      lastEditIdleUs_.store(os::NowUs(), std::memory_order_relaxed);
      // The loop's idle timer drives the editor; a host's idle call only
      // counts where the host's thread is the loop thread.
      if (!(mainLoop_ && mainLoop_->OwnsThread() && !mainLoop_->IsMainThread()))
        result = AudioEffectX::dispatcher(opcode, index, value, ptr, opt);
      break;
    default: result = AudioEffectX::dispatcher(opcode, index, value, ptr, opt); break;
  }
  if (opcode == effEditOpen) {
    lastEditIdleUs_.store(os::NowUs(), std::memory_order_relaxed);
    hostEditorOpen_ = result != 0;
  } else if (opcode == effEditClose) {
    hostEditorOpen_ = false;
  }
  HandHostCallsOver(opcode);
  return result;
}

intptr_t QuorelVst::LoopCall(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
  // The window, its timers, the model and its image belong to the loop.
  intptr_t result = 0;
  auto call = [&] {
    // Gestures the window's controls leave open end with it.
    if (opcode == effEditClose) automation_.EndAllGestures();
    result = AudioEffectX::dispatcher(opcode, index, value, ptr, opt);
  };
  if (mainLoop_)
    mainLoop_->Call(call);
  else
    call();
  return result;
}

// ------------------------------------------------------------ the loop's events

void QuorelVst::OnAsyncEvent(long id, long) {
  if (!model_) return;
  if (id == kEventApplyParameters) {
    ApplyHostParameters();
    automation_.ApplyNoticeTaken();
  } else if (id == kEventConnect) {
    Connect();
  }
}

void QuorelVst::OnAsyncTimer(long id) {
  if (id != publishTimer_ || !model_) return;
  ApplyWaitingChunks();
  ApplyHostParameters();
  PublishForHost();
  // A value the synthesizer changed by itself (its own panel, an effect
  // type that reset the effect's parameters) reaches no report: the host
  // reads every parameter again rather than keep showing the old one.
  if (connectionDone_ && OutsideConnectionAndModals() && automation_.HostHoldsAnOldValue()) UpdateHostDisplay();
}

void QuorelVst::PublishForHost() {
  if (!model_) return;
  automation_.Publish();
  midi_.PublishGlobalChannel(model_->GetGlobalChannel());
}

void QuorelVst::ApplyHostParameters() {
  // Inside a modal run the image may be on its way to or from the
  // synthesizer: the settings wait for it to end (the timer asks again).
  if (!model_ || !connectionDone_ || !OutsideConnectionAndModals()) return;
  QuorelVstAutomation::Setting taken[QuorelVstAutomation::kCount];
  const int n = automation_.WriteSettings(taken);
  if (n == 0) return;
  PublishForHost();
  automation_.MarkApplied(taken, n);
}

void QuorelVst::UpdateHostDisplay() {
  // The host reads the parameters again: the values it reads are the
  // image's now.
  PublishForHost();
  updateDisplay();
  automation_.OnHostRereads();
}

void QuorelVst::ForwardHostParameters() {
  if (dispatch_ && automation_.ClaimApplyNotice()) dispatch_->NotifyEvent(this, kEventApplyParameters, 0, true);
}

// ------------------------------------------------------------ model notices

void QuorelVst::OnRemoteSynthModeChanged(Oskend::IRemoteSynth*, int mode) {
  UpdateHostDisplay();
  midi_.OnModeChanged(mode);
}

void QuorelVst::OnRemoteSynthCurSoundChanged(Oskend::IRemoteSynth*, const Oskend::SSoundIndex&) {
  UpdateHostDisplay();
}

void QuorelVst::OnRemoteSynthBankListChanged(Oskend::IRemoteSynth*, eMode, const Oskend::SSoundIndex&) {
  UpdateHostDisplay();
}

void QuorelVst::OnRemoteSynthProgOSCModeChanged(Oskend::IRemoteSynth*, int) { UpdateHostDisplay(); }

void QuorelVst::OnRemoteSynthNeedAutomationAPI(Oskend::IRemoteSynth*, long what) {
  // An edit of the editor's on an automated parameter: reported at once,
  // inside the gesture that made it, whether or not the editor's root
  // layer (which reports it again, finding nothing new) is there.
  Oskend::ISection* automation = model_ ? model_->GetAutomation() : nullptr;
  if (automation) automation_.ReportEdit(automation->GetIndexByParamID(static_cast<int>(what >> 16)));
}

// ------------------------------------------------------------ properties

bool QuorelVst::getEffectName(char* text) {
  CopyText(text, kEffectName, kVstMaxEffectNameLen - 1);
  return true;
}

bool QuorelVst::getVendorString(char* text) {
  CopyText(text, kVendor, kVstMaxVendorStrLen - 1);
  return true;
}

bool QuorelVst::getProductString(char* text) {
  CopyText(text, host_.ProductString(), kVstMaxProductStrLen - 1);
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
  midi_.SetSampleRate(rate);
}

bool QuorelVst::setBypass(bool on) {
  midi_.SetBypass(on);
  return false;
}

// ------------------------------------------------------------ parameters, programs, chunks

void QuorelVst::setParameter(int32_t index, float value) {
  // Whichever thread calls (the audio thread too): noted for the loop
  // thread, which owns the image, and never waited for.
  if (!automation_.HasRow(index)) return;
  automation_.Set(index, value);
  midi_.Wake();
}

void QuorelVst::getProgramName(char* text) {
  text[0] = 0;
  if (model_) std::strcpy(text, kNotAvailable);
}

bool QuorelVst::getProgramNameIndexed(int32_t, int32_t, char* text) {
  if (!model_) return false;
  std::strcpy(text, kNotAvailable);
  return true;
}

int32_t QuorelVst::getChunk(void** data, bool isPreset) {
  if (!model_ || !data) return 0;
  try {
    std::string& chunk = isPreset ? presetChunk_ : bankChunk_;
    const bool exchanging = ImageInExchange();
    // Half sent or received, or about to be replaced by a chunk that waits
    // for the exchange to end: the host gets the state as it last set or
    // got it.
    if ((exchanging || !waitingChunks_.empty()) && !chunk.empty()) {
      *data = chunk.data();
      return static_cast<int32_t>(chunk.size());
    }
    // What the host set goes into the image first, so that the chunk holds
    // it; before the connection has laid the image out it is written again
    // after it.
    QuorelVstAutomation::Setting taken[QuorelVstAutomation::kCount];
    const int n = exchanging ? 0 : automation_.WriteSettings(taken);
    PublishForHost();
    if (connectionDone_) automation_.MarkApplied(taken, n);
    Oskend::FTYPE type = Oskend::FTYPE::Bank;
    if (isPreset) {
      const int soundMode = model_->GetSoundMode();
      // Outside the two sound modes no edit buffer is current: the preset
      // then keeps the whole state, as a bank chunk does, rather than
      // nothing.
      type = soundMode == eMode_Combi      ? Oskend::FTYPE::Combi
             : soundMode == eMode_ProgPlay ? Oskend::FTYPE::Prog
                                           : Oskend::FTYPE::Bank;
    }
    std::ostringstream out(std::ios::binary);
    if (!model_->SaveStream(out, type, 0)) return 0;
    chunk = std::move(out).str();
    *data = chunk.data();
    return static_cast<int32_t>(chunk.size());
  } catch (...) {
    return 0;
  }
}

int32_t QuorelVst::setChunk(void* data, int32_t size, bool isPreset) {
  if (!model_ || !data || size <= 0) return 0;
  try {
    HostChunk chunk{isPreset, std::string(static_cast<const char*>(data), static_cast<size_t>(size))};
    // What getChunk hands back while the image is in an exchange: only a
    // chunk taken, so that the host can always set it again.
    std::string& kept = isPreset ? presetChunk_ : bankChunk_;
    std::istringstream in(chunk.bytes, std::ios::binary);
    // Only the kinds a chunk of this plug-in holds (a bank, a program or a
    // performance, bare or in a VST container); anything else is refused
    // before the model sees it. A chunk cut short fails in the model's
    // reader, which changes nothing unless the whole chunk is good.
    Oskend::FTYPE type = Oskend::FTYPE::None;
    if (!Oskend::PersistFindStreamType(in, &type, nullptr) ||
        (type != Oskend::FTYPE::Bank && type != Oskend::FTYPE::Prog && type != Oskend::FTYPE::Combi))
      return 0;
    host_.CheckHost();
    // What the host set before the chunk is replaced by it, once it is in.
    QuorelVstAutomation::Setting taken[QuorelVstAutomation::kCount];
    const int n = automation_.TakeSettings(taken);
    if (ImageInExchange() || !waitingChunks_.empty()) {
      // The image is on its way to or from the synthesizer: the chunk goes
      // in once that has ended, and the host does not wait for it. What
      // the model would refuse is refused now.
      in.clear();
      in.seekg(0);
      auto* model = dynamic_cast<Oskend::CRemoteSynthImpl*>(model_);
      if (model && !model->CanLoadStream(in)) return 0;
      chunkAfterConnection_.reset();
      kept = chunk.bytes;
      waitingChunks_.push_back(std::move(chunk));
      automation_.MarkApplied(taken, n);
      return 1;
    }
    // getChunk hands these bytes back while they are sent (the model takes
    // a chunk it reads whole, whether the synthesizer takes it or not); a
    // refused chunk puts back the bytes that were there, in the buffer the
    // host may still hold.
    std::string before = std::exchange(kept, chunk.bytes);
    if (!LoadHostChunk(chunk, true)) {
      kept = std::move(before);
      return 0;
    }
    automation_.MarkApplied(taken, n);
    return 1;
  } catch (...) {
    return 0;
  }
}

bool QuorelVst::LoadHostChunk(const HostChunk& chunk, bool hostKnows) {
  std::istringstream in(chunk.bytes, std::ios::binary);
  bool ok = false;
  try {
    // Before the synthesizer is connected the chunk lands in the image; a
    // bank is then sent to it by the connection's recall.
    ok = model_->LoadStreamFromHost(in, chunk.isPreset, false);
  } catch (...) {
    ok = false;
  }
  if (!ok) return false;
  // A program or performance has no recall: the start-up connection would
  // lay the initial image or the synthesizer's memory over it, so it goes
  // in again once that connection has ended. Once it has, one set while the
  // synthesizer is away is an edit the next connection asks about, and
  // the answer decides.
  if (chunk.isPreset && !model_->GetConnected() && !connectionDone_)
    chunkAfterConnection_ = chunk;
  else
    chunkAfterConnection_.reset();
  if (hostKnows) {
    PublishForHost();
    automation_.OnHostRereads();
  } else {
    UpdateHostDisplay();
  }
  return true;
}

void QuorelVst::ApplyWaitingChunks() {
  if (!model_ || applyingChunk_ || closing_) return;
  applyingChunk_ = true;
  while (!waitingChunks_.empty() && !ImageInExchange()) {
    const HostChunk chunk = std::move(waitingChunks_.front());
    waitingChunks_.pop_front();
    LoadHostChunk(chunk, false);
  }
  if (waitingChunks_.empty() && chunkAfterConnection_ && model_->GetConnected() && !ModelConnecting() &&
      !ImageInExchange()) {
    const HostChunk chunk = *chunkAfterConnection_;
    chunkAfterConnection_.reset();
    LoadHostChunk(chunk, false);
  }
  applyingChunk_ = false;
}
