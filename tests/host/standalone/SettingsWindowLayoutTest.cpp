// The Settings window's layout as a person meets it, each pane with the
// long names real systems give their devices and ports: every text lies in
// the window, whole, inside the control it belongs to or clear of every
// control, and no two controls lie on each other. A name longer than any
// window shows cut with "..." inside its control. Each pane is drawn into
// <build>/tests/pages (settings_*.png).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/StandaloneApp.h"
#include "hfc/HfcTextFit.h"
#include "os/Menu.h"
#include "os/window/HeadlessWindow.h"
#include "tests/host/standalone/StandaloneFixture.h"
#include "tests/support/PngTestFile.h"
#include "tests/support/pageharness/LayoutScene.h"
#include "tests/support/pageharness/PageHarness.h"

namespace vesk::test {
namespace {

using D = SettingsDialog;
using W = SettingsWindow;

// The null device every ALSA installation has, named as the audio system
// names it: its description, then its name.
constexpr const char* kAlsaNullDevice = "Discard all samples (playback) or generate zero samples (capture) (null)";

struct Box {
  int left, top, right, bottom;
  bool Meets(const Box& o) const { return left < o.right && o.left < right && top < o.bottom && o.top < bottom; }
  bool Inside(const Box& o) const { return left >= o.left && top >= o.top && right <= o.right && bottom <= o.bottom; }
};

Box BoxOf(const W::Place& p) { return {p.x, p.y, p.x + p.w, p.y + p.h}; }

std::string NameOf(const W::Place& p) {
  return p.label ? "'" + std::string(p.label) + "'" : "the text control at x " + std::to_string(p.x);
}

class SettingsWindowLayout : public StandaloneFixture {
 protected:
  SettingsWindowLayout() {
    registry.Register("Test", EditorComponentDescription(),
                      []() -> std::unique_ptr<AudioComponent> { return std::make_unique<TestAudioComponent>(); });
  }
  ~SettingsWindowLayout() override {
    app.reset();
    os::HeadlessMenuTracker::Reset();
  }

  void Open() {
    StandaloneApp::Options o;
    o.exit = [](int) {};
    app = std::make_unique<StandaloneApp>(registry, o);
    ASSERT_EQ(app->Start(), 0);
    ASSERT_EQ(app->commandHandler(StandaloneApp::kPref, StandaloneApp::kCommandFromMenu), 0);
    window = static_cast<os::HeadlessWindow*>(app->settingsWindow().window());
    ASSERT_NE(window, nullptr);
  }
  // Chooses the item of a popup whose text holds `name`, through its menu,
  // as a person does.
  void Choose(uint32_t signature, int index, const std::string& name) {
    const auto& items = app->dialog().grabCRef(signature, index)->items;
    int item = -1;
    for (size_t i = 0; i < items.size(); ++i)
      if (items[i].text.find(name) != std::string::npos) item = static_cast<int>(i);
    ASSERT_GE(item, 0) << name;
    for (const W::Place& p : W::Layout())
      if (p.signature == signature && p.index == index) {
        ShowPane(p.pane);
        os::HeadlessMenuTracker::ScriptIndex({item});
        window->InjectClick(os::MouseButton::kLeft, p.x + p.w / 2, p.y + p.h / 2);
        env.loop().RunFor(1);
      }
    ASSERT_EQ(app->dialog().Value(signature, index), item + 1) << name;
  }
  // Shows the pane through its tab and draws it, listening to its texts.
  std::vector<tagHfcBoxedText> ShowPane(int pane) {
    for (const W::Place& p : W::Layout())
      if (p.kind == W::Kind::kTab && p.index == pane)
        window->InjectClick(os::MouseButton::kLeft, p.x + p.w / 2, p.y + p.h / 2);
    env.loop().RunFor(1);
    EXPECT_EQ(app->dialog().lastPaneSelected(), pane);
    DrawRecorder heard;
    app->settingsWindow().Refresh();
    return heard.texts;
  }
  // What a person would find wrong on the pane shown.
  std::vector<std::string> Faults(int pane, const std::vector<tagHfcBoxedText>& texts) {
    std::vector<std::string> faults;
    std::vector<const W::Place*> shown;
    for (const W::Place& p : W::Layout())
      if (p.pane == 0 || p.pane == pane) shown.push_back(&p);
    const Box client{0, 0, W::kWidth, W::kHeight};
    for (size_t i = 0; i < shown.size(); ++i) {
      if (!BoxOf(*shown[i]).Inside(client)) faults.push_back(NameOf(*shown[i]) + " reaches past the window");
      for (size_t j = i + 1; j < shown.size(); ++j)
        if (BoxOf(*shown[i]).Meets(BoxOf(*shown[j])))
          faults.push_back(NameOf(*shown[i]) + " lies on " + NameOf(*shown[j]));
    }
    for (const tagHfcBoxedText& t : texts) {
      const Box box{t.x, t.y, t.x + t.width, t.y + t.font->cellHeight};
      const std::string what = "\"" + t.text + "\"";
      if (!box.Inside(client)) faults.push_back(what + " is drawn in a box reaching past the window");
      const int width = HfcGetBmpTextInkWidth(t.font, t.text);
      if (width > t.width)
        faults.push_back(what + " is " + std::to_string(width) + " px wide, its box " + std::to_string(t.width));
      // A control's own text lies inside it; any other text, such as a
      // label, clear of every control.
      const W::Place* owner = nullptr;
      for (const W::Place* p : shown)
        if (box.Inside(BoxOf(*p))) owner = p;
      for (const W::Place* p : shown)
        if (!owner && box.Meets(BoxOf(*p))) faults.push_back(what + " lies under " + NameOf(*p));
    }
    return faults;
  }
  void Picture(const std::string& name) {
    WriteArgbPng(PageHarness::RenderDir() + "/" + name + ".png", window->Pixels().data(), window->Width(),
                 window->Height());
  }

  HeadlessProgramWindows windows;
  AudioComponentRegistry registry;
  std::unique_ptr<StandaloneApp> app;
  os::HeadlessWindow* window = nullptr;
};

std::string Join(const std::vector<std::string>& faults) {
  std::string all;
  for (const std::string& f : faults) all += "\n  " + f;
  return all;
}

TEST_F(SettingsWindowLayout, EveryPaneShowsItsTextsWholeInsideTheirControlsAndClearOfTheOthers) {
  audio.AddDevice(ClockedStereoDevice(kAlsaNullDevice, "S/PDIF coaxial digital input"));
  // A sequencer port as ALSA names a USB keyboard's.
  const std::string keys = "USB MIDI Keyboard Controller MIDI 1";
  auto keyboard = AddPort("USB MIDI Keyboard Controller", keys);
  Open();
  Choose(D::kOUTP, 0, kAlsaNullDevice);
  Choose(D::kCLOK, 0, "S/PDIF");
  Choose(D::kMIDI, 0, keys);

  const char* const kPictures[] = {"", "settings_audio_output", "settings_midi", "settings_other"};
  int heard = 0;
  for (int pane = 1; pane <= 3; ++pane) {
    const std::vector<tagHfcBoxedText> texts = ShowPane(pane);
    heard += static_cast<int>(texts.size());
    Picture(kPictures[pane]);
    const std::vector<std::string> faults = Faults(pane, texts);
    EXPECT_TRUE(faults.empty()) << "pane " << pane << ":" << Join(faults);
  }
  // Every pane's labels, controls and buttons were heard.
  EXPECT_GT(heard, 3 * 8);
}

TEST_F(SettingsWindowLayout, ANameLongerThanTheWindowIsCutWithDotsInsideItsControl) {
  const std::string name = std::string(kAlsaNullDevice) + " " + kAlsaNullDevice;
  audio.AddDevice(StereoDevice(name));
  Open();
  Choose(D::kOUTP, 0, name);
  const std::vector<tagHfcBoxedText> texts = ShowPane(1);
  Picture("settings_audio_output_long_name");
  const W::Place* output = nullptr;
  for (const W::Place& p : W::Layout())
    if (p.signature == D::kOUTP) output = &p;
  ASSERT_NE(output, nullptr);
  int seen = 0;
  for (const tagHfcBoxedText& t : texts) {
    if (t.text != name) continue;
    ++seen;
    const std::string shown = HfcFitBmpText(t.font, t.text, t.width);
    EXPECT_EQ(shown.substr(shown.size() - 3), "...") << shown;
    EXPECT_EQ(name.compare(0, shown.size() - 3, shown, 0, shown.size() - 3), 0) << shown;
    EXPECT_TRUE((Box{t.x, t.y, t.x + t.width, t.y + t.font->cellHeight}.Inside(BoxOf(*output)))) << t.x;
  }
  EXPECT_EQ(seen, 1);
  // Only that name: nothing else on the pane is cut or covered.
  std::vector<std::string> faults = Faults(1, texts);
  std::erase_if(faults, [&](const std::string& f) { return f.rfind("\"" + name + "\" is ", 0) == 0; });
  EXPECT_TRUE(faults.empty()) << Join(faults);
}

}  // namespace
}  // namespace vesk::test
