#include "tests/support/pageharness/PageHarness.h"

#include <sys/stat.h>

#include <vector>

#include "editor/controls/FontManager.h"
#include "editor/controls/ResourceManager.h"
#include "editor/shell/CTabPageLayer.h"
#include "editor/shell/XELayerBase.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcControl.h"
#include "hfc/CHfcOffscreenContext.h"
#include "hfc/CHfcVstEditor.h"
#include "hfc/CHfcWindowLayer.h"
#include "model/ChunkGlobal.h"
#include "os/Alert.h"
#include "os/midi/System.h"
#include "os/window/HeadlessWindow.h"
#include "platform/HfcTime.h"
#include "tests/support/PngTestFile.h"

#ifndef VESK_PAGES_RENDER_DIR
#define VESK_PAGES_RENDER_DIR "."
#endif

namespace vesk::test {

// The editor window: its idle is driven by the harness alone, so a test
// knows exactly how many ticks have run.
class PageHarness::Editor : public CHfcVstEditor {
 public:
  Editor() : CHfcVstEditor(nullptr) {
    m_rcEditor = {0, 0, kWidth, kHeight};
    // The editor window takes the size of the panel's picture.
    if (ResourceManager* images = ResourceManager::GetInstance())
      if (CHfcBmp* base = images->LoadImage("Background_Base")) m_rcEditor = {0, 0, base->GetWidth(), base->GetHeight()};
    m_bUseIdleTimer = false;
  }
  ~Editor() override {
    if (isOpen()) close();
  }
  bool OnCreate() override {
    last_ = HfcGetSystemTimeMs();
    return true;
  }
  void OnIdle() override {
    const uint32_t now = HfcGetSystemTimeMs();
    const unsigned long elapsed = now - last_;
    last_ = now;
    std::vector<XELayerBase*> layers;
    for (int i = 0; i < GetLayerCount(); ++i)
      if (auto* layer = dynamic_cast<XELayerBase*>(GetLayerByIndex(i)))
        if (layer->IsVisible()) layers.push_back(layer);
    // A tick may close layers (the About box goes at once): as the editor
    // does, only those still in the window are idled.
    for (XELayerBase* layer : layers)
      if (GetLayerIndex(layer) >= 0) layer->Idle(elapsed);
  }
  os::HeadlessWindow* headless() { return static_cast<os::HeadlessWindow*>(GetPlatformWindow()); }

 private:
  uint32_t last_ = 0;
};

PageHarness::PageHarness() : PageHarness(Options{}) {}

PageHarness::PageHarness(Options options) {
  os::midi::System::Install(&bus_);
  os::HeadlessAlert::Reset();
  managers_ = ResourceManager::Initialize() && FontManager::Initialize();
  model_ = std::make_unique<Oskend::CRemoteSynthImpl>(nullptr);
  if (options.connect) {
    SimSynthSettings settings;
    settings.channel = 2;
    device_ = std::make_unique<SimSynthDevice>(bus_, settings, "Vesk", "Vesk");
    device_->With([](SimSynth& s) {
      s.FillPattern(11);
      s.ShapeAsInstrument();
      s.Memory()[Oskend::CHUNK_GLOBAL::kMIDIChannel] = s.Settings().channel;
    });
    model_->Connect(false, true);
    env_.loop().RunPending();
    if (options.programMode) {
      model_->PutMode(eMode_ProgEdit);
      env_.loop().RunFor(500);
    }
  }
  editor_ = std::make_unique<Editor>();
  editor_->open(nullptr);
  env_.loop().RunPending();
}

PageHarness::~PageHarness() {
  editor_.reset();
  model_.reset();
  device_.reset();
  env_.loop().RunPending();
  os::midi::System::Install(nullptr);
  os::HeadlessAlert::Reset();
  if (managers_) {
    FontManager::Uninitialize();
    ResourceManager::Uninitialize();
  }
}

Oskend::IRemoteSynth* PageHarness::synth() { return model_.get(); }
CHfcVstEditor& PageHarness::window() { return *editor_; }

bool PageHarness::AddPage(CTabPageLayer& page) {
  CTabPageLayerCreateParam p;
  p.background = page.GetBackgroundBmp();
  if (!p.background) {
    p.width = kWidth;
    p.height = kHeight;
  }
  if (!page.Create(p, editor_.get())) return false;
  page.Show(false);
  page.RequestRedraw();
  Idle();
  return true;
}

void PageHarness::DestroyPage(CTabPageLayer& page) {
  if (editor_->GetLayerIndex(&page) >= 0) editor_->RemoveLayer(&page, false);
  page.Destroy();
}

void PageHarness::Idle(uint64_t ms) {
  if (ms) env_.loop().RunFor(ms);
  env_.loop().RunPending();
  editor_->OnIdle();
}

void PageHarness::RunFor(uint64_t ms) { env_.loop().RunFor(ms); }

namespace {
os::MouseEvent MouseAt(os::MouseEvent::Kind kind, int x, int y, int clicks) {
  os::MouseEvent e;
  e.kind = kind;
  e.button = kind == os::MouseEvent::Kind::kDrag || kind == os::MouseEvent::Kind::kMove
                 ? os::MouseButton::kNone
                 : os::MouseButton::kLeft;
  e.clickCount = clicks;
  e.x = x;
  e.y = y;
  return e;
}
}  // namespace

void PageHarness::Press(int x, int y) {
  editor_->headless()->InjectMouse(MouseAt(os::MouseEvent::Kind::kDown, x, y, 1));
  env_.loop().RunPending();
}
void PageHarness::Release(int x, int y) {
  editor_->headless()->InjectMouse(MouseAt(os::MouseEvent::Kind::kUp, x, y, 1));
  env_.loop().RunPending();
}
void PageHarness::Click(int x, int y) {
  Press(x, y);
  Release(x, y);
}
std::pair<int, int> PageHarness::MiddleOf(const CHfcWindowLayer& layer, const CHfcControl& control) {
  const tagHfcRect& f = control.GetFrame();
  return {layer.GetRect().left + (f.left + f.right) / 2, layer.GetRect().top + (f.top + f.bottom) / 2};
}
void PageHarness::ClickOn(const CHfcWindowLayer& layer, const CHfcControl& control) {
  const auto [x, y] = MiddleOf(layer, control);
  Click(x, y);
}
void PageHarness::DoubleClick(int x, int y) {
  Click(x, y);
  editor_->headless()->InjectMouse(MouseAt(os::MouseEvent::Kind::kDown, x, y, 2));
  env_.loop().RunPending();
  Release(x, y);
}
void PageHarness::Drag(int x, int y) {
  editor_->headless()->InjectMouse(MouseAt(os::MouseEvent::Kind::kDrag, x, y, 1));
  env_.loop().RunPending();
}

void PageHarness::Type(const std::string& text, bool thenReturn) {
  for (unsigned char c : text) {
    editor_->headless()->InjectKey(os::KeyEvent::Kind::kDown, c);
    env_.loop().RunPending();
  }
  if (thenReturn) {
    editor_->headless()->InjectKey(os::KeyEvent::Kind::kDown, 0xFF0D);  // Return
    env_.loop().RunPending();
  }
}

void PageHarness::Key(uint32_t keysym) {
  editor_->headless()->InjectKey(os::KeyEvent::Kind::kDown, keysym);
  env_.loop().RunPending();
  editor_->headless()->InjectKey(os::KeyEvent::Kind::kUp, keysym);
  env_.loop().RunPending();
}

uint32_t PageHarness::WindowPixel(int x, int y) {
  editor_->DrawLayers(true);
  env_.loop().RunPending();
  CHfcOffscreenContext* picture = editor_->GetPicture();
  return picture ? picture->GetBmp()->GetPixel(x, y) : 0;
}

std::string PageHarness::RenderDir() {
  const std::string dir = VESK_PAGES_RENDER_DIR;
  ::mkdir(dir.c_str(), 0755);
  return dir;
}

namespace {
std::string WriteBmp(CHfcBmp* bmp, const std::string& name) {
  if (!bmp) return "";
  const std::string path = PageHarness::RenderDir() + "/" + name + ".png";
  std::vector<uint32_t> pixels(static_cast<size_t>(bmp->GetWidth()) * bmp->GetHeight());
  for (int y = 0; y < bmp->GetHeight(); ++y)
    for (int x = 0; x < bmp->GetWidth(); ++x)
      pixels[static_cast<size_t>(y) * bmp->GetWidth() + x] = bmp->GetPixel(x, y) | 0xFF000000u;
  return WriteArgbPng(path, pixels.data(), bmp->GetWidth(), bmp->GetHeight()) ? path : "";
}
}  // namespace

std::string PageHarness::RenderWindow(const std::string& name) {
  editor_->DrawLayers(true);
  env_.loop().RunPending();  // the window draws on the expose
  CHfcOffscreenContext* picture = editor_->GetPicture();
  return picture ? WriteBmp(picture->GetBmp(), name) : "";
}

std::string PageHarness::RenderLayer(CHfcWindowLayer& layer, const std::string& name) {
  return layer.GetOffscreen() ? WriteBmp(layer.GetOffscreen()->GetBmp(), name) : "";
}

}  // namespace vesk::test
