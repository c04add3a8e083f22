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

namespace {

// Where the performance record's UI state word keeps the panel's editor
// state: the performance's knob function and timbre group, then the
// program's knob function. A host's session chunk (a bank) carries only
// that record, in whichever mode it was saved.
struct EditorStateByte {
  int id;
  bool performance;  // the performance's section, else the program's
  std::size_t byte;
};
constexpr EditorStateByte kEditorStateBytes[] = {{0x10B, true, 0}, {0x10C, true, 1}, {0x10F, false, 2}};

}  // namespace

void CRemoteSynthImpl::KeepEditorStateInImage() {
  for (const EditorStateByte& e : kEditorStateBytes) {
    ISection& section = e.performance ? static_cast<ISection&>(combiPlaySection_) : progEditSection_;
    image_.GetCurCombi().UIState()[e.byte] = static_cast<std::uint8_t>(section.GetParamI(e.id));
  }
}

void CRemoteSynthImpl::TakeEditorState() {
  for (const EditorStateByte& e : kEditorStateBytes) {
    ISection& section = e.performance ? static_cast<ISection&>(combiPlaySection_) : progEditSection_;
    // Told to the panel, not sent: the editor's own state. A value outside
    // the row's range (a chunk written before the word carried it holds 0
    // there) is held to it.
    section.PutParamIEx(e.id, image_.GetCurCombi().UIState()[e.byte], ISection::kNotify, eChgSource_Editor);
  }
}

bool CRemoteSynthImpl::LoadStream(std::istream& in, std::uint32_t selector, bool noSend,
                                  bool fromHost, CDirtyFlagSet& dirty) {
  return LoadStreamKeeping(in, selector, noSend, fromHost, false, dirty) != StreamLoad::kRefused;
}

CRemoteSynthImpl::StreamLoad CRemoteSynthImpl::LoadStreamKeeping(std::istream& in, std::uint32_t selector,
                                                                  bool noSend, bool fromHost, bool keepUnsent,
                                                                  CDirtyFlagSet& dirty) {
  const std::streampos pos = in.tellg();
  in.seekg(0, std::ios::end);
  const std::streampos end = in.tellg();
  in.seekg(pos);
  loadSendFailure_ = 0;
  if (pos < 0 || end < 0 || end - pos < kMinStreamBytes) return StreamLoad::kTaken;

  // The editor state follows the working image's performance record: a
  // load that lays a whole image over it brings the stream's, one that
  // copies a single sound leaves the panel as it is, though a single
  // performance's file holds that record too.
  KeepEditorStateInImage();
  LoadedData d{std::vector<std::uint8_t>(imageBytes_), selector, false, noSend, false};
  FTYPE type{};
  if (!ReadIntoScratch(in, &d, &type, dirty)) return StreamLoad::kRefused;
  d.maySend = connected_ && !noSend;
  const int kind = static_cast<int>(type);
  d.store = kind >= 3 && kind <= 5 ? true : !fromHost;
  StreamLoad loaded = ApplyLoaded(d, type) ? StreamLoad::kTaken : StreamLoad::kRefused;
  // Read whole, the stream failed in a send (anything else fails again
  // without one): the scratch image still holds all of it.
  if (loaded == StreamLoad::kRefused && keepUnsent && d.maySend) {
    d.maySend = false;
    d.noSend = true;
    if (ApplyLoaded(d, type)) loaded = StreamLoad::kUnsent;
  }
  if (loaded != StreamLoad::kRefused) TakeEditorState();
  return loaded;
}

bool CRemoteSynthImpl::ApplyLoaded(LoadedData& d, FTYPE type) {
  switch (type) {
    case FTYPE::All: return LoadAll(d);
    case FTYPE::Bank:
    case FTYPE::VSTBank: return LoadAllWithSetup(d);
    case FTYPE::AllProgs: return LoadAllProgs(d);
    case FTYPE::AllCombis: return LoadAllCombis(d);
    case FTYPE::ProgBank: return LoadProgBank(d);
    case FTYPE::Prog:
    case FTYPE::VSTProg: return LoadOneProg(d);
    case FTYPE::Combi:
    case FTYPE::VSTCombi: return LoadOneCombi(d);
    default: return false;
  }
}

bool CRemoteSynthImpl::LoadSent(int result) {
  if (result < 0) loadSendFailure_ = result;
  return result >= 0;
}

bool CRemoteSynthImpl::ReadIntoScratch(std::istream& in, LoadedData* d, FTYPE* type,
                                       CDirtyFlagSet& dirty) {
  PERSISTPARAMS params;
  params.index = d->selector;
  params.image = CHUNK_REMOTESYNTH(d->bytes.data());
  setupSection_.BuildFilter(&params.filter);
  try {
    if (!PersistLoadStream(in, pmid_, &params, dirty)) return false;
  } catch (...) {
    os::ReportCaughtException("CRemoteSynthImpl::LoadStream");
    return false;
  }
  *type = params.type;
  return true;
}

bool CRemoteSynthImpl::LoadAll(LoadedData& d) {
  CHUNK_REMOTESYNTH img(d.bytes.data());
  if (img.GetMode() > 3) img.SetMode(0);
  if (!IsEnableProgramChangeBank(eMode_ProgPlay, static_cast<eBankID>(img.GetCurProg().GetBank())))
    img.GetCurProg().data()[0] = 0;
  if (d.maySend && !LoadSent(HandleSendAll(img, "Transmitting...", true, false))) return false;
  NoteWritesNotSent(d, CImageEdits::Kind::kProgram, -1, -1, true);
  NoteWritesNotSent(d, CImageEdits::Kind::kCombination, -1, -1, true);
  std::memcpy(imageBytes_.data(), d.bytes.data(), CHUNK_REMOTESYNTH::kSize);
  if (image_.GetMode() == 1) image_.SetMode(0);
  if (image_.GetMode() == 3) image_.SetMode(2);
  virtualMode_ = static_cast<std::uint8_t>(image_.GetMode());
  soundMode_ = image_.GetMode() < 2 ? 0 : 2;
  OnApplyAll();
  return true;
}

bool CRemoteSynthImpl::LoadAllWithSetup(LoadedData& d) {
  CHUNK_REMOTESYNTH img(d.bytes.data());
  if (img.GetMode() > 3) img.SetMode(0);
  if (connected_ && !nowInitializing_) {
    if (!IsEnableProgramChangeBank(eMode_ProgPlay, static_cast<eBankID>(img.GetCurProg().GetBank())))
      img.GetCurProg().data()[0] = 0;
    if (!d.noSend && !LoadSent(HandleSendAll_withSoftwareSetup(img, "Transmitting...", false)))
      return false;
  } else if (img.GetCurProg().GetBank() >= 4) {
    img.GetCurProg().data()[0] = 0;
  }
  NoteWritesNotSent(d, CImageEdits::Kind::kProgram, -1, -1, false);
  NoteWritesNotSent(d, CImageEdits::Kind::kCombination, -1, -1, false);
  // Everything but the mode byte, the image's last.
  std::memcpy(imageBytes_.data(), d.bytes.data(), CHUNK_REMOTESYNTH::kSize - 1);
  image_.SetMode(0);
  virtualMode_ = 0;
  soundMode_ = 0;
  OnApplyAll();
  return true;
}

bool CRemoteSynthImpl::LoadAllProgs(const LoadedData& d) {
  const std::uint8_t* banks = d.bytes.data() + L::kProgBanks;
  if (d.maySend && !LoadSent(link_->SendProgDump(-1, -1, banks, L::kProgBanksSize, d.store))) return false;
  NoteWritesNotSent(d, CImageEdits::Kind::kProgram, -1, -1, d.store);
  std::memcpy(imageBytes_.data() + L::kProgBanks, banks, L::kProgBanksSize);
  const auto cur = image_.GetCurProg();
  SetupProgEditBuffer(static_cast<eBankID>(cur.GetBank()), cur.GetNumber());
  Post(kNoticeBankList, 0x2FFFF);
  PostCurSound();
  return true;
}

bool CRemoteSynthImpl::LoadAllCombis(const LoadedData& d) {
  const std::uint8_t* combis = d.bytes.data() + L::kCombis;
  if (d.maySend && !LoadSent(link_->SendCombiDump(-1, -1, combis, L::kCombisSize, d.store))) return false;
  NoteWritesNotSent(d, CImageEdits::Kind::kCombination, -1, -1, d.store);
  std::memcpy(imageBytes_.data() + L::kCombis, combis, L::kCombisSize);
  if (CHUNK_COMBI stored = image_.GetCombi(image_.GetCurCombi().GetNumber()))
    image_.GetCombiEditBuffer().Assign(stored);
  Post(kNoticeBankList, 0xFFFF);
  PostCurSound();
  return true;
}

bool CRemoteSynthImpl::LoadProgBank(const LoadedData& d) {
  if (d.selector > 3) return false;
  const int bank = static_cast<int>(d.selector);
  const std::uint8_t* data = d.bytes.data() + L::kProgBanks + bank * L::kProgBankSize;
  if (d.maySend && !LoadSent(link_->SendProgDump(bank, -1, data, L::kProgBankSize, d.store))) return false;
  NoteWritesNotSent(d, CImageEdits::Kind::kProgram, bank, -1, d.store);
  std::memcpy(imageBytes_.data() + L::kProgBanks + bank * L::kProgBankSize, data, L::kProgBankSize);
  const auto cur = image_.GetCurProg();
  if (cur.GetBank() == bank) SetupProgEditBuffer(static_cast<eBankID>(bank), cur.GetNumber());
  Post(kNoticeBankList, 0x200FF + bank * 256);
  PostCurSound();
  return true;
}

bool CRemoteSynthImpl::LoadOneProg(const LoadedData& d) {
  const auto cur = image_.GetCurProg();
  const int bank = cur.GetBank(), number = cur.GetNumber();
  const std::uint8_t* prog = d.bytes.data() + L::kProgEditBuffer;
  // The edit buffer goes first: storing writes the edit buffer into the
  // program's place, which must then already hold the loaded program.
  if (d.maySend && (!LoadSent(link_->SendCurProgDump(prog, kProgSize)) ||
                    !LoadSent(link_->SendProgDump(bank, number, prog, kProgSize, d.store))))
    return false;
  NoteWritesNotSent(d, CImageEdits::Kind::kProgram, bank, number, d.store);
  if (CHUNK_PROG stored = GetProgramFromStorage(static_cast<eBankID>(bank), number))
    std::memcpy(stored.data(), prog, kProgSize);
  std::memcpy(image_.GetProgEditBuffer().data(), prog, kProgSize);
  SecInitSolo(kSecProgPlay);
  SecReinit(kSecProgPlay, nullptr);
  SecReinit(kSecProgEdit, nullptr);
  Post(kNoticeBankList, 0x20000 + bank * 256 + number);
  PostCurSound();
  return true;
}

bool CRemoteSynthImpl::LoadOneCombi(const LoadedData& d) {
  const auto cur = image_.GetCurCombi();
  const int bank = cur.GetBank(), number = cur.GetNumber();
  const std::uint8_t* combi = d.bytes.data() + L::kCombiEditBuffer;
  if (d.maySend && (!LoadSent(link_->SendCurCombiDump(combi, kCombiSize)) ||
                    !LoadSent(link_->SendCombiDump(bank, number, combi, kCombiSize, d.store))))
    return false;
  NoteWritesNotSent(d, CImageEdits::Kind::kCombination, bank, number, d.store);
  if (CHUNK_COMBI stored = image_.GetCombi(number)) std::memcpy(stored.data(), combi, kCombiSize);
  std::memcpy(image_.GetCombiEditBuffer().data(), combi, kCombiSize);
  SecInitSolo(kSecCombiPlay);
  SecReinit(kSecCombiPlay, nullptr);
  Post(kNoticeBankList, bank * 256 + number);
  PostCurSound();
  return true;
}

void CRemoteSynthImpl::NoteWritesNotSent(const LoadedData& d, CImageEdits::Kind kind, int bank,
                                          int number, bool write) {
  // A load that was sent has written what it writes; one that was not
  // leaves that to the connection that takes the synthesizer up again, when
  // its edits are kept.
  if (d.maySend) return;
  if (number < 0)
    awayWrites_.NoteBank(kind, bank, write);
  else
    awayWrites_.Note(kind, bank, number, write);
}

bool CRemoteSynthImpl::CanLoadStream(std::istream& in) {
  LoadedData d{std::vector<std::uint8_t>(imageBytes_), 0, false, true, false};
  FTYPE type{};
  CDirtyFlagSet dirty;
  return ReadIntoScratch(in, &d, &type, dirty);
}

bool CRemoteSynthImpl::LoadStreamFromHost(std::istream& in, bool noRecall, bool onlyWhenChanged) {
  CDirtyFlagSet dirty;
  // A host that got its chunk back from the plug-in must be able to
  // restore it whatever the synthesizer does: one it does not take (gone
  // and not yet noticed, or refusing it) stays in the image and goes to it
  // with the next connection's recall.
  const StreamLoad loaded = LoadStreamKeeping(in, 0, false, true, true, dirty);
  // A refused chunk changes nothing, the recall at the next connection
  // included.
  if (loaded == StreamLoad::kRefused) return false;
  if (loaded == StreamLoad::kUnsent) {
    SetRecallPending(true);
  } else if (!noRecall && !(connected_ && !nowInitializing_)) {
    if (!onlyWhenChanged || dirty.isDirty()) SetRecallPending(true);
  }
  return true;
}

bool CRemoteSynthImpl::SaveStream(std::ostream& out, FTYPE type, std::uint32_t selector) {
  if (!pendingHostData_.empty()) {
    out.write(pendingHostData_.data(), static_cast<std::streamsize>(pendingHostData_.size()));
    return static_cast<bool>(out);
  }
  KeepEditorStateInImage();
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
  loadSendFailure_ = 0;
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
