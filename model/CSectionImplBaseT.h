#pragma once
// Shared body of every section: rows prepared from a parameter table, reads
// and writes through the rows' accessors and converters, notices posted to
// the main thread, edited values sent as parameter changes.
//
// T is the concrete section, I the interface it implements (ISection or
// ISoundSection). The hooks (PrepareParamDesc, OnParamChanged,
// SendMIDIParam, OnRcvMIDIParam, OnReinitialized) are virtual so that each
// concrete class and its product subclass can replace them.
//
// Threads: sections are called on the main thread and, for received values
// and control changes, on the MIDI receive thread. The table and reference
// block pointers may be re-selected on either thread (an effect type
// received from the synthesizer), so both are atomic; each always points at
// shared data that lives until the program ends.
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "model/CParamTable.h"
#include "model/IAccessorI.h"
#include "model/IAccessorS.h"
#include "model/IHostProxy.h"
#include "model/IRemoteMIDI.h"
#include "model/ISection.h"
#include "model/ISectionSink.h"
#include "model/ISoundSection.h"
#include "model/IStringConverter.h"
#include "model/SModeChangeInfo.h"
#include "model/mathutl.h"
#include "platform/CHfcCriticalSection.h"
#include "platform/CHfcListenerList.h"
#include "platform/IAsyncDispatch.h"

namespace sectionrow {

inline bool IsNumber(const SParamDesc& row) {
  return row.ptype >= PTYPE_CONT && row.ptype <= PTYPE_CONT10;
}
inline bool IsLocked(const SParamDesc& row) { return (row.flags & 3u) != 0; }
inline const IAccessorI* Num(const SParamDesc& row) {
  return row.ptype != PTYPE_STRING ? static_cast<const IAccessorI*>(row.accessor) : nullptr;
}
inline const IAccessorS* Text(const SParamDesc& row) {
  return row.ptype == PTYPE_STRING ? static_cast<const IAccessorS*>(row.accessor) : nullptr;
}
inline int Clamp(const SParamDesc& row, int v) { return std::max(row.min, std::min(v, row.max)); }
inline std::string EmptyPair() { return std::string(2, '\0'); }
// The stored bit field of a numeric row; 0 for rows without an accessor.
inline int Raw(const SParamDesc& row) {
  const IAccessorI* a = Num(row);
  return a != nullptr ? a->GetRaw(row.data, row.offset) : 0;
}
inline void PutRaw(const SParamDesc& row, int value) {
  const IAccessorI* a = Num(row);
  void* block = row.data;
  if (a != nullptr && block != nullptr) a->PutRaw(block, row.offset, value);
}

// Bus-select style rows (by the whole flags word) send the synthesizer's
// own codes for their last choices and map them back when received.
inline int SentBusValue(std::uint32_t flags, int raw) {
  switch (flags) {
    case PFLAG_FXBUS2: return raw <= 5 ? raw : 12;
    case PFLAG_FXBUS1: return raw == 0 ? 0 : 7;
    case PFLAG_FXBUS3: return raw <= 6 ? raw : 13;
    default: return raw;
  }
}
inline int ReceivedBusValue(std::uint32_t flags, int value) {
  switch (flags) {
    case PFLAG_FXBUS3: return value >= 8 ? 7 : value;
    case PFLAG_FXBUS2: return value >= 7 ? 6 : value;
    case PFLAG_FXBUS1: return value != 0 ? 1 : 0;
    default: return value;
  }
}

}  // namespace sectionrow

namespace sectionrow {

// What the interface asks beyond the shared body: nothing for a plain
// section; for a sound section, sub-section answers for one that has none
// (each id is its own, no effect slots, oscillators or tracks), which the
// sound sections replace where they have sub-sections.
template <class I>
class InterfaceDefaults : public I {};

template <>
class InterfaceDefaults<Oskend::ISoundSection> : public Oskend::ISoundSection {
 public:
  bool FindSectionByPID(int id, Oskend::ISection** out) override {
    if (out != nullptr) *out = this;
    return true;
  }
  Oskend::ISection* GetIFX1() override { return nullptr; }
  Oskend::ISection* GetIFX2() override { return nullptr; }
  Oskend::ISection* GetIFX3() override { return nullptr; }
  Oskend::ISection* GetIFX4() override { return nullptr; }
  Oskend::ISection* GetIFX5() override { return nullptr; }
  Oskend::ISection* GetMFX1() override { return nullptr; }
  Oskend::ISection* GetMFX2() override { return nullptr; }
  Oskend::ISection* GetTFX() override { return nullptr; }
  Oskend::ISection* GetOSC() override { return nullptr; }
  Oskend::ISectionList* GetTrack() override { return nullptr; }
};

}  // namespace sectionrow

template <class T, class I>
class CSectionImplBaseT : public sectionrow::InterfaceDefaults<I>, public IAsyncDispatchHandler {
 public:
  enum : long { kEventReinitialized = 1, kEventPropsChanged = 2, kEventParamChanged = 3 };
  static constexpr int kNoMIDI = 255;

  CSectionImplBaseT() = default;
  ~CSectionImplBaseT() override = default;
  CSectionImplBaseT(const CSectionImplBaseT&) = delete;
  CSectionImplBaseT& operator=(const CSectionImplBaseT&) = delete;

  bool AdviseSink(Oskend::ISectionSink* sink) override { return m_sinks.Add(sink); }

  bool UnadviseSink(Oskend::ISectionSink* sink) override { return m_sinks.Remove(sink); }

  int GetParamCount() override {
    CParamTable* t = Table();
    return t != nullptr ? static_cast<int>(t->GetCount()) : 0;
  }

  int GetParamIDByIndex(unsigned index) override {
    CParamTable* t = Table();
    const SParamDesc* row = t != nullptr ? t->GetRow(index) : nullptr;
    if (row == nullptr || row->id == -1) return -1;
    return Rebase(row->id, m_idBase);
  }

  int GetIndexByParamID(int id) override {
    CParamTable* t = Table();
    if (t == nullptr) return -1;
    return t->FindIndex(id == -1 ? -1 : Rebase(id, -m_idBase));
  }

  bool GetParamDescByIndex(unsigned index, SParamDesc* out) override {
    return out != nullptr && PrepareParamDesc(index, out);
  }

  bool GetParamDesc(int id, SParamDesc* out) override {
    int index = GetIndexByParamID(id);
    if (index < 0) return false;
    return this->GetParamDescByIndex(static_cast<unsigned>(index), out);
  }

  int GetParamI(int id) override {
    SParamDesc row{};
    if (!this->GetParamDesc(id, &row) || row.ptype == PTYPE_NONE) return 0;
    return ReadValue(row, true);
  }

  int GetParamI_AvoidToCallISectionsPrepareParamDesc(int id) override {
    CParamTable* t = Table();
    if (t == nullptr) return 0;
    int index = t->FindIndex(id == -1 ? -1 : Rebase(id, -m_idBase));
    SParamDesc row{};
    if (index < 0 || !PrepareParamDesc(static_cast<unsigned>(index), &row) ||
        row.ptype == PTYPE_NONE)
      return 0;
    return ReadValue(row, false);
  }

  int PutParamI(int id, int value) override {
    return this->PutParamIEx(id, value, Oskend::ISection::kPlainWrite, eChgSource_Editor);
  }

  int PutParamIEx(int id, int value, unsigned flags, eChgSource source) override {
    SParamDesc row{};
    if (!this->GetParamDesc(id, &row)) return 0;
    if (sectionrow::IsLocked(row) && (flags & Oskend::ISection::kForceLocked) == 0) return 0;
    int result = 0;
    if (row.ptype == PTYPE_STRING) {
      const IAccessorS* text = sectionrow::Text(row);
      if (row.converter != nullptr && text != nullptr) {
        std::string stored = text->Put(row.data, row.offset, row.converter->Format(value).c_str());
        result = row.converter->Parse(stored.c_str());
      }
    } else if (row.ptype != PTYPE_NONE) {
      if (const IAccessorI* a = sectionrow::Num(row))
        result = a->Put(row.data, row.offset, sectionrow::Clamp(row, value));
      if (flags & Oskend::ISection::kSend) SendMIDIParam(row);
    }
    if (flags & Oskend::ISection::kNotify) OnParamChanged(id, source);
    return result;
  }

  std::string GetParamS(int id) override {
    SParamDesc row{};
    if (!this->GetParamDesc(id, &row) || row.ptype == PTYPE_NONE) return sectionrow::EmptyPair();
    return FormatRow(row);
  }

  std::string PutParamS(int id, const char* text) override {
    return this->PutParamSEx(id, text, Oskend::ISection::kPlainWrite, eChgSource_Editor);
  }

  std::string PutParamSEx(int id, const char* text, unsigned flags, eChgSource source) override {
    SParamDesc row{};
    if (!this->GetParamDesc(id, &row)) return sectionrow::EmptyPair();
    if (sectionrow::IsLocked(row) && (flags & Oskend::ISection::kForceLocked) == 0)
      return sectionrow::EmptyPair();
    if (text == nullptr) text = "";
    std::string result = sectionrow::EmptyPair();
    if (row.ptype == PTYPE_STRING) {
      if (const IAccessorS* a = sectionrow::Text(row)) result = a->Put(row.data, row.offset, text);
    } else if (row.ptype != PTYPE_NONE) {
      const IAccessorI* a = sectionrow::Num(row);
      if (a != nullptr && row.converter != nullptr) {
        int stored =
            a->Put(row.data, row.offset, sectionrow::Clamp(row, row.converter->Parse(text)));
        result = row.converter->Format(stored);
      }
      if (flags & Oskend::ISection::kSend) SendMIDIParam(row);
    }
    if (flags & Oskend::ISection::kNotify) OnParamChanged(id, source);
    return result;
  }

  unsigned RawSize() override { return m_size; }

  unsigned RawGet(void* dst, unsigned offset, unsigned count) override {
    if (m_data == nullptr || dst == nullptr || offset >= m_size) return 0;
    unsigned n = std::min(m_size - offset, count);
    std::memmove(dst, m_data + offset, n);
    return n;
  }

  unsigned RawPut(const void* src, unsigned offset, unsigned count) override {
    if (m_data == nullptr || src == nullptr || offset >= m_size) return 0;
    unsigned n = std::min(m_size - offset, count);
    std::memmove(m_data + offset, src, n);
    OnReinitialized(nullptr);
    return n;
  }

  int GetOSCMode() override { return 0; }

  void OnAsyncTimer(long) override {}

  void OnAsyncEvent(long event, long value) override {
    Oskend::ISection* self = this;
    m_sinks.ForEach([&](Oskend::ISectionSink* sink) {
      switch (event) {
        case kEventReinitialized: sink->OnSectionReinitialized(self); break;
        case kEventPropsChanged:
          sink->OnSectionParamPropsChanged(self, static_cast<int>(value));
          break;
        case kEventParamChanged: sink->OnSectionParamChanged(self, static_cast<int>(value)); break;
        default: break;
      }
    });
  }

  // Hooks.
  virtual bool PrepareParamDesc(unsigned index, SParamDesc* out) {
    CParamTable* t = Table();
    const SParamDesc* src = t != nullptr ? t->GetRow(index) : nullptr;
    if (src == nullptr || out == nullptr) return false;
    *out = *src;
    if (out->id != -1) out->id = Rebase(out->id, m_idBase);
    out->data = m_data;
    if (sectionrow::IsNumber(*out)) {
      const std::uint8_t* ref = m_reference.load(std::memory_order_acquire);
      const IAccessorI* a = sectionrow::Num(*out);
      if ((out->flags & 0xF0u) == 0 && ref != nullptr && a != nullptr)
        out->ref = a->Get(ref, out->offset);
      else
        out->ref = out->def;
    }
    return true;
  }

  virtual void OnParamChanged(int id, eChgSource source) { PostEvent(kEventParamChanged, id); }

  virtual void SendMIDIParam(const SParamDesc& row) {
    if (row.id < 0 || row.ptype == PTYPE_NONE || row.ptype == PTYPE_STRING) return;
    SendParamChange(row.id, sectionrow::Raw(row));
  }

  // A value received from the synthesizer: stored raw, unclamped, even on a
  // row the editor shows locked (the image must equal the hardware), and
  // never sent back.
  virtual void OnRcvMIDIParam(int id, int value, eChgSource source) {
    SParamDesc row{};
    if (!this->GetParamDesc(id, &row) || row.ptype == PTYPE_NONE || row.ptype == PTYPE_STRING)
      return;
    sectionrow::PutRaw(row, value);
    OnParamChanged(id, source);
  }

  virtual void OnReinitialized(const Oskend::SModeChangeInfo* info) {
    PostEvent(kEventReinitialized, 0);
  }

  // Posts a notice for the sinks; they run on the main thread.
  void PostEvent(long event, long value) {
    IAsyncDispatch* disp = m_host != nullptr ? m_host->GetDisp() : nullptr;
    if (disp != nullptr) disp->NotifyEvent(this, event, value, false);
  }

  // Posts a notice on another section of the same model.
  void PostEventOn(Oskend::ISection* section, long event, long value) {
    auto* handler = dynamic_cast<IAsyncDispatchHandler*>(section);
    IAsyncDispatch* disp = m_host != nullptr ? m_host->GetDisp() : nullptr;
    if (handler != nullptr && disp != nullptr) disp->NotifyEvent(handler, event, value, false);
  }

  IHostProxy* Host() const { return m_host; }
  int SectionMIDIId() const { return m_midiId; }
  int IdBase() const { return m_idBase; }
  std::uint8_t* Data() const { return m_data; }
  CParamTable* Table() const { return m_table.load(std::memory_order_acquire); }
  const std::uint8_t* Reference() const { return m_reference.load(std::memory_order_acquire); }

 protected:
  void Bind(IHostProxy* host, const TABLEDESC& table, int midiId, int idBase, std::uint8_t* data,
            unsigned size, const std::uint8_t* reference) {
    m_host = host;
    m_midiId = midiId;
    m_idBase = idBase;
    m_data = data;
    m_size = size;
    Select(table, reference);
  }

  // Re-selects the table and reference block (any thread).
  void Select(const TABLEDESC& table, const std::uint8_t* reference) {
    unsigned char pmid = m_host != nullptr ? m_host->GetPMID() : 0;
    m_table.store(CParamTable::GetInstance(table, pmid), std::memory_order_release);
    m_reference.store(reference, std::memory_order_release);
  }

  // Sends through the host's link unless the section is never sent.
  void SendParamChange(int id, int value) {
    if (m_midiId == kNoMIDI || m_host == nullptr) return;
    if (Oskend::IRemoteMIDI* midi = m_host->GetRemoteMidi())
      midi->SendParamChange(static_cast<std::uint8_t>(m_midiId), id, value);
  }

  // A value of this section's own table as the plain row gives it (the
  // concrete preparation rules skipped), clamped or raw. Rules read other
  // parameters this way: it cannot recurse into rules that read back.
  int ReadPlain(int id, bool clamp = true) {
    CParamTable* t = Table();
    int index = t != nullptr ? t->FindIndex(id == -1 ? -1 : Rebase(id, -m_idBase)) : -1;
    SParamDesc row{};
    if (index < 0 || !CSectionImplBaseT::PrepareParamDesc(static_cast<unsigned>(index), &row) ||
        row.ptype == PTYPE_NONE)
      return 0;
    return ReadValue(row, clamp);
  }

  static int Rebase(int id, int base) {
    return static_cast<int>(static_cast<std::uint32_t>(id) + static_cast<std::uint32_t>(base));
  }

  static int ReadValue(const SParamDesc& row, bool clamp) {
    if (row.ptype == PTYPE_STRING) {
      const IAccessorS* text = sectionrow::Text(row);
      if (text == nullptr || row.converter == nullptr) return 0;
      return row.converter->Parse(text->Get(row.data, row.offset).c_str());
    }
    const IAccessorI* a = sectionrow::Num(row);
    int v = a != nullptr ? a->Get(row.data, row.offset) : 0;
    return clamp ? sectionrow::Clamp(row, v) : v;
  }

  static std::string FormatRow(const SParamDesc& row) {
    if (row.ptype == PTYPE_STRING) {
      const IAccessorS* text = sectionrow::Text(row);
      return text != nullptr ? text->Get(row.data, row.offset) : sectionrow::EmptyPair();
    }
    const IAccessorI* a = sectionrow::Num(row);
    if (a == nullptr || row.converter == nullptr) return sectionrow::EmptyPair();
    return row.converter->Format(a->Get(row.data, row.offset));
  }

 private:
  IHostProxy* m_host = nullptr;
  CHfcListenerList<Oskend::ISectionSink> m_sinks;
  std::atomic<CParamTable*> m_table{nullptr};
  int m_idBase = 0;
  int m_midiId = 0;
  std::uint8_t* m_data = nullptr;
  unsigned m_size = 0;
  std::atomic<const std::uint8_t*> m_reference{nullptr};
};
