// CRemoteSynthImpl: data streams and files, auto-load and host recall.
#include "remote/CRemoteSynthImpl.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "model/BankNames.h"
#include "model/CDirtyFlagSet.h"
#include "model/GetModalCaption.h"
#include "model/InitChunks.h"
#include "model/RTCSTAT.h"
#include "model/SModeChangeInfo.h"
#include "model/XEUtils.h"
#include "os/ErrorReport.h"
#include "platform/HfcDebug.h"
#include "platform/HfcMessageBox.h"
#include "platform/HfcTime.h"
#include "platform/XEvent.h"
#include "remote/CRemoteMIDIImpl.h"
#include "remote/CRemoteSynthImplDetail.h"
#include "remote/IRTMIDISink.h"
#include "remote/IRemoteSynthMIDISink.h"
#include "remote/IRemoteSynthSink.h"
#include "remote/PERSISTPARAMS.h"
#include "remote/Persist.h"
#include "remote/RemoteStatus.h"

namespace Oskend {

using namespace synthimpl;

// ------------------------------------------------------------ streams and files

bool CRemoteSynthImpl::LoadStream(std::istream& in, std::uint32_t selector, bool noSend,
                                  bool fromHost, CDirtyFlagSet& dirty) {
  const std::streampos pos = in.tellg();
  in.seekg(0, std::ios::end);
  const std::streampos end = in.tellg();
  in.seekg(pos);
  if (pos < 0 || end < 0 || end - pos < kMinStreamBytes) return true;

  std::vector<std::uint8_t> scratch(imageBytes_);
  CHUNK_REMOTESYNTH img(scratch.data());
  PERSISTPARAMS params;
  params.index = selector;
  params.image = img;
  setupSection_.BuildFilter(&params.filter);
  try {
    if (!PersistLoadStream(in, pmid_, &params, dirty)) return false;
  } catch (...) {
    os::ReportCaughtException("CRemoteSynthImpl::LoadStream");
    return false;
  }

  const bool maySend = connected_ && !noSend;
  const int type = static_cast<int>(params.type);
  const bool store = type >= 3 && type <= 5 ? true : !fromHost;
  auto curProg = image_.GetCurProg();
  auto curCombi = image_.GetCurCombi();
  auto postSound = [&] {
    const SSoundIndex cur = GetCurSound(true);
    Post(kNoticeCurSound, (cur.bank << 8) | cur.number);
  };
  switch (params.type) {
    case FTYPE::All: {
      if (img.GetMode() > 3) img.SetMode(0);
      if (!IsEnableProgramChangeBank(eMode_ProgPlay,
                                     static_cast<eBankID>(img.GetCurProg().GetBank())))
        img.GetCurProg().data()[0] = 0;
      if (maySend && HandleSendAll(img, "Transmitting...", true, false) < 0) return false;
      std::memcpy(imageBytes_.data(), scratch.data(), CHUNK_REMOTESYNTH::kSize);
      if (image_.GetMode() == 1) image_.SetMode(0);
      if (image_.GetMode() == 3) image_.SetMode(2);
      virtualMode_ = static_cast<std::uint8_t>(image_.GetMode());
      soundMode_ = image_.GetMode() < 2 ? 0 : 2;
      OnApplyAll();
      return true;
    }
    case FTYPE::Bank:
    case FTYPE::VSTBank: {
      if (img.GetMode() > 3) img.SetMode(0);
      if (connected_ && !nowInitializing_) {
        if (!IsEnableProgramChangeBank(eMode_ProgPlay,
                                       static_cast<eBankID>(img.GetCurProg().GetBank())))
          img.GetCurProg().data()[0] = 0;
        if (!noSend && HandleSendAll_withSoftwareSetup(img, "Transmitting...", false) < 0)
          return false;
      } else if (img.GetCurProg().GetBank() >= 4) {
        img.GetCurProg().data()[0] = 0;
      }
      std::memcpy(imageBytes_.data(), scratch.data(), CHUNK_REMOTESYNTH::kSize - 1);
      image_.SetMode(0);
      virtualMode_ = 0;
      soundMode_ = 0;
      OnApplyAll();
      return true;
    }
    case FTYPE::AllProgs: {
      const std::uint8_t* banks = scratch.data() + L::kProgBanks;
      if (maySend && link_->SendProgDump(-1, -1, banks, L::kProgBanksSize, store) < 0) return false;
      std::memcpy(imageBytes_.data() + L::kProgBanks, banks, L::kProgBanksSize);
      SetupProgEditBuffer(static_cast<eBankID>(curProg.GetBank()), curProg.GetNumber());
      Post(kNoticeBankList, 0x2FFFF);
      postSound();
      return true;
    }
    case FTYPE::AllCombis: {
      const std::uint8_t* combis = scratch.data() + L::kCombis;
      if (maySend && link_->SendCombiDump(-1, -1, combis, L::kCombisSize, store) < 0) return false;
      std::memcpy(imageBytes_.data() + L::kCombis, combis, L::kCombisSize);
      if (CHUNK_COMBI stored = image_.GetCombi(curCombi.GetNumber()))
        image_.GetCombiEditBuffer().Assign(stored);
      Post(kNoticeBankList, 0xFFFF);
      postSound();
      return true;
    }
    case FTYPE::ProgBank: {
      if (selector > 3) return false;
      const int bank = static_cast<int>(selector);
      const std::uint8_t* data = scratch.data() + L::kProgBanks + bank * L::kProgBankSize;
      if (maySend && link_->SendProgDump(bank, -1, data, L::kProgBankSize, store) < 0) return false;
      std::memcpy(imageBytes_.data() + L::kProgBanks + bank * L::kProgBankSize, data,
                  L::kProgBankSize);
      if (curProg.GetBank() == bank)
        SetupProgEditBuffer(static_cast<eBankID>(bank), curProg.GetNumber());
      Post(kNoticeBankList, 0x200FF + bank * 256);
      postSound();
      return true;
    }
    case FTYPE::Prog:
    case FTYPE::VSTProg: {
      const int bank = curProg.GetBank(), number = curProg.GetNumber();
      const std::uint8_t* prog = scratch.data() + L::kProgEditBuffer;
      // The edit buffer goes first: storing writes the edit buffer into the
      // program's place, which must then already hold the loaded program.
      if (maySend && (link_->SendCurProgDump(prog, kProgSize) < 0 ||
                      link_->SendProgDump(bank, number, prog, kProgSize, store) < 0))
        return false;
      if (CHUNK_PROG stored = GetProgramFromStorage(static_cast<eBankID>(bank), number))
        std::memcpy(stored.data(), prog, kProgSize);
      std::memcpy(image_.GetProgEditBuffer().data(), prog, kProgSize);
      SecInitSolo(kSecProgPlay);
      SecReinit(kSecProgPlay, nullptr);
      SecReinit(kSecProgEdit, nullptr);
      Post(kNoticeBankList, 0x20000 + bank * 256 + number);
      postSound();
      return true;
    }
    case FTYPE::Combi:
    case FTYPE::VSTCombi: {
      const int bank = curCombi.GetBank(), number = curCombi.GetNumber();
      const std::uint8_t* combi = scratch.data() + L::kCombiEditBuffer;
      if (maySend && (link_->SendCurCombiDump(combi, kCombiSize) < 0 ||
                      link_->SendCombiDump(bank, number, combi, kCombiSize, store) < 0))
        return false;
      if (CHUNK_COMBI stored = image_.GetCombi(number))
        std::memcpy(stored.data(), combi, kCombiSize);
      std::memcpy(image_.GetCombiEditBuffer().data(), combi, kCombiSize);
      SecInitSolo(kSecCombiPlay);
      SecReinit(kSecCombiPlay, nullptr);
      Post(kNoticeBankList, bank * 256 + number);
      postSound();
      return true;
    }
    default:
      return false;
  }
}

bool CRemoteSynthImpl::LoadStreamFromHost(std::istream& in, bool noRecall, bool onlyWhenChanged) {
  CDirtyFlagSet dirty;
  const bool ok = LoadStream(in, 0, false, true, dirty);
  // A refused chunk changes nothing, the recall at the next connection
  // included.
  if (ok && !noRecall && !(connected_ && !nowInitializing_)) {
    if (!onlyWhenChanged || dirty.isDirty()) SetRecallPending(true);
  }
  return ok;
}

bool CRemoteSynthImpl::SaveStream(std::ostream& out, FTYPE type, std::uint32_t selector) {
  if (!pendingHostData_.empty()) {
    out.write(pendingHostData_.data(), static_cast<std::streamsize>(pendingHostData_.size()));
    return static_cast<bool>(out);
  }
  PERSISTPARAMS params;
  params.type = type;
  params.index = selector;
  params.image = image_;
  setupSection_.BuildFilter(&params.filter);
  // A file records the mode the pages show.
  const int mode = image_.GetMode();
  image_.SetMode(virtualMode_);
  const bool ok = PersistSaveStream(out, pmid_, &params);
  image_.SetMode(mode);
  return ok;
}

namespace {

// A file too short to hold any data is a failed load, not an empty one (a
// stream that short loads as nothing).
bool HoldsData(std::istream& in) {
  const std::streampos pos = in.tellg();
  in.seekg(0, std::ios::end);
  const std::streampos end = in.tellg();
  in.seekg(pos);
  return in && pos >= 0 && end >= 0 && end - pos >= kMinStreamBytes;
}

}  // namespace

bool CRemoteSynthImpl::LoadFile(const char* path, std::uint32_t selector) {
  std::ifstream in(path ? path : "", std::ios::binary);
  if (!in || !HoldsData(in)) return false;
  CDirtyFlagSet dirty;
  return LoadStream(in, selector, false, false, dirty);
}

bool CRemoteSynthImpl::SaveFile(const char* path, FTYPE type, std::uint32_t selector) {
  std::ofstream out(path ? path : "", std::ios::binary | std::ios::trunc);
  if (!out) return false;
  const bool ok = SaveStream(out, type, selector);
  out.close();
  return ok && !out.fail();
}

bool CRemoteSynthImpl::SelectFileName(const char* path, std::uint32_t) {
  SetupPutS(kSetupAutoLoadFileName, path ? path : "");
  return true;
}

bool CRemoteSynthImpl::AutoLoadData(const char* path) {
  std::ifstream in(path ? path : "", std::ios::binary);
  if (!in || !HoldsData(in)) return false;
  CDirtyFlagSet dirty;
  if (!LoadStream(in, 0, true, false, dirty)) return false;
  image_.GetCurProg().Set(0, 0);
  std::fill(image_.GetCurProg().UIState().begin(), image_.GetCurProg().UIState().end(), 0);
  image_.SetMode(0);
  virtualMode_ = 0;
  soundMode_ = 0;
  SetupProgEditBuffer(eBankID_A, 0);
  OnApplyAll();
  return true;
}

bool CRemoteSynthImpl::LoadPendingHostData() {
  std::istringstream in(pendingHostData_);
  PERSISTPARAMS params;
  params.image = image_;
  setupSection_.BuildFilter(&params.filter);
  CDirtyFlagSet dirty;
  try {
    if (!PersistLoadStream(in, pmid_, &params, dirty)) return false;
  } catch (...) {
    os::ReportCaughtException("CRemoteSynthImpl::LoadPendingHostData");
    return false;
  }
  if (image_.GetMode() > 3) image_.SetMode(0);
  virtualMode_ = static_cast<std::uint8_t>(image_.GetMode());
  soundMode_ = image_.GetMode() < 2 ? 0 : 2;
  return true;
}

}  // namespace Oskend
