#include <gtest/gtest.h>

#include "host/TalvikHostMIDIManagerC.h"
#include "tests/host/HostMIDIFixture.h"

namespace vesk::test {
namespace {

using Call = FakeComponent::Call;

class CInterfaceTest : public HostMIDIFixture {
 protected:
  ~CInterfaceTest() override { TalvikHostMIDIManager_Finalize(); }
};

TEST_F(CInterfaceTest, OneInstanceAndResultCodes) {
  ASSERT_EQ(TalvikHostMIDIManager_Initialize(client.get(), &component, nullptr), 0);
  TalvikHostMIDIManager* first = TalvikHostMIDIManager_Instance();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(TalvikHostMIDIManager_Initialize(client.get(), &component, nullptr), 0);
  EXPECT_EQ(TalvikHostMIDIManager_Instance(), first);

  auto keys = AddGeneric();
  EXPECT_EQ(TalvikHostMIDIManager_RebuildDataList(MIDIEndpointList()), 0);
  EXPECT_EQ(TalvikHostMIDIManager_SetSource(3, keys->source(), true), -1);
  EXPECT_EQ(TalvikHostMIDIManager_SetSource(0, keys->source(), true), 0);
  int type = 77, index = 77;
  EXPECT_EQ(TalvikHostMIDIManager_GetSourceType(0x1234, type, index), -1);
  EXPECT_EQ(type, 77);
  EXPECT_EQ(index, 77);
  EXPECT_EQ(TalvikHostMIDIManager_GetSourceType(keys->source(), type, index), 0);
  EXPECT_EQ(type, 4);
  EXPECT_EQ(index, 1);
  EXPECT_EQ(TalvikHostMIDIManager_SetClockSyncSource(keys->source()), 0);
  // A source that is gone: the system's status comes back.
  keys->Unplug();
  EXPECT_EQ(TalvikHostMIDIManager_SetClockSyncSource(0), 0);
  EXPECT_EQ(TalvikHostMIDIManager_SetClockSyncSource(keys->source()), os::midi::kErrNoSuchEndpoint);

  EXPECT_EQ(TalvikHostMIDIManager_HandleBankOpen(), 0);
  EXPECT_EQ(TalvikHostMIDIManager_HandleBankSaveAs(), 0);
  EXPECT_EQ(TalvikHostMIDIManager_HandlePresetImport(), 0);
  EXPECT_EQ(TalvikHostMIDIManager_HandlePresetExport(), 0);
  EXPECT_EQ(TalvikHostMIDIManager_SetKnobMode(2), 0);
  EXPECT_EQ(component.Calls(),
            (std::vector<Call>{{"BankOpen"}, {"BankSaveAs"}, {"PresetImport"}, {"PresetExport"},
                               {"KnobMode", 0, 2}}));
  EXPECT_EQ(TalvikHostMIDIManager_Idle(), 0);

  EXPECT_EQ(TalvikHostMIDIManager_Finalize(), 0);
  EXPECT_EQ(TalvikHostMIDIManager_Instance(), nullptr);
  EXPECT_EQ(TalvikHostMIDIManager_Finalize(), 0);
  EXPECT_EQ(TalvikHostMIDIManager_SetSource(0, 0, false), -1);
  EXPECT_EQ(TalvikHostMIDIManager_RebuildDataList(MIDIEndpointList()), -1);
  EXPECT_EQ(TalvikHostMIDIManager_GetSourceType(1, type, index), -1);
  EXPECT_EQ(TalvikHostMIDIManager_HandleBankOpen(), -1);
  EXPECT_EQ(TalvikHostMIDIManager_SetKnobMode(1), -1);
  EXPECT_EQ(TalvikHostMIDIManager_Idle(), -1);
  TalvikHostMIDIManager_InProcess(nullptr);
  TalvikHostMIDIManager_SetSampleRateAndBufferFrameSize(44100, 512);
}

TEST_F(CInterfaceTest, AFailedConstructionKeepsNoInstance) {
  component.hostCallbacksStatus = -10877;
  EXPECT_EQ(TalvikHostMIDIManager_Initialize(client.get(), &component, nullptr), -10877);
  EXPECT_EQ(TalvikHostMIDIManager_Instance(), nullptr);
  EXPECT_EQ(TalvikHostMIDIManager_Initialize(nullptr, &component, nullptr), -1);
  EXPECT_EQ(TalvikHostMIDIManager_Instance(), nullptr);
  component.hostCallbacksStatus = 0;
  EXPECT_EQ(TalvikHostMIDIManager_Initialize(client.get(), &component, nullptr), 0);
}

TEST_F(CInterfaceTest, FailuresOfIdleAndOfASetUpComeBackAsCodes) {
  ASSERT_EQ(TalvikHostMIDIManager_Initialize(client.get(), &component, nullptr), 0);
  SimController& c = AddController(ControllerModel::kFirstFamily);
  SimController& quiet = AddController(ControllerModel::kSecondFamily);
  ASSERT_EQ(TalvikHostMIDIManager_RebuildDataList(MIDIEndpointList()), 0);
  quiet.Change([](SimControllerSettings& s) { s.answerExclusiveMode = false; });
  EXPECT_EQ(TalvikHostMIDIManager_SetSource(1, quiet.ExclusiveSource(), true), -1);
  ASSERT_EQ(TalvikHostMIDIManager_SetSource(0, c.ExclusiveSource(), true), 0);
  c.UnplugExclusivePort();
  component.host->SetLed_talvikvstinterface1(static_cast<int>(c.ExclusiveSource()),
                                             CONSTANT_talvikvstinterface1::LED_ID(1),
                                             CONSTANT_talvikvstinterface1::LED_STATE(0), 1);
  // The idle timer gets a code, never an exception.
  EXPECT_EQ(TalvikHostMIDIManager_Idle(), os::midi::kErrNoSuchEndpoint);
  EXPECT_EQ(TalvikHostMIDIManager_Idle(), 0);
}

TEST(HandshakeTest, TheComponentChecksTheRecordBeforeFillingItIn) {
  struct Table : TalvikComponentInterface {
    void QueryControllerChannel(unsigned char*) override {}
    void ControllerAttached(int, Endpoint) override {}
    void ControllerDetached(Endpoint) override {}
    void ControllerMessage3(Endpoint, int, int) override {}
    void ControllerMessage4(Endpoint, int, int) override {}
    void ControllerMessage5(Endpoint, int, int, int) override {}
    void ControllerMessage7(Endpoint, bool, int) override {}
    void ControllerMessage8(Endpoint, int, bool) override {}
    void ControllerMessage11(Endpoint, int, int) override {}
    void ControllerMessage6(Endpoint, bool, int) override {}
    void BankOpen() override {}
    void BankSaveAs() override {}
    void PresetImport() override {}
    void PresetExport() override {}
    void SetKnobMode(int) override {}
  } table;
  auto* host = reinterpret_cast<ITALVIKHOST_talvikvstinterface1*>(0x1000);
  struct Case {
    const char* name;
    TalvikHostHandshake record;
    uint32_t size;
    bool accepted;
  };
  const Case cases[] = {
      {"good", {host, nullptr, 0x10005}, sizeof(void*), true},
      {"other version", {host, nullptr, 0x10004}, sizeof(void*), false},
      {"no host", {nullptr, nullptr, 0x10005}, sizeof(void*), false},
      {"short value", {host, nullptr, 0x10005}, 2, false},
  };
  for (Case c : cases) {
    TalvikHostHandshake* address = &c.record;
    ITALVIKHOST_talvikvstinterface1* got = nullptr;
    const int32_t st = TalvikHostHandshake::AcceptOnComponent(&address, c.size, &table, &got);
    EXPECT_EQ(st == 0, c.accepted) << c.name;
    EXPECT_EQ(c.record.component, c.accepted ? &table : nullptr) << c.name;
    EXPECT_EQ(got, c.accepted ? host : nullptr) << c.name;
  }
  TalvikHostHandshake* none = nullptr;
  EXPECT_NE(TalvikHostHandshake::AcceptOnComponent(&none, sizeof none, &table, nullptr), 0);
}

TEST_F(CInterfaceTest, TheComponentReadsTheHostsLoad) {
  ASSERT_EQ(TalvikHostMIDIManager_Initialize(client.get(), &component, nullptr), 0);
  bool processing = true, r1 = true, r3 = true;
  double load = -1, r2 = -1;
  component.host->GetCpuCost_talvikvstinterface1(&processing, &load, &r1, &r2, &r3);
  EXPECT_FALSE(processing);
  EXPECT_EQ(load, 0.0);
  TalvikHostMIDIManager::SetCpuLoadProbe({[] { return true; }, [](float* l) {
                                            if (l) *l = 0.25f;
                                            return 1;
                                          }});
  component.host->GetCpuCost_talvikvstinterface1(&processing, &load, &r1, &r2, &r3);
  EXPECT_TRUE(processing);
  EXPECT_EQ(load, 25.0);
  EXPECT_FALSE(r1);
  EXPECT_EQ(r2, 0.0);
  EXPECT_FALSE(r3);
  component.host->GetCpuCost_talvikvstinterface1(nullptr, nullptr, nullptr, nullptr, nullptr);
  TalvikHostMIDIManager::SetCpuLoadProbe({});
}

}  // namespace
}  // namespace vesk::test
