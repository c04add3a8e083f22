#include "plugin/VelorVstEditor.h"

#include <algorithm>
#include <vector>

#include "editor/controls/ResourceManager.h"
#include "editor/shell/OskendBackgroundLayer.h"
#include "editor/shell/XELayerBase.h"
#include "editor/shell/XESynthUtils.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcDrag.h"
#include "hfc/CHfcDrawContext.h"
#include "hfc/CHfcWindowLayer.h"
#include "platform/HfcTime.h"
#include "plugin/CMidiFifo.h"
#include "plugin/QuorelVst.h"
#include "remote/IRemoteSynth.h"

VelorVstEditor::VelorVstEditor(QuorelVst* effect, Oskend::IRemoteSynth* model)
    : CHfcVstEditor(&effect->EditorLink()),
      AEffEditor(effect),
      effect_(effect),
      model_(model),
      lastIdleTime_(HfcGetSystemTimeMs()) {}

VelorVstEditor::~VelorVstEditor() {
  if (CHfcVstEditor::isOpen()) CHfcVstEditor::close();
  if (sinkAdvised_ && model_) model_->UnadviseSink(this);
}

bool VelorVstEditor::Initialize() {
  CHfcDrag::Initialize();
  SetUpdateMethod(1);
  long width = 0, height = 0;
  GetDefaultWindowSize(&width, &height);
  m_rcEditor = {0, 0, static_cast<int>(width), static_cast<int>(height)};
  midiQueue_ = std::make_unique<CMidiFifo>(kQueueSize);
  if (model_) sinkAdvised_ = model_->AdviseSink(this);
  effect_->setEditor(this);
  // The title of every message box of the editor. The host is not asked
  // here, inside the entry; the plug-in sets the title again once it has.
  XESynthUtils::mProductName = effect_->KnownProductString();
  return true;
}

void VelorVstEditor::Uninitialize() {
  if (sinkAdvised_ && model_) model_->UnadviseSink(this);
  sinkAdvised_ = false;
  midiQueue_.reset();
  CHfcDrag::Uninitialize();
}

void VelorVstEditor::GetDefaultWindowSize(long* width, long* height) {
  *width = 0;
  *height = 0;
  ResourceManager* images = ResourceManager::GetInstance();
  CHfcBmp* base = images ? images->LoadImage(kBaseImage) : nullptr;
  if (!base) return;
  *width = base->GetWidth();
  *height = base->GetHeight();
}

void VelorVstEditor::MidiIn(uint8_t status, uint8_t data1, uint8_t data2) {
  if (CMidiFifo* q = midiQueue_.get()) q->Push(status, data1, data2, 0);
}

bool VelorVstEditor::open(void* window) {
  // Some hosts open again without closing first.
  if (CHfcVstEditor::isOpen()) close();
  AEffEditor::open(window);
  return CHfcVstEditor::open(window);
}

void VelorVstEditor::close() {
  CHfcVstEditor::close();
  AEffEditor::close();
}

void VelorVstEditor::draw(ERect*) {
  if (GetPlatformWindow()) UpdateNoFlush(nullptr);
}

void VelorVstEditor::UpdateNoFlush(tagHfcRect* rect) {
  if (!GetPlatformWindow()) return;
  tagHfcRect client{0, 0, 0, 0};
  GetClientRect(&client);
  tagHfcRect r = rect ? *rect : client;
  r.left = std::max(r.left, client.left);
  r.top = std::max(r.top, client.top);
  r.right = std::min(r.right, client.right);
  r.bottom = std::min(r.bottom, client.bottom);
  AddUpdateRect(&r);
}

bool VelorVstEditor::CreateBaseLayer() {
  ResourceManager* images = ResourceManager::GetInstance();
  CHfcBmp* base = images ? images->LoadImage(kBaseImage) : nullptr;
  if (!base) return false;
  auto* layer = new CHfcWindowLayer;
  rootLayer_ = layer;
  if (!layer->Create(0, 0, base->GetWidth(), base->GetHeight(), this)) return false;
  if (CHfcDrawContext* dc = layer->GetDrawContext())
    dc->CopyBmp(0, 0, base->GetWidth(), base->GetHeight(), base, 0, 0);
  layer->Show(false);
  return true;
}

bool VelorVstEditor::CreateRootLayer() {
  auto* root = new OskendBackgroundLayer(&effect_->EditorLink(), model_);
  rootLayer_ = root;
  panel_ = root;
  if (!root->Create(this)) {
    RemoveLayer(root, false);
    root->Destroy();
    delete root;
    rootLayer_ = nullptr;
    panel_ = nullptr;
    return false;
  }
  // A view rebuilt by Window > Lock or Unlock shows the page it showed.
  root->ShowPageWhenShown(carriedPage_);
  carriedPage_ = {};
  root->Show(false);
  root->RequestRedraw();
  root->Idle(0);
  return true;
}

bool VelorVstEditor::OnCreate() {
  if (!CHfcVstEditor::OnCreate()) return true;
  tagHfcRect all = m_rcEditor;
  AddUpdateRect(&all);
  lastIdleTime_ = HfcGetSystemTimeMs();
  if (!CreateRootLayer()) CreateBaseLayer();
  // Shown at once, not only at the first idle tick a sixth of a second later.
  FlushUpdateRect();
  return true;
}

void VelorVstEditor::OnIdle() {
  ++idleTicks_;
  if (CMidiFifo* q = midiQueue_.get()) {
    int n = q->Count();
    tagMidiData m;
    while (n-- > 0 && q->Pop(&m)) {
      ++midiDelivered_;
      if (panel_) panel_->OnMidiIn(m.status, m.data1, m.data2);
    }
  }
  const uint32_t now = HfcGetSystemTimeMs();
  const unsigned long elapsed = now - lastIdleTime_;
  lastIdleTime_ = now;
  // Every shown layer in stack order; the list is taken first, as a tick
  // may open or close layers.
  std::vector<XELayerBase*> layers;
  for (int i = 0; i < GetLayerCount(); ++i)
    if (auto* layer = dynamic_cast<XELayerBase*>(GetLayerByIndex(i)))
      if (layer->IsVisible()) layers.push_back(layer);
  for (XELayerBase* layer : layers)
    if (GetLayerIndex(layer) >= 0) layer->Idle(elapsed);
  FlushUpdateRect();
}

bool VelorVstEditor::OnDestroy() {
  // The standalone program closes and opens again the view of its one
  // instance only when Window > Lock or Unlock rebuild it: the page goes
  // with it. An editor a host closes opens again on its mode's first page.
  if (panel_ && effect_->IsHostStandalone()) carriedPage_ = panel_->GetShownPage();
  if (rootLayer_) {
    RemoveLayer(rootLayer_, false);
    rootLayer_->Destroy();
    delete rootLayer_;
    rootLayer_ = nullptr;
    panel_ = nullptr;
  }
  while (GetLayerCount() > 0) {
    CHfcWindowLayer* layer = GetLayerByIndex(0);
    RemoveLayer(layer, false);
    layer->Destroy();
    delete layer;
  }
  RemoveAllLayers(false);
  return CHfcVstEditor::OnDestroy();
}
