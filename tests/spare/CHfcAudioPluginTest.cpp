#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "plugin/Vst2Abi.h"
#include "spare/CHfcAudioPlugin.h"
#include "spare/CHfcVstPlugin.h"

namespace {

struct Recorder : CHfcAudioPluginListener {
  Recorder(std::string n, std::vector<std::string>* log) : name(std::move(n)), log(log) {}
  void OnHfcAudioPluginIntValueChanged(CHfcAudioPlugin* p, long type, long index, long value,
                                       long flags) override {
    EXPECT_EQ(p, expected);
    log->push_back(name + ":" + std::to_string(type) + "," + std::to_string(index) + "," +
                   std::to_string(value) + "," + std::to_string(flags));
  }
  void OnHfcAudioPluginIdle(CHfcAudioPlugin*) override {
    log->push_back(name);
    if (onIdle) onIdle();
  }
  std::string name;
  std::vector<std::string>* log;
  CHfcAudioPlugin* expected = nullptr;
  std::function<void()> onIdle;
};

// A model that records what the adapter forwards.
struct Model : CHfcAudioPlugin {
  long GetUniqueID() override { return 0x56736b31; }
  long GetNumPrograms() override { return 4; }
  long GetNumParameters(long type) override { return type == 0 ? 7 : 0; }
  void SetParameterFloat(long type, long index, float value, long flags) override {
    calls.push_back("SetParameterFloat " + std::to_string(type) + " " + std::to_string(index) +
                    " " + std::to_string(value) + " " + std::to_string(flags));
  }
  float GetParameterFloat(long type, long index) override { return 0.25f * index + type; }
  void GetParameterName(long type, long index, char* text, long size) override {
    calls.push_back("GetParameterName " + std::to_string(type) + " " + std::to_string(index) +
                    " " + std::to_string(size));
    std::strcpy(text, "Cutoff");
  }
  using CHfcAudioPlugin::GetProgramName;
  void GetProgramName(long program, char* text, long size) override {
    calls.push_back("GetProgramName " + std::to_string(program) + " " + std::to_string(size));
    std::strcpy(text, "Pad");
  }
  void SetProgramIndex(long index, long flags) override {
    calls.push_back("SetProgramIndex " + std::to_string(index) + " " + std::to_string(flags));
    PostSetProgramIndex(index);
  }
  long GetProgramData(void** data) override {
    *data = program;
    return 3;
  }
  long GetBankData(void** data) override {
    *data = bank;
    return 5;
  }
  void SetProgramData(void*, long size) override {
    calls.push_back("SetProgramData " + std::to_string(size));
  }
  void SetBankData(void*, long size) override {
    calls.push_back("SetBankData " + std::to_string(size));
  }
  void MidiIn(long s, long d1, long d2, long delta) override {
    calls.push_back("MidiIn " + std::to_string(s) + " " + std::to_string(d1) + " " +
                    std::to_string(d2) + " " + std::to_string(delta));
  }
  void SetSampleRate(float rate) override { calls.push_back("SetSampleRate " + std::to_string(rate)); }
  void SetBlockSize(long size) override { calls.push_back("SetBlockSize " + std::to_string(size)); }
  void Initialize() override { calls.push_back("Initialize"); }
  void Uninitialize() override { calls.push_back("Uninitialize"); }
  void StartAudio() override { calls.push_back("StartAudio"); }
  void StopAudio() override { calls.push_back("StopAudio"); }
  bool GetVendorName(char* text, int size) override {
    calls.push_back("GetVendorName " + std::to_string(size));
    std::strcpy(text, "Vesk");
    return true;
  }
  std::vector<std::string> calls;
  char program[3] = {};
  char bank[5] = {};
};

struct Bare : CHfcAudioPlugin {
  long GetUniqueID() override { return 1; }
};

TEST(CHfcAudioPlugin, ListenersAreNotifiedLastAddedFirstWithTheModelAndItsArguments) {
  Bare model;
  std::vector<std::string> log;
  Recorder a("A", &log), b("B", &log), c("C", &log);
  for (Recorder* r : {&a, &b, &c}) {
    r->expected = &model;
    EXPECT_EQ(model.AddListener(r), 1);
  }
  model.PostSetParameterInt(2, 9, -3, 64);
  EXPECT_EQ(log, (std::vector<std::string>{"C:2,9,-3,64", "B:2,9,-3,64", "A:2,9,-3,64"}));

  Recorder never("N", &log);
  EXPECT_EQ(model.RemoveListener(&never), 0);
  EXPECT_EQ(model.GetListenerCount(), 3);
  EXPECT_EQ(model.RemoveListener(&b), 1);
  EXPECT_EQ(model.RemoveListener(&b), 0);
  log.clear();
  model.Idle();
  EXPECT_EQ(log, (std::vector<std::string>{"C", "A"}));
}

TEST(CHfcAudioPlugin, AListenerMayRemoveItselfOrOthersDuringANotification) {
  Bare model;
  std::vector<std::string> log;
  Recorder a("A", &log), b("B", &log), c("C", &log), d("D", &log);
  for (Recorder* r : {&a, &b, &c}) model.AddListener(r);
  // C, called first, takes itself and A off and adds D: B is still called,
  // A no longer, D only from the next round.
  c.onIdle = [&] {
    model.RemoveListener(&c);
    model.RemoveListener(&a);
    model.AddListener(&d);
  };
  model.Idle();
  EXPECT_EQ(log, (std::vector<std::string>{"C", "B"}));
  log.clear();
  model.Idle();
  EXPECT_EQ(log, (std::vector<std::string>{"D", "B"}));
}

TEST(CHfcAudioPlugin, BaseAnswers) {
  Bare model;
  char text[8] = "keep";
  EXPECT_EQ(model.GetParameterFloat(0, 0), 0.0f);
  EXPECT_FALSE(model.SetParameterText(0, 0, "1", 0));
  EXPECT_FALSE(model.IsParameterAutomatable(0, 0));
  EXPECT_EQ(model.GetNumParameterTypes(), 1);
  EXPECT_EQ(model.GetNumPrograms(), 1);
  EXPECT_EQ(model.GetNumBanks(), 1);
  EXPECT_EQ(model.GetNumInputs(), 1);
  EXPECT_EQ(model.GetNumOutputs(), 1);
  EXPECT_EQ(model.GetSampleRate(), 44100.0f);
  EXPECT_EQ(model.GetBlockSize(), 1);
  EXPECT_FALSE(model.CopyProgram(1));
  EXPECT_FALSE(model.GetEffectName(text, sizeof text));
  EXPECT_STREQ(text, "keep");
}

intptr_t Dispatch(AudioEffect& e, int32_t op, int32_t index = 0, intptr_t value = 0,
                  void* ptr = nullptr, float opt = 0) {
  AEffect* a = e.getAeffect();
  return a->dispatcher(a, op, index, value, ptr, opt);
}

TEST(CHfcVstPlugin, ForwardsTheHostsCallsToTheModel) {
  Model model;
  // The host's close destroys the plug-in object.
  auto* owned = new CHfcVstPlugin(nullptr, &model);
  CHfcVstPlugin& vst = *owned;
  AEffect* a = vst.getAeffect();
  EXPECT_EQ(a->numPrograms, 4);
  EXPECT_EQ(a->numParams, 7);
  EXPECT_EQ(model.GetListenerCount(), 1);

  a->setParameter(a, 3, 0.5f);
  EXPECT_FLOAT_EQ(a->getParameter(a, 2), 0.5f);
  char name[64] = {};
  Dispatch(vst, effGetParamName, 5, 0, name);
  EXPECT_STREQ(name, "Cutoff");
  Dispatch(vst, effOpen);
  Dispatch(vst, effSetSampleRate, 0, 0, nullptr, 48000.0f);
  Dispatch(vst, effSetBlockSize, 0, 256);
  EXPECT_EQ(vst.getSampleRate(), 48000.0f);
  EXPECT_EQ(vst.getBlockSize(), 256);
  Dispatch(vst, effMainsChanged, 0, 1);
  Dispatch(vst, effMainsChanged, 0, 0);
  EXPECT_EQ(Dispatch(vst, effGetVendorString, 0, 0, name), 1);
  EXPECT_STREQ(name, "Vesk");
  Dispatch(vst, effClose);
  EXPECT_EQ(model.GetListenerCount(), 0);
  EXPECT_EQ(model.calls,
            (std::vector<std::string>{"SetParameterFloat 0 3 0.500000 0", "GetParameterName 0 5 24",
                                      "Initialize", "SetSampleRate 48000.000000",
                                      "SetBlockSize 256", "StartAudio", "StopAudio",
                                      "GetVendorName 64", "Uninitialize"}));
}

TEST(CHfcVstPlugin, ProgramsNamesAndChunks) {
  Model model;
  CHfcVstPlugin vst(nullptr, &model);
  char text[32];
  std::memset(text, 'x', sizeof text);
  // One past the last program: nothing is asked and nothing written.
  EXPECT_EQ(Dispatch(vst, effGetProgramNameIndexed, 4, 0, text), 0);
  EXPECT_EQ(Dispatch(vst, effGetProgramNameIndexed, -1, 0, text), 0);
  EXPECT_EQ(text[0], 'x');
  EXPECT_TRUE(model.calls.empty());
  EXPECT_EQ(Dispatch(vst, effGetProgramNameIndexed, 3, 0, text), 1);
  EXPECT_STREQ(text, "Pad");

  // A program change in the model reaches the effect record.
  EXPECT_FALSE(vst.IsProgramChanged());
  Dispatch(vst, effSetProgram, 0, 2);
  EXPECT_TRUE(vst.IsProgramChanged());
  EXPECT_EQ(model.calls.back(), "SetProgramIndex 2 0");
  model.PostSetProgramIndex(3);
  Dispatch(vst, effGetProgram);  // the model answers, the record keeps its own copy
  EXPECT_EQ(vst.AudioEffect::getProgram(), 3);

  void* data = nullptr;
  EXPECT_EQ(Dispatch(vst, effGetChunk, 1, 0, &data), 3);
  EXPECT_EQ(data, model.program);
  EXPECT_EQ(Dispatch(vst, effGetChunk, 0, 0, &data), 5);
  EXPECT_EQ(data, model.bank);
  EXPECT_EQ(Dispatch(vst, effSetChunk, 1, 9, model.bank), 1);
  EXPECT_EQ(Dispatch(vst, effSetChunk, 0, 11, model.bank), 1);
  EXPECT_EQ(model.calls[model.calls.size() - 2], "SetProgramData 9");
  EXPECT_EQ(model.calls.back(), "SetBankData 11");
}

TEST(CHfcVstPlugin, ProcessEventsPassesOnlyMidiEvents) {
  Model model;
  CHfcVstPlugin vst(nullptr, &model);
  VstMidiEvent note{};
  note.type = kVstMidiType;
  note.byteSize = sizeof note;
  note.deltaFrames = 17;
  note.midiData[0] = 0x91;
  note.midiData[1] = 60;
  note.midiData[2] = 100;
  VstEvent other{};
  other.type = 6;  // a system-exclusive event
  VstMidiEvent off = note;
  off.midiData[0] = 0x81;
  off.deltaFrames = 30;
  // A host's list longer than the two entries the record declares.
  constexpr int kCount = 3;
  std::vector<unsigned char> block(offsetof(VstEvents, events) + kCount * sizeof(VstEvent*));
  auto* events = reinterpret_cast<VstEvents*>(block.data());
  events->numEvents = kCount;
  VstEvent* list[kCount] = {reinterpret_cast<VstEvent*>(&note), &other,
                            reinterpret_cast<VstEvent*>(&off)};
  std::memcpy(block.data() + offsetof(VstEvents, events), list, sizeof list);
  EXPECT_EQ(Dispatch(vst, effProcessEvents, 0, 0, events), 1);
  EXPECT_EQ(model.calls, (std::vector<std::string>{"MidiIn 145 60 100 17", "MidiIn 129 60 100 30"}));
}

TEST(CHfcVstPlugin, TakesItselfOffTheModelWhenDestroyed) {
  Model model;
  std::vector<std::string> log;
  Recorder other("R", &log);
  model.AddListener(&other);
  auto vst = std::make_unique<CHfcVstPlugin>(nullptr, &model);
  EXPECT_EQ(model.GetListenerCount(), 2);
  vst.reset();
  EXPECT_EQ(model.GetListenerCount(), 1);
  model.PostSetProgramIndex(1);  // would reach a destroyed adapter otherwise (ASan)
  model.Idle();
  EXPECT_EQ(log, std::vector<std::string>{"R"});
}

}  // namespace
