#pragma once
// The synthesizer's global block: tuning, controllers, MIDI settings, user
// scales and category names. Its ids have bit 31 set, so single values are
// never sent; the block travels as a whole dump.
#include <cstdint>

#include "model/CSectionImplBaseT.h"
#include "model/ChunkRemoteSynth.h"
#include "model/ISoundSection.h"

class CRTCSectionImpl;

class CGlobalSectionImpl : public CSectionImplBaseT<CGlobalSectionImpl, Oskend::ISection> {
 public:
  static constexpr int kMidiId = 6;
  static constexpr int kCategoryCount = 7;
  static constexpr int kCategoryRows = 8;
  static constexpr unsigned kCategoryLength = 24;

  CGlobalSectionImpl();

  void Init(IHostProxy* host, CRTCSectionImpl* rtc, Oskend::ISoundSection* progPlay,
            Oskend::ISoundSection* progEdit, Oskend::ISoundSection* combi,
            Oskend::CHUNK_REMOTESYNTH image);

  void OnParamChanged(int id, eChgSource source) override;
  void OnReinitialized(const Oskend::SModeChangeInfo* info) override;
  bool PrepareParamDesc(unsigned index, SParamDesc* out) override;

 private:
  CRTCSectionImpl* m_rtc = nullptr;
  Oskend::ISoundSection* m_progPlay = nullptr;
  Oskend::ISoundSection* m_progEdit = nullptr;
  Oskend::ISoundSection* m_combi = nullptr;
  Oskend::CHUNK_REMOTESYNTH m_image;
  // The built-in category names, space-padded; the table has one row more
  // than there are categories, and that row reads a blank slot.
  char m_categories[kCategoryRows][kCategoryLength];
};
