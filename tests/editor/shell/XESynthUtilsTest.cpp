// The display helpers that read the model: numbering and names of stored
// sounds (with a bank list of the test's own), note and riff names, and the
// tempo through the real model.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "editor/shell/XESynthUtils.h"
#include "model/IBank.h"
#include "model/IBankList.h"
#include "model/ISound.h"
#include "remote/CRemoteSynthImpl.h"
#include "tests/support/pageharness/PageHarness.h"

namespace {

using namespace Oskend;

class FakeSound : public ISound {
 public:
  FakeSound(std::string name, uint8_t category) : name_(std::move(name)), record_(1472, 0) {
    record_[630] = category;
  }
  std::string GetName() const override { return name_; }
  unsigned RawSize() const override { return static_cast<unsigned>(record_.size()); }
  unsigned RawGet(void* b, unsigned offset, unsigned count) const override {
    if (offset >= record_.size()) return 0;
    count = std::min<unsigned>(count, static_cast<unsigned>(record_.size()) - offset);
    std::memcpy(b, record_.data() + offset, count);
    return count;
  }
  unsigned RawPut(const void*, unsigned, unsigned) override { return 0; }

 private:
  std::string name_;
  std::vector<uint8_t> record_;
};

class FakeBank : public IBank {
 public:
  explicit FakeBank(std::string name) : name_(std::move(name)) {}
  std::string GetName() const override { return name_; }
  unsigned GetCount() const override { return static_cast<unsigned>(sounds_.size()); }
  ISound* GetAt(unsigned i) override { return i < sounds_.size() ? &sounds_[i] : nullptr; }
  std::vector<FakeSound> sounds_;

 private:
  std::string name_;
};

class FakeBankList : public IBankList {
 public:
  unsigned GetCount() const override { return static_cast<unsigned>(banks_.size()); }
  IBank* GetAt(unsigned i) override { return i < banks_.size() ? &banks_[i] : nullptr; }
  std::vector<FakeBank> banks_;
};

// The real model with program banks of the test's own.
class ModelWithBanks : public CRemoteSynthImpl {
 public:
  ModelWithBanks() : CRemoteSynthImpl(nullptr) {
    for (const char* name : {"A", "GM", "g(3)", "g(d)"}) {
      programs_.banks_.emplace_back(name);
      programs_.banks_.back().sounds_.emplace_back("*Star Pad", 0x43);  // sub 2, category 3
      programs_.banks_.back().sounds_.emplace_back("Bright Keys", 0x05);
    }
  }
  IBankList* GetAllSounds(int mode) override {
    if (mode == 2 || mode == 3) return &programs_;
    return CRemoteSynthImpl::GetAllSounds(mode);
  }
  FakeBankList programs_;
};

class XESynthUtilsTest : public ::testing::Test {
 protected:
  vesk::test::TestEnvironment env;
  ModelWithBanks model;
};

TEST_F(XESynthUtilsTest, RunningProgramNumbersSplitIntoBankAndProgram) {
  eBankID bank = eBankID_None;
  int program = -1;
  EXPECT_TRUE(XESynthUtils::Int2BankProg(511, &bank, &program, eMode_ProgPlay));
  EXPECT_EQ(bank, 3);
  EXPECT_EQ(program, 127);
  EXPECT_FALSE(XESynthUtils::Int2BankProg(512, &bank, &program, eMode_ProgPlay));
  EXPECT_FALSE(XESynthUtils::Int2BankProg(128, &bank, &program, eMode_Combi));
}

TEST_F(XESynthUtilsTest, AGMBankCountsItsProgramsFromOne) {
  EXPECT_TRUE(XESynthUtils::IsGMBank(&model, 2, 1));
  EXPECT_TRUE(XESynthUtils::IsGMBank(&model, 2, 2));
  EXPECT_TRUE(XESynthUtils::IsGMBank(&model, 2, 3));
  EXPECT_FALSE(XESynthUtils::IsGMBank(&model, 2, 0));
  EXPECT_FALSE(XESynthUtils::IsGMBank(&model, 0, 1));
  EXPECT_EQ(XESynthUtils::GetProgNumberAsString(&model, 2, 1, 0), "001");
  EXPECT_EQ(XESynthUtils::GetProgramNumberByString(&model, 2, 1, "001"), 0);
  EXPECT_EQ(XESynthUtils::GetProgNumberAsString(&model, 2, 0, 0), "000");
  EXPECT_EQ(XESynthUtils::GetProgramNumberByString(&model, 2, 0, "000"), 0);
  EXPECT_EQ(XESynthUtils::GetProgNumberAsString(&model, 2, 0, 255), "---");
  EXPECT_EQ(XESynthUtils::GetBankProgNumberAsString(&model, 2, 1, 9), "GM010");
  EXPECT_EQ(XESynthUtils::GetProgNumberAsString(&model, 0, 0, 19), "D-5");
  EXPECT_EQ(XESynthUtils::GetProgNumberAsString(&model, 0, 0, 0), "A-1");
}

TEST_F(XESynthUtilsTest, ProgramNamesWithAndWithoutTheirNumbers) {
  EXPECT_EQ(XESynthUtils::GetProgramName(&model, 2, 0, 0, false, true), "Star Pad");
  EXPECT_EQ(XESynthUtils::GetProgramName(&model, 2, 0, 0, false, false), "*Star Pad");
  EXPECT_EQ(XESynthUtils::GetProgramName(&model, 2, 1, 1, true, false), "GM002: Bright Keys");
  // A missing sound leaves the name out; a missing bank gives the dashes.
  EXPECT_EQ(XESynthUtils::GetProgramName(&model, 2, 0, 50, true, false), "A050");
  EXPECT_EQ(XESynthUtils::GetProgramName(&model, 2, 9, 0, true, false),
            "------------------------");
  EXPECT_EQ(XESynthUtils::GetProgramName(nullptr, 2, 0, 0, true, false),
            "------------------------");
  EXPECT_EQ(XESynthUtils::GetBankName(&model, 2, 4), "-");
  EXPECT_EQ(XESynthUtils::GetBankCount(&model, 2), 4);
}

TEST_F(XESynthUtilsTest, TheCategoryOfAStoredSoundComesFromItsRecord) {
  int sub = -1;
  EXPECT_EQ(XESynthUtils::GetCategory(&model, 2, 0, 0, &sub), 3);
  EXPECT_EQ(sub, 2);
  EXPECT_EQ(XESynthUtils::GetSubCategory(&model, 2, 0, 0), 2);
  EXPECT_EQ(XESynthUtils::GetCategory(&model, 2, 255, 0, &sub), -1);
  EXPECT_EQ(XESynthUtils::GetCategory(&model, 2, 4, 0, &sub), -1);
  EXPECT_EQ(XESynthUtils::GetCategory(&model, 3, 0, 0, &sub), 0);
  EXPECT_EQ(sub, 0);
  EXPECT_EQ(XESynthUtils::GetSubCategory(&model, 3, 0, 0), 255);
  std::string name;
  EXPECT_TRUE(XESynthUtils::GetCategoryName(name, &model, 2, 7, true));
  EXPECT_EQ(name, "-----");
}

TEST_F(XESynthUtilsTest, NoteAndRiffNames) {
  EXPECT_EQ(XESynthUtils::GetKeyNoteString(0), "C-1");
  EXPECT_EQ(XESynthUtils::GetKeyNoteString(60), "C4");
  EXPECT_EQ(XESynthUtils::GetKeyNoteString(61), "C#4");
  EXPECT_EQ(XESynthUtils::GetKeyNoteString(127), "G9");
  EXPECT_EQ(XESynthUtils::GetKeyNoteString(128), "");
  EXPECT_EQ(XESynthUtils::GetKeyNoteCount(), 128);
  EXPECT_EQ(XESynthUtils::GetAuditionRiffName(&model, -3), "000: Off");
  EXPECT_EQ(XESynthUtils::GetAuditionRiffName(&model, 383), "383: Kit-Trance/Garag");
  EXPECT_EQ(XESynthUtils::GetAuditionRiffName(&model, 384), "");
  for (int i = 0; i < XESynthUtils::kRiffCount; ++i)
    EXPECT_EQ(std::stoi(XESynthUtils::RIFFNAMES[i]), i);
  EXPECT_EQ(XESynthUtils::RIFFNAMES[XESynthUtils::kRiffCount], nullptr);
}

TEST(XESynthUtilsModelTest, TheTempoIsKeptWithinItsRange) {
  vesk::test::PageHarness h;
  int unused = 0;
  XESynthUtils::SetTempo(h.synth(), 3000);
  EXPECT_EQ(XESynthUtils::GetTempo(h.synth(), unused), 4000);
  XESynthUtils::SetTempo(h.synth(), 35000);
  EXPECT_EQ(XESynthUtils::GetTempo(h.synth(), unused), 30000);
  XESynthUtils::SetTempo(h.synth(), 12000);
  EXPECT_EQ(XESynthUtils::GetTempo(h.synth(), unused), 12000);
  Oskend::ISection* section = nullptr;
  EXPECT_EQ(XESynthUtils::GetTempoParamId(h.synth(), &section), 0x100);
  EXPECT_NE(section, nullptr);
}

}  // namespace
