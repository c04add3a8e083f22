#include <gtest/gtest.h>

#include "host/MIDIEndpointList.h"
#include "host/NRXAlert.h"
#include "host/NRXAudioBufferList.h"
#include "host/NRXCFString.h"
#include "host/TalvikException.h"
#include "os/Alert.h"

namespace {

// The failed condition or missing name that an exception carries.
template <typename Fn>
std::string Failure(Fn fn) {
  try {
    fn();
  } catch (const NRXException& e) {
    return e.what();
  }
  return "no exception";
}

TEST(TalvikExceptionTest, WhatIsTheFamilyNameWhateverTheKey) {
  NRXCFString key(std::string("kBufferSizeRefused"));
  const TalvikSetBufferSizeException e(key.get(), "4096 frames");
  const TalvikException& base = e;
  EXPECT_STREQ(base.what(), "NRXException");
  EXPECT_EQ(base.GetLocalizeKey(), key.get());
  EXPECT_EQ(base.GetSecondMessage(), "4096 frames");
  EXPECT_EQ(TalvikException(nullptr, nullptr).GetSecondMessage(), "");
}

TEST(NRXAudioBufferListTest, PreconditionsAndBuffers) {
  struct Case {
    int buffers, channels, frames;
    const char* condition;
  };
  for (const Case& c : {Case{0, 1, 512, "inNumberBuffers >= 1"},
                        Case{2, 0, 512, "inChannelsPerBuffer >= 1"},
                        Case{2, 1, 0, "inFrameSize >= 1"}}) {
    {
      const std::string what = Failure([&] { NRXAudioBufferList l(c.buffers, c.channels, c.frames); });
      EXPECT_NE(what.find(c.condition), std::string::npos) << what;
    }
  }
  NRXAudioBufferList list(2, 1, 512);
  HostAudioBufferList* l = list.GetBufferList();
  ASSERT_EQ(l->numberBuffers, 2u);
  for (uint32_t i = 0; i < 2; ++i) {
    EXPECT_EQ(l->buffers[i].numberChannels, 1u);
    EXPECT_EQ(l->buffers[i].dataByteSize, 2048u);
    static_cast<float*>(l->buffers[i].data)[511] = 1.0f;  // the whole block is ours
  }
  EXPECT_NE(l->buffers[0].data, l->buffers[1].data);
}

TEST(MIDIEndpointListTest, LookupsOutsideTheSnapshotFail) {
  const MIDIEndpointList list({11, 12}, {21});
  EXPECT_EQ(list.GetSource(1), 12u);
  EXPECT_EQ(list.GetIndexOfDest(21), 0);
  EXPECT_NE(Failure([&] { list.GetSource(-1); }).find("0 <= inIndex && inIndex < mSourceCount"),
            std::string::npos);
  EXPECT_NE(Failure([&] { list.GetDest(1); }).find("0 <= inIndex && inIndex < mDestCount"),
            std::string::npos);
  EXPECT_NE(Failure([&] { list.GetIndexOfDest(99); }).find("index >= 0"), std::string::npos);
  EXPECT_NE(Failure([&] { list.GetIndexOfSource(21); }).find("index >= 0"), std::string::npos);
}

TEST(NRXAlertTest, NeedsATitleThenShowsItOnEveryAlert) {
  os::HeadlessAlert::Reset();
  NRXAlert::SetTitleText(nullptr);
  NRXCFString message(std::string("Device was auto stoped."));
  EXPECT_NE(Failure([&] { NRXAlert::ErrorAlert(message.get()); }).find("*gTitleText"),
            std::string::npos);
  {
    NRXCFString title(std::string("Vesk Editor"));
    NRXAlert::SetTitleText(title.get());
  }  // the alert keeps its own copy
  EXPECT_EQ(NRXAlert::MessageAlert(message.get(), NRXAlert::kNoteAlert), 0);
  EXPECT_EQ(NRXAlert::ErrorAlert(message.get()), 0);
  const auto shown = os::HeadlessAlert::Transcript();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].request.mainText, "Vesk Editor");
  EXPECT_EQ(shown[0].request.explanation, "Device was auto stoped.");
  EXPECT_EQ(shown[0].request.icon, os::Alert::Icon::kNote);
  EXPECT_EQ(shown[1].request.icon, os::Alert::Icon::kStop);
  NRXAlert::SetTitleText(nullptr);
  os::HeadlessAlert::Reset();
}

TEST(NRXCFStringTest, ConvertsUTF8AndRefusesOtherBytes) {
  std::string out = "x";
  NRXCFString().GetUTF8String(out);
  EXPECT_EQ(out, "");
  NRXCFString s(std::string("M\xC3\xBCnchen"));
  s.GetUTF8String(out);
  EXPECT_EQ(out, "M\xC3\xBCnchen");
  EXPECT_NE(Failure([&] { s.SetUTF8String("\xC3("); }).find("get()"), std::string::npos);
  s.GetUTF8String(out);
  EXPECT_EQ(out, "M\xC3\xBCnchen");  // unchanged after the refusal
}

}  // namespace
