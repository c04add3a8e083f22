// Every browser and dialog opened over the editor window and drawn into
// <build>/tests/pages/browser_*.png, for a person to look at.
#include <gtest/gtest.h>

#include <functional>

#include "tests/editor/browsers/BrowserTestKit.h"

namespace {

using namespace browsertest;

TEST(BrowserRender, EveryBrowserAndDialog) {
  Bench b(3);
  SetProgram(b.h.synth(), 0, 0, "Concert Grand", 0x00);
  SetProgram(b.h.synth(), 0, 1, "Soft Strings", 0x25);
  SetProgram(b.h.synth(), 0, 2, "Analog Brass", 0x04);
  for (int i = 3; i < 128; ++i)
    SetProgram(b.h.synth(), 0, i, "Program " + std::to_string(i), static_cast<uint8_t>(i % 7));
  const eMode edit = static_cast<eMode>(3);
  struct Case {
    const char* name;
    std::function<bool()> open;
  } cases[] = {
      {"browser_sound", [&] { return b.opener.OpenBlueBrowser(-1); }},
      {"browser_load_program", [&] { return b.opener.OpenRedBrowser(0, edit, 0x0A05); }},
      {"browser_effect", [&] { return b.opener.OpenRedBrowser(1, static_cast<eMode>(0), 0x1200); }},
      {"browser_multisample", [&] { return b.opener.OpenRedBrowser(2, edit, 0x0D05); }},
      {"browser_audition_riff", [&] { return b.opener.OpenRedBrowser(5, edit, 0x10D); }},
      {"browser_parameter", [&] { return b.opener.OpenParamBrowser(6, edit, 0x10E); }},
      {"browser_ams_source", [&] { return b.opener.OpenParamBrowser(7, edit, 0x0E08); }},
      {"browser_global_parameter",
       [&] {
         return b.opener.OpenParamBrowser(6, static_cast<eMode>(6), static_cast<int>(0x8000010Au));
       }},
      {"dialog_write", [&] { return b.opener.OpenWriteBrowser(); }},
      {"dialog_rename", [&] { return b.opener.OpenRenameBrowser(0, 5); }},
      {"dialog_copy_osc", [&] { return b.opener.OpenCopyOSCBrowser(); }},
      {"dialog_copy_lfo", [&] { return b.opener.OpenCopyLFOBrowser(); }},
      {"dialog_copy_eg", [&] { return b.opener.OpenCopyEGBrowser(); }},
      {"dialog_copy_scale", [&] { return b.opener.OpenCopyScaleBrowser(); }},
      {"dialog_copy_ifx", [&] { return b.opener.OpenCopyIFXBrowser(); }},
      {"dialog_copy_mfx", [&] { return b.opener.OpenCopyMFXBrowser(); }},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(c.open()) << c.name;
    b.Idle();
    b.Idle();
    EXPECT_FALSE(b.h.RenderWindow(c.name).empty()) << c.name;
    b.opener.CloseModalBrowser();
  }
}

}  // namespace
