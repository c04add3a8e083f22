#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "editor/controls/CMMPCtrlFlash.h"
#include "editor/controls/CMMPCtrlList.h"
#include "editor/controls/CMMPCtrlScrollBar.h"
#include "editor/controls/CXBCtrlEnvelopeGraph.h"
#include "editor/controls/CXBCtrlHorizontalValueBar.h"
#include "editor/controls/CXBCtrlKeyTrkGraph.h"
#include "editor/controls/CXBCtrlTG01FilterGraph.h"
#include "editor/controls/CXBCtrlVeloZoneGraph.h"
#include "editor/controls/FontManager.h"
#include "editor/controls/ResourceManager.h"
#include "editor/controls/UI_FORM_Utils.h"
#include "editor/controls/XEControlCreater.h"
#include "editor/controls/XEDropdownList.h"
#include "editor/controls/XEDropdownListSwitch.h"
#include "editor/controls/XEKnob.h"
#include "editor/controls/XESoundSelector.h"
#include "editor/controls/XESplitKeyBar.h"
#include "editor/controls/XEStaticText.h"
#include "editor/controls/ZubZoneSlopeBar.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcCtrlCharEditText.h"
#include "hfc/CHfcCtrlHorizontalSlideSwitch.h"
#include "hfc/CHfcCtrlListItem.h"
#include "hfc/CHfcCtrlSwitch.h"
#include "hfc/CHfcCtrlTextSwitch.h"
#include "hfc/CHfcOffscreenContext.h"
#include "hfc/CHfcWindowLayer.h"
#include "tests/hfc/HfcFakes.h"
#include "tests/support/TestEnvironment.h"

namespace {

constexpr int kPageW = 559;
constexpr int kPageH = 230;
constexpr int kGap = 6;

// One edit page: the sub-tab background with its group frames drawn in,
// which is also the picture the factory's controls copy behind themselves.
class Page {
 public:
  Page(CHfcWindow* window, int y) {
    ResourceManager* images = ResourceManager::GetInstance();
    back_.Create(kPageW, kPageH);
    CHfcOffscreenContext dc(&back_);
    dc.CopyBmp(0, 0, kPageW, kPageH, images->LoadImage("Background_SubTab"), 0, 0);
    base_ = images->LoadImage("Container_SubTab_Base");
    layer_.Create(0, y, kPageW, kPageH, window);
    factory.mBackground = &back_;
  }
  ~Page() {
    for (auto& c : controls_) {
      layer_.RemoveControl(c.get(), false);
      c->Destroy();
    }
    layer_.Destroy();
  }
  // A group frame of any size up to the picture's, its right and bottom
  // edges taken from the picture's own.
  void Group(int x, int y, int w, int h) {
    CHfcOffscreenContext dc(&back_);
    const int pw = base_->GetWidth();
    const int ph = base_->GetHeight();
    dc.CopyBmp(x, y, w - 2, h - 2, base_, 0, 0);
    dc.CopyBmp(x + w - 2, y, 2, h - 2, base_, pw - 2, 0);
    dc.CopyBmp(x, y + h - 2, w - 2, 2, base_, 0, ph - 2);
    dc.CopyBmp(x + w - 2, y + h - 2, 2, 2, base_, pw - 2, ph - 2);
  }
  void Panel(int x, int y, int w, int h, uint32_t colour) {
    CHfcOffscreenContext dc(&back_);
    dc.SetBrushColor(colour);
    dc.FillRect(x, y, w, h);
  }
  template <typename T>
  T* Add(T* c) {
    EXPECT_NE(c, nullptr);
    if (!c) return nullptr;
    EXPECT_TRUE(c->IsCreated());
    layer_.AddControl(c, false);
    c->Show(false);
    controls_.emplace_back(c);
    return c;
  }
  CHfcControl* Item(const UI_FORMINFO& item) {
    return Add(UI_FORM_Utils::CreateControl(&factory, item, &back_));
  }
  void Present() {
    layer_.GetOffscreen()->CopyBmp(0, 0, kPageW, kPageH, &back_, 0, 0);
    layer_.Show(false);
    for (auto& c : controls_) c->Update(true, false);
  }

  XEControlCreater factory;

 private:
  CHfcBmp back_;
  CHfcBmp* base_ = nullptr;
  CHfcWindowLayer layer_;
  std::vector<std::unique_ptr<CHfcControl>> controls_;
};

void Text(CHfcControl* c, const char* text) { c->SetPtrValue(const_cast<char*>(text), false); }

UI_FORMINFO Form(const char* cls, const char* text, const char* font, int param, int x, int y, int w, int h) {
  return {cls, text, font, 1026, param, x, y, w, h, 0, nullptr};
}

// A program page laid out as a form and built item by item, the way the
// page framework builds form pages.
void BuildFormPage(Page& p) {
  p.Group(10, 24, 193, 200);
  p.Group(206, 24, 193, 200);
  p.Group(402, 24, 147, 200);
  p.Item(Form("text", "OSC Common", "FontArialB12", -1, 15, 6, 120, 13));
  p.Item(Form("text", "Scale", "FontArialB12", -1, 211, 6, 120, 13));
  p.Item(Form("text", "Velocity Zones", "FontArialB12", -1, 407, 6, 140, 13));

  p.Item(Form("text", "Voice", "FontHelvB11", -1, 20, 28, 80, 13));
  const char* labels[] = {"Voice Assign", "Polyphony", "Priority", "Legato", "Hold", "Transpose", "Detune"};
  for (int i = 0; i < 7; ++i) p.Item(Form("text", labels[i], "FontGeneva10", -1, 20, 46 + 18 * i, 80, 13));
  auto* assign = static_cast<XEDropdownList*>(p.Item(Form("popupmenu", "", "", 1, 102, 46, 96, 13)));
  assign->AddItem("Poly", false);
  assign->AddItem("Mono", false);
  assign->SetIntValue(0, false);
  auto* poly = p.Item(Form("valuebar", "", "", 2, 102, 64, 96, 13));
  poly->SetIntValue(64, false);
  Text(poly, "64");
  auto* priority = static_cast<XEDropdownList*>(p.Item(Form("popupmenu", "", "", 3, 102, 82, 65, 13)));
  priority->AddItem("Last", false);
  priority->SetIntValue(0, false);
  p.Item(Form("checkbox", "", "", 4, 102, 100, 13, 13))->SetIntValue(1, false);
  p.Item(Form("checkbox", "", "", 5, 102, 118, 13, 13));
  Text(p.Item(Form("edittext", "", "", 6, 102, 136, 40, 13)), "+12");
  Text(p.Item(Form("edittext", "", "", 7, 102, 154, 40, 13)), "-3");
  p.Item(Form("text", "Riff", "FontHelvB11", -1, 20, 178, 80, 13));
  Text(p.Item(Form("audriffsel", "", "", 8, 20, 196, 0, 0)), "012: Funk Guitar");

  p.Item(Form("text", "Type", "FontGeneva10", -1, 216, 46, 80, 13));
  auto* type = static_cast<XEDropdownList*>(p.Item(Form("popupmenu", "", "", 9, 290, 46, 96, 13)));
  type->AddItem("Equal Temp", false);
  type->SetIntValue(0, false);
  p.Item(Form("text", "Key", "FontGeneva10", -1, 216, 64, 80, 13));
  auto* key = static_cast<XEDropdownList*>(p.Item(Form("popupmenu", "", "", 10, 290, 64, 40, 13)));
  key->AddItem("C", false);
  key->SetIntValue(0, false);
  p.Item(Form("text", "Random", "FontGeneva10", -1, 216, 82, 80, 13));
  auto* random = p.Item(Form("valuebar", "", "", 11, 290, 82, 88, 13));
  random->SetIntValue(20, false);
  Text(random, "20");
  p.Item(Form("text", "Mod Source", "FontGeneva10", -1, 216, 100, 80, 13));
  Text(p.Item(Form("paramselAMS", "", "", 12, 290, 100, 0, 0)), "03: Velocity");
  p.Item(Form("text", "Parameter", "FontGeneva10", -1, 216, 118, 80, 13));
  Text(p.Item(Form("paramsel", "", "", 13, 290, 118, 0, 0)), "Filter Cutoff");
  const char* knobs[] = {"Cutoff", "Reso", "Drive"};
  const char* values[] = {"72", "18", "0"};
  for (int i = 0; i < 3; ++i) {
    auto* knob = p.Item(Form(i == 2 ? "knob2" : "knob", "", "", 14 + i, 222 + 58 * i, 146, 40, 40));
    knob->SetIntValue(i == 0 ? 72 : i == 1 ? 18 : 0, false);
    Text(knob, values[i]);
    p.Item(Form("text", knobs[i], "FontGeneva10", -1, 212 + 58 * i, 190, 56, 13));
  }

  auto* zones = static_cast<CXBCtrlVeloZoneGraph*>(p.Item(Form("velozone", "", "", 20, 410, 32, 0, 0)));
  const int bottoms[4] = {96, 64, 32, 1};
  for (int i = 0; i < 4; ++i) {
    tagVeloZoneValue v{};
    v.index = i;
    v.on = 1;
    v.bottom = bottoms[i];
    v.fadeWidth = i < 3 ? 10 : 0;
    v.fadeCurve = i % 2;
    v.scaleTop = 127;
    zones->SetVeloZoneValue(&v, false);
  }
  for (int i = 0; i < 4; ++i) {
    p.Item(Form("text", ("Zone " + std::to_string(i + 1)).c_str(), "FontGeneva10", -1, 470, 40 + 18 * i, 50, 13));
    p.Item(Form("checkbox", "", "", 21 + i, 526, 40 + 18 * i, 13, 13))->SetIntValue(i < 3, false);
  }
  p.Item(Form("text", "Disabled", "FontGeneva10", -1, 470, 130, 60, 13))->Disable(false);
  auto* off = p.Item(Form("valuebar", "", "", 30, 452, 148, 88, 13));
  off->SetIntValue(90, false);
  Text(off, "90");
  off->Disable(false);
}

// The rest of the factory's kinds directly: graphs, bars, switches, lists.
void BuildControlPage(Page& p) {
  XEControlCreater& f = p.factory;
  p.Group(10, 6, 193, 218);
  p.Group(206, 6, 193, 218);
  p.Group(402, 6, 147, 218);
  p.Add(f.CreateLabel(16, 10, "Amp EG", 120, 13, 2, 0, 1, -1));
  auto* eg = p.Add(f.CreateEnvelopeGraph(18, 26, 2, 40));
  const int levels[6] = {0, 198, 150, 120, 120, 0};
  const int times[6] = {0, 40, 60, 90, 198, 70};
  for (int i = 0; i < 6; ++i) {
    tagEnvelopeValue v{i, levels[i], times[i]};
    eg->SetEnvelopeValue(&v, false);
  }
  p.Add(f.CreateLabel(16, 112, "Filter", 120, 13, 2, 0, 1, -1));
  auto* filter = p.Add(f.CreateTG01FilterGraph(18, 128, static_cast<int>(0xFF0060C0u), 41));
  tagFilterValue fv{0, 150, 110};
  filter->SetFilterValue(&fv, false);
  auto* miniEg = p.Add(f.CreateMiniEnvelopeGraph(100, 130, 1, 42));
  for (int i = 0; i < 6; ++i) {
    tagEnvelopeValue v{i, levels[i], times[i]};
    miniEg->SetEnvelopeValue(&v, false);
  }
  auto* miniFilter = p.Add(f.CreateMiniTG01FilterGraph(100, 176, 43));
  tagFilterValue mv{0, 150, 120};
  miniFilter->SetFilterValue(&mv, false);

  p.Add(f.CreateLabel(212, 10, "Key Track", 120, 13, 2, 0, 1, -1));
  auto* kt = p.Add(f.CreateKeyTrkGraph(216, 26, 0, 44));
  const int keys[4] = {36, 60, 84, 0};
  const int intensities[4] = {30, 60, -40, 99};
  for (int i = 0; i < 4; ++i) {
    tagKeyTrkValue v{i, keys[i], intensities[i], 1};
    kt->SetKeyTrkValue(&v, false);
  }
  p.Add(f.CreateLabel(212, 88, "Zone / Slope", 120, 13, 3, 0, 1, -1));
  auto* zone = p.Add(f.CreateZoneSlopeBar(216, 104, 45, 0));
  zone->SetParameter(ZubZoneSlopeBar::kIdZoneMin, 20, false);
  zone->SetParameter(ZubZoneSlopeBar::kIdZoneMax, 100, false);
  zone->SetParameter(ZubZoneSlopeBar::kIdSlopeMin, 40, false);
  zone->SetParameter(ZubZoneSlopeBar::kIdSlopeMax, 80, false);
  auto* dd = p.Add(f.CreateDropdownListSwitch(216, 124, 0, 1, 55));
  dd->AddItem("Category", false);
  dd->SetSelectedItemIndex(0, false);
  auto* blue = p.Add(f.CreateDropdownList(216, 146, 10, 56));
  blue->AddItem("All Sounds", false);
  blue->SetIntValue(0, false);
  auto* sound = p.Add(f.CreateSoundSelector(214, 168, 3, 9, 46, 0));
  Text(sound, "A012: Warm Analog Pad");
  auto* bar = p.Add(f.CreateHorizontalValueBar(214, 200, 154, -64, 63, 0, 47, false));
  bar->SetIntValue(-20, false);
  Text(bar, "-20");

  p.Add(f.CreateLabel(408, 10, "Switches", 120, 13, 2, 0, 1, -1));
  auto* text = p.Add(f.CreateTextSwitch(410, 30, "DropdownList_65X13", 1, 0xFF000000u, 48, 0));
  Text(text, "Text");
  p.Add(f.CreateSwitch(480, 26, "Switch_ModeSelect", 2, 49, 0))->SetIntValue(1, false);
  auto* slide = p.Add(f.CreateHorizontalSlideSwitch(518, 30, "Switch_CheckBox", 2, 50));
  slide->SetIntValue(1, false);
  for (int n = 0; n < 3; ++n) p.Add(f.CreateMIDIIndicator(410 + 18 * n, 58, n, 51 + n, false))->SetIntValue(n, false);
  p.Add(f.CreateLabel(408, 78, "Label style 7", 120, 13, 7, 0, 1, -1));
  p.Add(f.CreateLabel(408, 92, "Label style 8", 120, 13, 8, 0, 1, -1));
  // The browsers' list lies on their dark panel.
  p.Panel(408, 110, 136, 108, 0xFF07080Fu);
  auto* list = p.Add(f.CreateListControl(410, 112, 110, 104, 0, 1, 7, false, 57));
  const char* names[] = {"Init Program", "Warm Pad", "Brass Stab", "Bell Tree", "Sub Bass", "Wire Lead", "Choir", "Organ"};
  for (const char* name : names) list->AddItem()->SetCaption(name);
  list->SetItemSelected(1, true);
  auto* scroll = p.Add(f.CreateScrollBar(526, 112, 104, 1, 0, 58));
  scroll->SetMaxIntValue(1, false);
  scroll->SetPageSize(7, false);
}

// A page of every kind of control the factory makes, with values, on the
// edit page's background; the picture is left in the build folder.
TEST(FactoryPage, RendersFormAndFactoryControls) {
  vesk::test::TestEnvironment env;
  hfctest::HeadlessHfcWindow window(kPageW, 2 * kPageH + kGap);
  ASSERT_TRUE(ResourceManager::Initialize());
  ASSERT_TRUE(FontManager::Initialize());
  {
    Page formPage(&window, 0);
    Page controlPage(&window, kPageH + kGap);
    BuildFormPage(formPage);
    BuildControlPage(controlPage);
    formPage.Present();
    controlPage.Present();
    window.Update(nullptr);
    ASSERT_TRUE(window.platform()->WritePng(std::string(VESK_RENDER_DIR) + "/factory_page.png"));
    // The controls drew over the page: the knob faces and the LCD differ
    // from the background around them.
    EXPECT_NE(window.platform()->Pixel(240, 160), window.platform()->Pixel(240, 140));
  }
  FontManager::Uninitialize();
  ResourceManager::Uninitialize();
}

}  // namespace
