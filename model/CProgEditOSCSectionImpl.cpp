#include "model/CProgEditOSCSectionImpl.h"

#include "model/InitChunks.h"
#include "model/SectionTables.h"

namespace {

constexpr int kOSCMode = 0x0D00;
constexpr int kDrums = 2;
constexpr int kDouble = 1;

bool InRange99(int v) { return v >= -99 && v <= 99; }

}  // namespace

CProgEditOSCSectionImpl::CProgEditOSCSectionImpl() {
  m_mono.Init(false);
  m_stereo.Init(false);
}

void CProgEditOSCSectionImpl::Init(IHostProxy* host, int midiId, Oskend::ISection* progPlay,
                                   Oskend::CHUNK_REMOTESYNTH image) {
  m_progPlay = progPlay;
  OSCInit(host, midiId, image ? image.GetProgEditBuffer() : Oskend::CHUNK_PROG());
}

void CProgEditOSCSectionImpl::OSCInit(IHostProxy* host, int midiId, Oskend::CHUNK_PROG program) {
  m_program = program;
  m_mode = GetOSCMode();
  m_lastMode = m_mode.load();
  Bind(host, Oskend::TABLEDESC_PROGEDITPCM, midiId, 0, program ? program.data() + kOffset : nullptr,
       program ? kSize : 0, Oskend::INITCHUNK_PROG().data() + kOffset);
}

int CProgEditOSCSectionImpl::GetOSCMode() {
  return m_program ? m_program.GetCommon().GetOSCMode() : 0;
}

void CProgEditOSCSectionImpl::UpdateOSCType(int mode) {
  // One table serves every oscillator mode; the block keeps its first
  // extent and reference so that reference reads stay inside it.
  if (m_mode.exchange(mode) != mode) {
    Select(Oskend::TABLEDESC_PROGEDITPCM, Reference());
  }
  m_lastMode = mode;
}

void CProgEditOSCSectionImpl::OnReinitialized(const Oskend::SModeChangeInfo* info) {
  UpdateOSCType(GetOSCMode());
  PostEvent(kEventReinitialized, 0);
}

// Multisample pickers of one velocity zone: the list follows the zone's
// mono/stereo switch, the start offset the chosen multisample.
void CProgEditOSCSectionImpl::PrepareMultisample(SParamDesc* out, int page, int off, int m) {
  if (m == kDrums) return;
  int base = page << 8;
  for (int z = 0; z < 4; ++z) {
    int zone = base + 6 * z;
    int s = -1;
    int n = 0;
    if (off == 6 * z + 2) {
      s = ReadPlain(zone + 1);
      if (s == 0 || s == 1) {
        out->ptype = PTYPE_ENUM;
        out->converter = s == 0 ? static_cast<IStringConverter*>(&m_mono) : &m_stereo;
        std::pair<int32_t, int32_t> range = out->converter->Range();
        out->min = range.first;
        out->max = range.second;
      }
    } else if (off == 6 * z + 4) {
      s = ReadPlain(zone + 1);
      n = ReadPlain(zone + 2);
      if (s == 0 || s == 1) {
        int r = s == 0 ? m_mono.Use2ndStart(n) : m_stereo.Use2ndStart(n);
        if (r == 0) {
          // No second start point: shown as "Off" and locked; the stored
          // value is the synthesizer's and stays as it is.
          out->min = out->max = 0;
          out->flags |= 3;
        } else {
          out->max = r;
        }
      } else if (s > 1) {
        out->max = 1;
      }
    } else if (off == 6 * z + 5) {
      s = ReadPlain(zone + 1);
      n = ReadPlain(zone + 2);
      bool compressed =
          s == 0 ? m_mono.IsCompressSample(n) : s == 1 && m_stereo.IsCompressSample(n);
      if (compressed) out->flags |= 3;
    }
  }
}

void CProgEditOSCSectionImpl::PrepareDependencies(SParamDesc* out, int m) {
  int id = out->id;
  int page = (id >> 8) & 0xFF;
  int off = id & 0xFF;
  bool lock = false;
  bool hide = false;
  auto v = [this](int x) { return ReadPlain(x); };

  if (page == 0x0D) {
    int poly = v(0x0D02);
    if (off == 0x03 || off == 0x04) lock = poly == 1;
    if (off == 0x05 || off == 0x06 || (off >= 0x08 && off <= 0x0B)) lock = poly == 0;
    if (off == 0x07) lock = poly == 0 || v(0x0D06) == 0;
  } else if (id == 0x0F03 || id == 0x0F04) {
    int wave = v(0x0F00);
    lock = id == 0x0F03 ? wave >= 12 : (wave == 2 || wave == 14);
  } else if ((page == 0x11 || page == 0x12 || page == 0x21 || page == 0x22) &&
             (off == 0x04 || off == 0x05)) {
    int wave = v(page << 8);
    lock = off == 0x04 ? wave >= 12 : (wave == 2 || wave == 14);
  } else if (page == 0x10 || page == 0x20) {
    int base = page << 8;
    if (off <= 0x17) {
      int z = off / 6;
      int k = off % 6;
      int zoneSwitch = v(base + 6 * z);
      if (k == 0)
        lock = m == kDrums;
      else if (k == 1 || (k == 2 && z > 0)) {
        hide = m == kDrums;
        lock = !hide && zoneSwitch == 0;
      } else if (k == 2)
        lock = zoneSwitch == 0;
      else
        lock = m == kDrums || zoneSwitch == 0;
    } else if (off <= 0x20) {
      lock = m == kDrums;
    } else if (off == 0x23) {
      out->max = v(base + 0x24);
    } else if (off == 0x24) {
      out->min = v(base + 0x23);
    }
  } else if ((page == 0x16 || page == 0x26) && off >= 0x01 && off <= 0x1A) {
    int structure = v((page - 2) << 8);
    lock = structure == 0 || structure == 3;
  } else if ((page == 0x18 || page == 0x1B || page == 0x1F || page == 0x28 || page == 0x2B ||
              page == 0x2F) &&
             (off == 0x03 || off == 0x06)) {
    lock = !InRange99(v(off == 0x03 ? id + 1 : id - 1));
  } else if ((page == 0x1C || page == 0x2C) && (off == 0x03 || off == 0x04)) {
    int route = m_progPlay != nullptr ? m_progPlay->GetParamI(0x204) : 0;
    lock = (route != 0 && route != 6) ||
           (m == kDrums && m_progPlay != nullptr && m_progPlay->GetParamI(0x206) != 0);
  } else if ((page == 0x1D || page == 0x1E || page == 0x2D || page == 0x2E) && off >= 1 &&
             off <= 20) {
    int b = page << 8;
    int t = v(b);
    switch (off) {
      case 1: hide = t == 6; break;
      case 2:
      case 3:
      case 4: hide = t >= 2; break;
      case 5:
      case 6: hide = t != 2; break;
      case 7:
      case 8: hide = t != 3; break;
      case 9:
      case 10: hide = t != 4; break;
      case 11: hide = t != 5; break;
      case 16:
        lock = v(b + 15) == 1;
        hide = t != 6;
        break;
      case 18:
        lock = v(b + 17) == 1;
        hide = t != 6;
        break;
      case 19:
        hide = t != 6;
        lock = !hide && v(b + 15) == 0;
        break;
      case 20:
        hide = t != 6;
        lock = !hide && v(b + 17) == 0;
        break;
      default: hide = t != 6; break;  // 12-15, 17
    }
  }
  if (page >= 0x20 && page <= 0x2E && m != kDouble) lock = true;
  if (lock) out->flags |= 3;
  if (hide) out->flags |= PFLAG_HIDDEN;
}

bool CProgEditOSCSectionImpl::PrepareParamDesc(unsigned index, SParamDesc* out) {
  if (!CSectionImplBaseT::PrepareParamDesc(index, out)) return false;
  if (out->id == -1) return true;
  int m = ReadPlain(kOSCMode);
  int page = (out->id >> 8) & 0xFF;
  if (page == 0x10 || page == 0x20) PrepareMultisample(out, page, out->id & 0xFF, m);
  PrepareDependencies(out, m);
  return true;
}

void CProgEditOSCSectionImpl::OnParamChanged(int id, eChgSource source) {
  PostEvent(kEventParamChanged, id);
  int page = (id >> 8) & 0xFF;
  int off = id & 0xFF;
  int b = page << 8;
  if (id == kOSCMode) {
    PostEventOn(m_progPlay, kEventPropsChanged, 0x206);
    if (source == eChgSource_Synth) {
      static const int kRanges[][2] = {
          {0x1000, 0x1024}, {0x2000, 0x2024}, {0x2300, 0x2318}, {0x2400, 0x2404},
          {0x2500, 0x251A}, {0x2600, 0x261A}, {0x2700, 0x2721}, {0x2800, 0x2806},
          {0x2100, 0x2113}, {0x2200, 0x2213}, {0x2900, 0x2909}, {0x2A00, 0x2A20},
          {0x2B00, 0x2B06}, {0x2D00, 0x2D14}, {0x2E00, 0x2E14}, {0x2F00, 0x2F06}};
      for (const auto& r : kRanges) PropsChanged(r[0], r[1]);
    }
  } else if (id == 0x0D02) {
    for (int i : {0x0D06, 0x0D07, 0x0D05, 0x0D09, 0x0D08, 0x0D0A, 0x0D0B, 0x0D04, 0x0D03})
      PropsChanged(i);
  } else if (id == 0x0D06) {
    PropsChanged(0x0D07);
  } else if (id == 0x0F00) {
    PropsChanged(0x0F03, 0x0F04);
  } else if (id == 0x1100 || id == 0x1200 || id == 0x2100 || id == 0x2200) {
    PropsChanged(id + 4, id + 5);
  } else if ((page == 0x18 || page == 0x1B || page == 0x1F || page == 0x28 || page == 0x2B ||
              page == 0x2F) &&
             (off == 0x04 || off == 0x05)) {
    PropsChanged(off == 0x04 ? id - 1 : id + 1);
  } else if (id == 0x1400 || id == 0x2400) {
    PropsChanged(id + 0x201, id + 0x21A);
  } else if ((page == 0x10 || page == 0x20) && (off == 0x23 || off == 0x24)) {
    PropsChanged(off == 0x23 ? id + 1 : id - 1);
  } else if ((page == 0x10 || page == 0x20) && off <= 0x12 && off % 6 == 0) {
    PropsChanged(id + 1, id + 5);
  } else if ((page == 0x10 || page == 0x20) && off <= 0x13 && off % 6 == 1) {
    // Mono/stereo of a zone: another list, so the start offset goes back
    // to 0 and, for an edit made here, the multisample too.
    for (int i : {id + 1, id + 4, id + 3}) PropsChanged(i);
    PutParamIEx(id + 3, 0, ISection::kNotify, eChgSource_Editor);
    if (source != eChgSource_Synth)
      PutParamIEx(id + 1, 0, ISection::kPlainWrite, eChgSource_Editor);
  } else if ((page == 0x10 || page == 0x20) && off <= 0x14 && off % 6 == 2) {
    PropsChanged(id + 3);
    PropsChanged(id + 2);
    PutParamIEx(id + 2, 0, ISection::kNotify, eChgSource_Editor);
  } else if (page == 0x1D || page == 0x1E || page == 0x2D || page == 0x2E) {
    if (off == 0) PropsChanged(b + 1, b + 20);
    if (off == 15) {
      PropsChanged(b + 16);
      PropsChanged(b + 19);
    }
    if (off == 17) {
      PropsChanged(b + 18);
      PropsChanged(b + 20);
    }
  }
}
