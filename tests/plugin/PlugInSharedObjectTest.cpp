// The built shared object, loaded as a host loads it.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "os/window/X11Window.h"
#include "tests/plugin/PlugInTestHost.h"
#include "tests/support/PngTestFile.h"
#include "tests/support/TempDir.h"
#include "tests/support/XvfbServer.h"

namespace vesk::test {
namespace {

constexpr const char* kLockFile = "vesk-plug-in-editor.lock";

bool Exists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

class SharedObject : public testing::Test {
 protected:
  TempDir folder;
  ScopedEnv lockDir{"VESK_LOCK_DIR", folder.path()};
  ScopedEnv config{"XDG_CONFIG_HOME", folder.path()};
  ScopedEnv noDisplay{"DISPLAY", ""};
  PlugInLibrary library{VESK_PLUGIN_SO_PATH};
  TestHost host;

  void SetUp() override { ASSERT_TRUE(library.Loaded()) << library.Error(); }
  AEffect* Make() { return host.Instantiate(library.Entry("VSTPluginMain")); }
};

TEST_F(SharedObject, AHostAnsweringVersionZeroGetsNoInstanceThroughEitherName) {
  host.versionAnswer = 0;
  for (const char* name : {"VSTPluginMain", "main"}) {
    EntryProc entry = library.Entry(name);
    ASSERT_NE(entry, nullptr) << name;
    EXPECT_EQ(entry(&TestHost::Callback), nullptr) << name;
  }
  EXPECT_FALSE(Exists(folder.File(kLockFile)));
  // Any other answer (some hosts answer 2) loads it.
  host.versionAnswer = 2;
  ASSERT_NE(host.Instantiate(library.Entry("main")), nullptr);
}

TEST_F(SharedObject, TheRecordDeclaresAnInstrumentWithChunksAndAnEditor) {
  AEffect* e = Make();
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->magic, 0x56737450);
  EXPECT_EQ(e->numPrograms, 2);
  EXPECT_EQ(e->numParams, 71);
  EXPECT_EQ(e->numInputs, 0);
  EXPECT_EQ(e->numOutputs, 2);
  EXPECT_EQ(e->flags, effFlagsHasEditor | effFlagsCanMono | effFlagsCanReplacing |
                          effFlagsProgramChunks | effFlagsIsSynth);
  EXPECT_EQ(e->uniqueID, FourCharCode('Q', 'V', 'S', '6'));
  EXPECT_NE(e->object, nullptr);
  EXPECT_NE(e->processReplacing, nullptr);
  EXPECT_NE(e->process, e->processReplacing);
  EXPECT_FLOAT_EQ(e->ioRatio, 1.0f);
  // Nothing but the entry points is visible to the host.
  EXPECT_EQ(library.Entry("_ZN9QuorelVst10InitializeEv"), nullptr);
  EXPECT_EQ(library.Entry("_ZN2os8MainLoop7CurrentEv"), nullptr);
}

TEST_F(SharedObject, NamesCapabilitiesAndPinsAnswerAsAnInstrument) {
  ASSERT_NE(Make(), nullptr);
  EXPECT_EQ(host.Text(effGetEffectName), "Vesk Plug-In Editor");
  EXPECT_EQ(host.Text(effGetVendorString), "TAVO");
  EXPECT_EQ(host.Text(effGetProductString), "Vesk Plug-In Editor");
  EXPECT_EQ(host.Dispatch(effGetVendorVersion), 0x01000300);
  EXPECT_EQ(host.Dispatch(effGetVstVersion), 2400);
  EXPECT_EQ(host.Dispatch(effGetPlugCategory), kPlugCategSynth);
  EXPECT_EQ(host.Dispatch(effKeysRequired), 0);
  EXPECT_EQ(host.Dispatch(effVendorSpecific, FourCharCode('P', 'r', 'e', 'S')), 0);

  const std::pair<const char*, intptr_t> canDo[] = {
      {"Oskend", 1},           {"sendVstEvents", 1},       {"sendVstMidiEvent", 1},
      {"receiveVstEvents", 1}, {"receiveVstMidiEvent", 1}, {"receiveVstTimeInfo", 1},
      {"hasCockosExtensions", 0}, {"receiveVstMidiEvents", 0}, {"", 0}};
  for (const auto& [text, answer] : canDo)
    EXPECT_EQ(host.Dispatch(effCanDo, 0, 0, const_cast<char*>(text)), answer) << text;
  EXPECT_EQ(host.Dispatch(effCanDo, 0, 0, nullptr), 0);

  VstPinProperties pin;
  for (int i : {0, 1}) {
    std::memset(&pin, 0x55, sizeof pin);
    ASSERT_EQ(host.Dispatch(effGetOutputProperties, i, 0, &pin), 1);
    EXPECT_STREQ(pin.label, "Vesk Plug-In Editor");
    EXPECT_EQ(pin.flags, kVstPinIsActive | kVstPinIsStereo);
  }
  EXPECT_EQ(host.Dispatch(effGetOutputProperties, 2, 0, &pin), 0);
  EXPECT_EQ(host.Dispatch(effGetOutputProperties, -1, 0, &pin), 0);
  EXPECT_EQ(host.Dispatch(effGetInputProperties, 0, 0, &pin), 0);

  EXPECT_EQ(host.Text(effGetProgramName), "Not available");
  EXPECT_EQ(host.Text(effGetProgramNameIndexed, 1), "Not available");
  EXPECT_EQ(host.Dispatch(effGetProgramNameIndexed, 1, 0, nullptr), 0);

  // Resuming asks the host for MIDI.
  host.Dispatch(effMainsChanged, 0, 1);
  EXPECT_EQ(host.WantMidiCount(), 1);
}

TEST_F(SharedObject, TheStandaloneHostIsToldApartByItsProductString) {
  host.productString = "Vesk Plug-In EditorHost";
  ASSERT_NE(Make(), nullptr);
  EXPECT_EQ(host.Text(effGetProductString), "Vesk Editor");
}

TEST_F(SharedObject, ParametersConvertBetweenHostValuesAndTheRowsSteps) {
  AEffect* e = Make();
  ASSERT_NE(e, nullptr);
  // The connection's start lays the initial image over what was set before
  // it (the synthesizer's memory replaces it anyway); a chunk call returns
  // only once the connection has started, so the values below stay.
  void* chunk = nullptr;
  ASSERT_GT(host.Dispatch(effGetChunk, 0, 0, &chunk), 0);
  // Parameter 0 runs from 0 to 127.
  e->setParameter(e, 0, 0.5f);
  EXPECT_FLOAT_EQ(e->getParameter(e, 0), 63.0f / 127.0f);
  EXPECT_EQ(host.Text(effGetParamDisplay, 0), "63");
  EXPECT_EQ(host.Text(effGetParamName, 0), "APiano Vol(M)   ");
  // Names are cut at 16 characters.
  EXPECT_EQ(host.Text(effGetParamName, 15), "Strings Cutoff(M");

  // Parameter 12 runs from -99 to 99: the ends, and values beyond them.
  const std::pair<float, const char*> ends[] = {
      {0.0f, "-99"}, {1.0f, "+99"}, {-3.0f, "-99"}, {7.0f, "+99"}, {0.5f, "+00"}};
  for (const auto& [value, display] : ends) {
    e->setParameter(e, 12, value);
    EXPECT_EQ(host.Text(effGetParamDisplay, 12), display) << value;
  }

  // An index without a row leaves the host's buffer as it was.
  const std::string untouched(255, 'X');
  EXPECT_EQ(host.Text(effGetParamName, 71), untouched);
  EXPECT_EQ(host.Text(effGetParamDisplay, -1), untouched);
  EXPECT_EQ(e->getParameter(e, 71), 0.0f);
}

TEST_F(SharedObject, ChunksSavedFromOneInstanceRestoreIntoANewOne) {
  AEffect* e = Make();
  ASSERT_NE(e, nullptr);
  // Chunk calls come after the start of the connection, which sets the
  // image up: after this one, the values below are not reset any more.
  void* first = nullptr;
  ASSERT_GT(host.Dispatch(effGetChunk, 0, 0, &first), 0);
  e->setParameter(e, 0, 37.0f / 127.0f);
  e->setParameter(e, 12, 0.25f);
  const float volume = e->getParameter(e, 0);
  const float cutoff = e->getParameter(e, 12);
  std::string chunks[2];
  for (int preset : {0, 1}) {
    void* data = nullptr;
    const intptr_t size = host.Dispatch(effGetChunk, preset, 0, &data);
    ASSERT_GT(size, 0) << preset;
    ASSERT_NE(data, nullptr);
    chunks[preset].assign(static_cast<const char*>(data), static_cast<size_t>(size));
  }
  EXPECT_EQ(host.Close(), 1);

  for (int preset : {0, 1}) {
    AEffect* fresh = Make();
    ASSERT_NE(fresh, nullptr);
    ASSERT_NE(fresh->getParameter(fresh, 0), volume);
    EXPECT_EQ(host.Dispatch(effSetChunk, preset, static_cast<intptr_t>(chunks[preset].size()),
                            chunks[preset].data()),
              1)
        << preset;
    EXPECT_EQ(fresh->getParameter(fresh, 0), volume) << preset;
    EXPECT_EQ(fresh->getParameter(fresh, 12), cutoff) << preset;
    // Data the model refuses is reported as a failure, and nothing escapes.
    std::string junk(300, '\x7F');
    EXPECT_EQ(host.Dispatch(effSetChunk, preset, static_cast<intptr_t>(junk.size()), junk.data()),
              0);
    EXPECT_EQ(fresh->getParameter(fresh, 0), volume);
    host.Close();
  }
}

TEST_F(SharedObject, OnlyOneInstanceWorksAtATimeAndCloseReleasesIt) {
  // A lock file left behind by a process that crashed holds no lock.
  WriteWholeFile(folder.File(kLockFile), "stale");
  ASSERT_NE(Make(), nullptr);
  EXPECT_TRUE(Exists(folder.File(kLockFile)));

  TestHost::Midi none{};
  (void)none;
  EntryProc entry = library.Entry("VSTPluginMain");
  EXPECT_EQ(entry(&TestHost::Callback), nullptr);
  EXPECT_EQ(library.Entry("QD7EditorCreateEffectInstance")(&TestHost::Callback), nullptr);

  // The first is unaffected by the refused ones; closing answers 1, deletes
  // the object (once: a second delete would be caught by the sanitizer) and
  // releases the lock.
  EXPECT_EQ(host.Text(effGetEffectName), "Vesk Plug-In Editor");
  EXPECT_EQ(host.Close(), 1);
  EXPECT_FALSE(Exists(folder.File(kLockFile)));
  ASSERT_NE(Make(), nullptr);
}

TEST_F(SharedObject, AScanningHostsInstantiateQueryCloseCycleIsQuick) {
  using Clock = std::chrono::steady_clock;
  for (int round = 0; round < 3; ++round) {
    const auto start = Clock::now();
    AEffect* e = Make();
    ASSERT_NE(e, nullptr);
    host.Text(effGetEffectName);
    host.Text(effGetVendorString);
    for (int i = 0; i < e->numParams; ++i) host.Text(effGetParamName, i);
    host.Dispatch(effCanDo, 0, 0, const_cast<char*>("receiveVstMidiEvent"));
    EXPECT_EQ(host.Close(), 1);
    // A cycle takes some 12 ms; what this guards against is a host thread
    // held by the connection's port scan, which lasts seconds. The bound
    // leaves room for a sanitizer build on a loaded machine.
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(2500)) << round;
  }
}

TEST_F(SharedObject, InstalledBesideItsBundleFolderItTakesItsPicturesFromThere) {
  ScopedEnv noResourceDir{"VESK_RESOURCE_DIR", ""};
  TempDir install;
  const std::string object = install.File("Vesk Plug-In Editor.so");
  WriteWholeFile(object, ReadWholeFile(VESK_PLUGIN_SO_PATH));
  const std::string resources = install.File("Vesk Plug-In Editor/Contents/Resources");
  ASSERT_EQ(std::system(("mkdir -p '" + resources + "'").c_str()), 0);
  const std::vector<uint32_t> pixels(64 * 48, 0xFF336699u);
  ASSERT_TRUE(WriteArgbPng(resources + "/Background_Base.png", pixels.data(), 64, 48));

  PlugInLibrary installed(object);
  ASSERT_TRUE(installed.Loaded()) << installed.Error();
  ASSERT_NE(host.Instantiate(installed.Entry("VSTPluginMain")), nullptr);
  ERect* rect = nullptr;
  ASSERT_EQ(host.Dispatch(effEditGetRect, 0, 0, &rect), 1);
  EXPECT_EQ(rect->right - rect->left, 64);
  EXPECT_EQ(rect->bottom - rect->top, 48);
  EXPECT_EQ(host.Close(), 1);
}

// The editor is a child of a window the host made, on the host's display.
class SharedObjectUnderXvfb : public UnderXvfb {
 protected:
  TempDir folder;
  ScopedEnv lockDir{"VESK_LOCK_DIR", folder.path()};
  ScopedEnv config{"XDG_CONFIG_HOME", folder.path()};
  PlugInLibrary library{VESK_PLUGIN_SO_PATH};
  TestHost host;
};

bool ShowsAPicture(os::X11Window& window) {
  std::vector<uint32_t> pixels;
  if (!window.ReadPixels(&pixels) || pixels.empty()) return false;
  for (uint32_t p : pixels)
    if (p != pixels.front()) return true;
  return false;
}

TEST_F(SharedObjectUnderXvfb, TheEditorOpensInTheHostsWindowIdlesAndCloses) {
  ScopedEnv display{"DISPLAY", server->display()};
  ASSERT_TRUE(library.Loaded()) << library.Error();
  ASSERT_NE(host.Instantiate(library.Entry("VSTPluginMain")), nullptr);
  ERect* rect = nullptr;
  ASSERT_EQ(host.Dispatch(effEditGetRect, 0, 0, &rect), 1);
  ASSERT_NE(rect, nullptr);
  const int width = rect->right - rect->left, height = rect->bottom - rect->top;
  EXPECT_GT(width, 100);
  EXPECT_GT(height, 100);

  // The test screen is smaller than the editor: the host's window shows
  // its top left part.
  auto parent = os::X11Window::CreateTopLevel(server->display().c_str(), 0, 0, 300, 200, "host");
  ASSERT_NE(parent, nullptr);
  parent->Show();
  void* xid = reinterpret_cast<void*>(static_cast<uintptr_t>(parent->NativeId()));
  for (int opening = 0; opening < 2; ++opening) {
    ASSERT_EQ(host.Dispatch(effEditOpen, 0, 0, xid), 1);
    bool shown = false;
    for (int i = 0; i < 200 && !shown; ++i) {
      // A host that calls idle, and time for the plug-in's own idle.
      host.Dispatch(effEditIdle);
      parent->Pump();
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
      shown = ShowsAPicture(*parent);
    }
    EXPECT_TRUE(shown) << opening;
    std::vector<uint32_t> pixels;
    if (opening == 0 && parent->ReadPixels(&pixels))
      WriteArgbPng(std::string(VESK_RENDER_DIR) + "/plugin-editor-in-host.png", pixels.data(), 300,
                   200);
    if (opening == 0) host.Dispatch(effEditClose);
  }
  // Closing the instance with its editor open closes the editor first.
  EXPECT_EQ(host.Close(), 1);
  parent->Pump();
}

TEST_F(SharedObjectUnderXvfb, AHostThatDestroysItsWindowFirstDoesNotLoseItsProcess) {
  ScopedEnv display{"DISPLAY", server->display()};
  ASSERT_TRUE(library.Loaded()) << library.Error();
  ASSERT_NE(host.Instantiate(library.Entry("VSTPluginMain")), nullptr);
  auto parent = os::X11Window::CreateTopLevel(server->display().c_str(), 0, 0, 300, 200, "host");
  ASSERT_NE(parent, nullptr);
  parent->Show();
  void* xid = reinterpret_cast<void*>(static_cast<uintptr_t>(parent->NativeId()));
  ASSERT_EQ(host.Dispatch(effEditOpen, 0, 0, xid), 1);
  for (int i = 0; i < 20 && !ShowsAPicture(*parent); ++i) {
    parent->Pump();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  // The host's window goes (and with it the editor's) while the editor's
  // idle still draws; the editor is closed afterwards.
  parent.reset();
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  host.Dispatch(effEditClose);
  EXPECT_EQ(host.Close(), 1);
}

}  // namespace
}  // namespace vesk::test
