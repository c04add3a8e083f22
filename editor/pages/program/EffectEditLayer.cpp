#include "editor/pages/program/EffectEditLayer.h"

#include <string>

#include "editor/controls/XEControlCreater.h"
#include "editor/pages/program/PageBuilder.h"
#include "fxcatalog/FxTypeLists.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcControl.h"
#include "model/ISoundSection.h"
#include "model/paramdesc/SParamDesc.h"
#include "remote/IRemoteSynth.h"

namespace {

// Where the slots' type parameters stand in the performance edit buffer
// and in the program play buffer.
constexpr int kCombiFXTypeIdBase[3] = {0x1200, 0x1800, 0x1B00};
constexpr int kProgFXTypeIdBase[3] = {0x300, 0x900, 0xC00};

// Frame skin, width adjustment and whether the top and height follow the
// row-1 rule, by frame style 0..8.
struct FrameStyle {
  const char* skin;
  int top;       // offset below the row
  int widthAdd;  // to C x 196
  int heightAdd; // to R x 20
  bool row1Rule; // top +2 and height -2 away from row 1
};
constexpr FrameStyle kFrames[9] = {
    {"Container_Horizontal_Sub1", 4, -3, -1, false}, {"Container_Horizontal_Sub1", 4, -1, -1, false},
    {"Container_SubTab_Base", 5, -3, -1, true},      {"Container_SubTab_Base", 5, -1, -1, true},
    {"Container_SubTab_Base", 5, -3, -1, false},     {"Container_SubTab_Base", 5, -1, -1, false},
    {"Container_SubTab_Base", 5, 0, -1, false},      {"Container_SubTab_Base", 5, -3, -3, false},
    {"Container_SubTab_Base", 5, 0, -3, false},
};

}  // namespace

bool EffectEditLayer::GetFrameRect(int flags, int x, int row, int columns, int rows, FrameRect* out) {
  if (flags < 0 || flags > 8 || !out) return false;
  const FrameStyle& s = kFrames[flags];
  const bool away = s.row1Rule && row != 1;
  const int y = row * kRowHeight;
  *out = {s.skin, x - 5, y + s.top + (away ? 2 : 0), columns * kColumnWidth + s.widthAdd,
          rows * kRowHeight + s.heightAdd - (away ? 2 : 0)};
  return true;
}

EffectEditLayer::EffectEditLayer(Oskend::IRemoteSynth* synth, eMode mode, int slot)
    : EditTabPageLayerBase(synth, mode), m_iSlot(slot) {}

EffectEditLayer::~EffectEditLayer() = default;

bool EffectEditLayer::Create(CHfcWindow* window) {
  CHfcBmp* back = PageBuilder::Skin("Background_SubTab_Wide");
  {
    CHfcCriticalSectionLock lock(m_lock);
    m_bRebuild = false;
  }
  if (Oskend::ISection* s = GetFXSection()) {
    s->AdviseSink(this);
    m_pAdvised = s;
  }
  CTabPageLayerCreateParam p;
  p.background = back;
  p.width = back ? back->GetWidth() : 559;
  p.height = back ? back->GetHeight() : 230;
  return CTabPageLayer::Create(p, window);
}

void EffectEditLayer::ScheduleRebuild() {
  CHfcCriticalSectionLock lock(m_lock);
  m_bRebuild = true;
  RequestRedraw();
}

void EffectEditLayer::OnEffectTypeChanged(int) { ScheduleRebuild(); }

bool EffectEditLayer::IsRebuildPending() {
  CHfcCriticalSectionLock lock(m_lock);
  return m_bRebuild;
}

Oskend::ISection* EffectEditLayer::GetFXSection(int i) const {
  Oskend::ISoundSection* buffer = m_pRemoteSynth ? m_pRemoteSynth->GetEditBuffer(GetTargetMode()) : nullptr;
  if (!buffer) return nullptr;
  switch (i) {
    case 0: return buffer->GetIFX1();
    case 1: return buffer->GetIFX2();
    case 2: return buffer->GetIFX3();
    case 3: return buffer->GetIFX4();
    case 4: return buffer->GetIFX5();
    case 5: return buffer->GetMFX1();
    case 6: return buffer->GetMFX2();
    case 7: return buffer->GetTFX();
    default: return nullptr;
  }
}

int EffectEditLayer::GetFXTypeParamId(int i) const {
  const int* base = GetTargetMode() == eMode_Combi     ? kCombiFXTypeIdBase
                    : GetTargetMode() == eMode_ProgPlay ? kProgFXTypeIdBase
                                                        : nullptr;
  if (!base || i < 0) return 0;
  return i <= 4 ? base[0] + i : i <= 6 ? base[1] + (i - 5) : base[2];
}

bool EffectEditLayer::OnDestroy() {
  if (m_pAdvised) m_pAdvised->UnadviseSink(this);
  m_pAdvised = nullptr;
  return CTabPageLayer::OnDestroy();
}

void EffectEditLayer::OnIdleSectionReinitialized(Oskend::ISection* section) {
  if (section) ScheduleRebuild();
}

void EffectEditLayer::OnRemoteSynthAuditionStateChanged(Oskend::IRemoteSynth* synth, bool playing) {
  if (synth && !playing) ScheduleRebuild();
}

void EffectEditLayer::OnRefresh() {
  CHfcCriticalSectionLock lock(m_lock);
  if (!m_bRebuild) {
    EditTabPageLayerBase::OnRefresh();
    return;
  }
  UnlinkAllControlsWithParam();
  RemoveAllControls(true);
  Oskend::ISection* section = GetFXSection(m_iSlot);
  m_bRebuild = false;
  if (!section) return;
  Rebuild(section);
  // Unlinking the last control let the section go; the page must still
  // hear the next type change.
  section->AdviseSink(this);
  m_pAdvised = section;
  EditTabPageLayerBase::OnRefresh();
}

bool EffectEditLayer::IsSlotAvailable() {
  // Insert effects 2-5 and master effect 2 follow a slot of their kind.
  if (m_iSlot != 1 && m_iSlot != 2 && m_iSlot != 3 && m_iSlot != 4 && m_iSlot != 6) return true;
  const int type = GetParamValue(GetTargetMode(), GetFXTypeParamId(m_iSlot - 1));
  return Oskend::GetFXSize(static_cast<Oskend::eFxType>(type)) < 2;
}

void EffectEditLayer::Rebuild(Oskend::ISection* section) {
  SParamDesc first{};
  const bool titled = section->GetParamDescByIndex(0, &first) && first.ptype == PTYPE_FRAME;
  CHfcBmp* labelBack = titled ? PageBuilder::Skin("Container_Horizontal_Sub1") : GetBackgroundBmp();
  XEControlCreater f(labelBack ? labelBack : GetBackgroundBmp(), 0, 0);
  if (!IsSlotAvailable()) return;
  int x = kFirstColumnX;
  int row = 0;
  const int count = section->GetParamCount();
  for (int i = 0; i < count; ++i) {
    SParamDesc d{};
    if (!section->GetParamDescByIndex(static_cast<unsigned>(i), &d)) continue;
    const int pid = section->GetParamIDByIndex(static_cast<unsigned>(i));
    const int kind = d.ptype;
    if (kind >= PTYPE_TITLE) AddRowLabel(f, d, x, row * kRowHeight);
    AddRowControl(CreateRowControl(f, d, pid, x, row), kind, pid);
    // A frame lies behind the rows; a bare line break starts the next column.
    if (kind != PTYPE_FRAME) ++row;
    if (kind == PTYPE_NONE && d.name && std::string(d.name) == "\n") {
      x += kColumnWidth;
      row = 0;
    }
  }
}

void EffectEditLayer::AddRowLabel(XEControlCreater& f, const SParamDesc& d, int x, int y) {
  std::string text = d.name ? d.name : "";
  if (d.label && *d.label) text += std::string(" [") + d.label + "]";
  const int style = (d.flags & PFLAG_LABELSTYLE7) ? 7 : 0;
  CHfcControl* label = d.ptype == PTYPE_ONOFF ? f.CreateLabel(x + 18, y + 8, text, 120, 13, style, 0, 1, -1)
                                              : f.CreateLabel(x, y + 8, text, 83, 13, style, 0, 1, -1);
  if (label && AddControl(label, false)) {
    label->Show(true);
  } else if (label) {
    label->Destroy();
    delete label;
  }
}

CHfcControl* EffectEditLayer::CreateRowControl(XEControlCreater& f, const SParamDesc& d, int pid, int x,
                                               int row) {
  const int y = row * kRowHeight;
  const std::string name = d.name ? d.name : "";
  switch (d.ptype) {
    case PTYPE_NONE:
      if (!name.empty() && name != "\n") return f.CreateLabel(x, y + 8, name, 188, 13, 1, 0, 1, -1);
      return nullptr;
    case PTYPE_CAPTION: return f.CreateLabel(x, y + 8, name, 188, 13, 2, 0, 1, -1);
    case PTYPE_TITLE: return f.CreateLabel(x, y + 8, name, 376, 13, 1, 0, 1, -1);
    case PTYPE_FRAME:
      if (FrameRect r{}; GetFrameRect(static_cast<int>(d.flags), x, row, d.min, d.max, &r))
        return f.CreateStaticBmp(r.left, r.top, r.width, r.height, r.skin, -1);
      return nullptr;
    case PTYPE_CONT: return f.CreateHorizontalValueBar(x + 83, y + 8, d.min, d.max, d.def, pid, false);
    case PTYPE_ENUM: return f.CreateDropdownList(x + 83, y + 8, 4, pid);
    case PTYPE_ENUMLONG: return f.CreateSoundSelector(x + 83, y + 8, 6, 13, pid, 0);
    case PTYPE_ONOFF: return f.CreateSwitch(x, y + 8, pid, 0);
    // The shorter bar is a style of its own (88 wide); the row's default
    // is the bar's origin, not its style.
    case PTYPE_CONTRANGE: return f.CreateHorizontalValueBar(x + 83, y + 8, 88, d.min, d.max, d.def, pid, false);
    case PTYPE_CONT10: return f.CreateTextEdit(x + 83, y + 8, 40, 13, pid, false);
    default: return nullptr;
  }
}

void EffectEditLayer::AddRowControl(CHfcControl* c, int kind, int pid) {
  if (!c) return;
  if (!AddControl(c, false)) {
    c->Destroy();
    delete c;
    return;
  }
  c->Show(true);
  if (kind >= PTYPE_STRING) {
    c->SetListener(this);
    LinkControlWithParam(c, GetTargetMode(), pid);
    SynchronizeControlWithParam(c, true);
  }
}
