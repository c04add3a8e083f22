#include "editor/controls/XEControlCreater.h"

#include <cstdio>
#include <iterator>

#include "editor/controls/CMMPCtrlFlash.h"
#include "editor/controls/CMMPCtrlList.h"
#include "editor/controls/CMMPCtrlScrollBar.h"
#include "editor/controls/CXBCtrlEnvelopeGraph.h"
#include "editor/controls/CXBCtrlFilterGraph.h"
#include "editor/controls/CXBCtrlFxRoutingGraph.h"
#include "editor/controls/CXBCtrlHorizontalValueBar.h"
#include "editor/controls/CXBCtrlKeyTrkGraph.h"
#include "editor/controls/CXBCtrlTG01FilterGraph.h"
#include "editor/controls/CXBCtrlVeloZoneGraph.h"
#include "editor/controls/FontManager.h"
#include "editor/controls/ResourceManager.h"
#include "editor/controls/XEControlCreaterTables.h"
#include "editor/controls/XEDropdownList.h"
#include "editor/controls/XEDropdownListSwitch.h"
#include "editor/controls/XEKnob.h"
#include "editor/controls/XESoundSelector.h"
#include "editor/controls/XESplitKeyBar.h"
#include "editor/controls/XEStaticBmp.h"
#include "editor/controls/XEStaticText.h"
#include "editor/controls/ZubZoneSlopeBar.h"
#include "hfc/CHfcBmp.h"
#include "hfc/CHfcCtrlCharEditText.h"
#include "hfc/CHfcCtrlHorizontalSlideSwitch.h"
#include "hfc/CHfcCtrlSlideSwitch.h"
#include "hfc/CHfcCtrlSwitch.h"
#include "hfc/CHfcCtrlTextSwitch.h"

using namespace XEControlCreaterTables;

namespace {

constexpr float kFactoryDisabledAlpha = 0.25f;
constexpr uint32_t kBlack = 0xFF000000u;
constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr uint32_t kBlue = 0xFF0000FFu;
constexpr uint32_t kSelection = 0x2B0000FFu;

CHfcBmp* Skin(const std::string& name) {
  ResourceManager* images = ResourceManager::GetInstance();
  return images ? images->LoadImage(name) : nullptr;
}

tagHfcBmpFontInfo* Font(const std::string& name) {
  return FontManager::mInstance ? FontManager::mInstance->GetBmpFontInfo(name) : nullptr;
}

// Which points of an envelope have a handle.
const uint8_t kEnvelopePoints[6] = {1, 1, 1, 1, 0, 1};
const uint8_t kMiniPitchPoints[6] = {1, 1, 1, 0, 0, 1};
const int32_t kIndicatorFrames[3] = {0, 1, 2};

// Creates a filter graph showing the curve every factory graph starts with.
void StartFilterGraph(CXBCtrlFilterGraph* c, tagXBCtrlFilterGraphParam* p, int id, bool readOnly) {
  c->Create(p, id, 0);
  c->SetDisabledAlpha(kFactoryDisabledAlpha);
  if (readOnly) c->SetReadOnly(true);
  if (c->IsCreated()) {
    c->SetFilterType(0, false);
    tagFilterValue v0{0, 99, 0};
    tagFilterValue v1{1, 0, 50};
    c->SetFilterValue(&v0, true);
    c->SetFilterValue(&v1, true);
  }
}
// A slide switch of either axis at (left, top) over the background at
// (backX, backY), one skin row a state.
template <typename Switch>
Switch* NewSlideSwitch(CHfcBmp* skin, int nStates, int left, int top, CHfcBmp* back, int backX,
                       int backY, int id) {
  auto* c = new Switch();
  tagHfcCtrlSlideSwitchParam p{};
  p.x = left;
  p.y = top;
  p.height = skin->GetHeight() / nStates;
  p.skin = skin;
  p.bgBmp = back;
  p.bgX = backX;
  p.bgY = backY;
  p.states = nStates;
  c->Create(&p, id, 0);
  c->SetDisabledAlpha(kFactoryDisabledAlpha);
  return c;
}
}  // namespace

// ---- Text ----

XEStaticText* XEControlCreater::CreateStaticText(int x, int y, int w, int h, const std::string& text,
                                                 tagHfcBmpFontInfo* font, unsigned int colour,
                                                 int hAlign, int vAlign, int id) {
  if (!font) return nullptr;
  auto* c = new XEStaticText();
  SXEStaticText p{};
  p.x = mOriginX + x;
  p.y = mOriginY + y;
  p.width = w;
  p.height = h;
  p.back = mBackground;
  p.backX = x;
  p.backY = y;
  p.font = font;
  p.text = text.c_str();
  p.color = colour;
  p.hAlign = hAlign;
  p.vAlign = vAlign;
  c->Create(&p, id, 0);
  c->Enable(true);
  c->SetDisabledAlpha(kFactoryDisabledAlpha);
  return c;
}

XEStaticText* XEControlCreater::CreateStaticText(int x, int y, int w, int h, const std::string& text,
                                                 const char* fontName, unsigned int colour,
                                                 int hAlign, int vAlign, int id) {
  tagHfcBmpFontInfo* font = fontName ? Font(fontName) : nullptr;
  if (!font) return nullptr;
  return CreateStaticText(x, y, w, h, text, font, colour, hAlign, vAlign, id);
}

XEStaticText* XEControlCreater::CreateLabel(int x, int y, const std::string& text, int w, int h,
                                            int style, int hAlign, int vAlign, int id) {
  const char* font = FontManager::FontName_ParamValue;
  uint32_t colour = kUnknownLabelColour;
  if (style >= 0 && style < static_cast<int>(std::size(kLabelStyles))) {
    font = kLabelStyles[style].font;
    colour = kLabelStyles[style].colour;
  }
  return CreateStaticText(x, y, w, h, text, font, colour, hAlign, vAlign, id);
}

// ---- Text edits ----

CHfcCtrlCharEditText* XEControlCreater::CreateTextEdit(int x, int y, int w, int h, int maxChars,
                                                       int id, bool readOnly, int align,
                                                       int flags) {
  // A box without a skin of its own would have nothing to draw its field on.
  const tagTextEditBox* box = FindTextEditBox(w, h);
  if (!box) return nullptr;
  CHfcBmp* skin = Skin(box->skin);
  tagHfcBmpFontInfo* font = Font(box->font);
  if (!skin || !font || maxChars < 1) return nullptr;
  auto* c = new CHfcCtrlCharEditText();
  tagHfcCtrlCharEditTextParamEx2 p{};
  p.x = mOriginX + x;
  p.y = mOriginY + y;
  p.width = box->usedWidth;
  p.height = h != 0 ? skin->GetHeight() : 0;
  p.font = font->bmp;
  p.background = mBackground;
  p.overlay = skin;
  p.backgroundX = x;
  p.backgroundY = y;
  p.rows = 1;
  p.columns = maxChars;
  p.selectionColor = kSelection;
  p.fillColor = kBlack;
  p.cursorColor = kBlack;
  p.sensitivity = 1.0;
  p.fineSensitivity = 0.1;
  p.proportional = 1;
  p.fontInfo = font;
  p.textColor = kBlack;
  c->CreateEx2(&p, id, flags);
  c->SetFocusColor(0xFF00FF00u);
  const int used = box->usedWidth;
  const bool left = used == 48 || used == 53 || used == 64 || used > 100;
  c->GetEngine()->SetAlignment(left ? 0 : align);
  c->SetDisabledAlpha(kFactoryDisabledAlpha);
  c->SetFocusMergin(2);
  const int m = c->GetFocusMergin();
  c->Move(mOriginX + x + m, mOriginY + y + m, false);
  c->Resize(p.width - 2 * m, p.height - 2 * m, false);
  if (readOnly) {
    c->SetFocusOnClick(false);
    c->SetDoubleClickEdits(false);
    c->SetDoubleClickIgnored(true);
  }
  return c;
}

CHfcCtrlCharEditText* XEControlCreater::CreateTextEdit(int x, int y, int w, int h, int id,
                                                       bool readOnly) {
  const tagTextEditBox* box = FindTextEditBox(w, h);
  return CreateTextEdit(x, y, w, h, box ? box->chars : 1, id, readOnly, 2, 0);
}

// ---- Switches ----

CHfcCtrlSwitch* XEControlCreater::CreateSwitch(int x, int y, const std::string& skinName,
                                               int nStates, int id, int flags) {
  CHfcBmp* skin = Skin(skinName);
  if (!skin || nStates < 1) return nullptr;
  auto* c = new CHfcCtrlSwitch();
  tagHfcCtrlSwitchParamEx p{};
  p.x = mOriginX + x;
  p.y = mOriginY + y;
  p.height = skin->GetHeight() / nStates;
  p.skin = skin;
  p.bgBmp = mBackground;
  p.bgX = x;
  p.bgY = y;
  p.states = nStates;
  p.oneFramePerState = 1;
  c->CreateEx(&p, id, flags);
  c->SetMinIntValue(0, true);
  c->SetMaxIntValue(nStates - 1, true);
  c->SetDisabledAlpha(kFactoryDisabledAlpha);
  return c;
}

CHfcCtrlSwitch* XEControlCreater::CreateCheckBox(int x, int y, int id, int flags) {
  return CreateSwitch(x, y, "Switch_CheckBox", 2, id, flags);
}

CHfcCtrlSwitch* XEControlCreater::CreateSwitch(int x, int y, int id, int flags) {
  return CreateCheckBox(x, y, id, flags);
}

CHfcCtrlTextSwitch* XEControlCreater::CreateTextSwitch(int x, int y, const std::string& skin,
                                                       int nStates, unsigned int colour, int id,
                                                       int vMargin) {
  return CreateTextSwitch(x, y, skin, nStates, FontManager::FontName_HelvB11, colour, id, 1,
                          vMargin, 1);
}

CHfcCtrlTextSwitch* XEControlCreater::CreateTextSwitch(int x, int y, const std::string& skinName,
                                                       int nStates, const std::string& fontName,
                                                       unsigned int colour, int id, int hMargin,
                                                       int vMargin, int hAlign) {
  CHfcBmp* skin = Skin(skinName);
  tagHfcBmpFontInfo* font = Font(fontName);
  if (!skin || !font || nStates < 1) return nullptr;
  auto* c = new CHfcCtrlTextSwitch();
  tagHfcCtrlTextSwitchParam p{};
  p.x = mOriginX + x;
  p.y = mOriginY + y;
  p.height = skin->GetHeight() / nStates;
  p.skin = skin;
  p.bgBmp = mBackground;
  p.bgX = x;
  p.bgY = y;
  p.states = nStates;
  p.oneFramePerState = 1;
  p.font = font;
  p.text = "";
  p.textColor = colour;
  p.hAlign = hAlign;
  p.hMargin = hMargin;
  p.vAlign = 1;
  p.vMargin = vMargin;
  c->Create(&p, id, 0);
  c->SetMinIntValue(0, true);
  c->SetMaxIntValue(nStates - 1, true);
  c->SetDisabledAlpha(kFactoryDisabledAlpha);
  return c;
}

CHfcCtrlSlideSwitch* XEControlCreater::CreateSlideSwitch(int x, int y, const std::string& skinName,
                                                         int nStates, int id) {
  CHfcBmp* skin = Skin(skinName);
  if (!skin || nStates < 1) return nullptr;
  return NewSlideSwitch<CHfcCtrlSlideSwitch>(skin, nStates, mOriginX + x, mOriginY + y, mBackground, x, y, id);
}

CHfcCtrlHorizontalSlideSwitch* XEControlCreater::CreateHorizontalSlideSwitch(
    int x, int y, const std::string& skinName, int nStates, int id) {
  CHfcBmp* skin = Skin(skinName);
  if (!skin || nStates < 1) return nullptr;
  return NewSlideSwitch<CHfcCtrlHorizontalSlideSwitch>(skin, nStates, mOriginX + x, mOriginY + y, mBackground, x, y, id);
}

XEDropdownListSwitch* XEControlCreater::CreateDropdownListSwitch(int x, int y, int style,
                                                                 int itemKind, int id) {
  if (style < 0 || style >= static_cast<int>(std::size(kDropdownSwitchStyles))) return nullptr;
  CHfcBmp* skin = Skin(kDropdownSwitchStyles[style].skin);
  tagHfcBmpFontInfo* font = Font(FontManager::FontName_HelvB11);
  if (!skin || !font) return nullptr;
  auto* c = new XEDropdownListSwitch();
  SXEDropdownListSwitchParam p{};
  p.x = x;
  p.y = y;
  p.height = skin->GetHeight() / 2;
  p.skin = skin;
  p.bgBmp = mBackground;
  p.bgX = x;
  p.bgY = y;
  p.states = 2;
  p.oneFramePerState = 1;
  p.font = font;
  p.text = "";
  p.textColor = kDropdownSwitchStyles[style].colour;
  p.hAlign = 0;
  p.hMargin = 4;
  p.vAlign = 1;
  p.vMargin = 4;
  p.itemKind = itemKind;
  p.arrowWidth = XEDropdownListSwitch::kArrowWidth;
  c->Create(&p, id, 0);
  c->SetDisabledAlpha(kFactoryDisabledAlpha);
  return c;
}

// ---- Knob and value bars ----

XEKnob* XEControlCreater::CreateKnob(int x, int y, int min, int max, int centre, bool,
                                     int textLength, int id, bool minMeter) {
  CHfcBmp* meter = Skin("Knob_Meter");
  tagHfcBmpFontInfo* font = Font(FontManager::FontName_Geneva9_for_Controls);
  if (!meter || !font) return nullptr;
  auto* c = new XEKnob();
  tagZublKnobParamEx p{};
  p.x = mOriginX + x;
  p.y = mOriginY + y;
  p.width = meter->GetWidth();
  p.height = meter->GetHeight();
  p.panelX = x;
  p.panelY = y;
  p.panel = mBackground;
  p.minimum = min;
  p.maximum = max;
  p.centre = centre;
  p.ringX = 18.0f;
  p.ringY = 18.0f;
  p.ringRadius = 18.0f;
  p.startAngle = 3.9880764f;
  p.endAngle = -0.8203046f;
  p.gap = 0.05f;
  p.maskColor = 0;
  p.secondColor = kWhite;
  p.modColor = 0xFF00FFFFu;
  p.modMarkerColor = 0xFFFFFF00u;
  p.meter = meter;
  p.face = Skin("Knob_MeterBack");
  p.minimumMeter = Skin("Knob_Meter_RND");
  p.font = font->bmp;
  p.fontInfo = font;
  // The product is halved before the offset is added.
  p.textX = ((4 - textLength) * 6) / 2 + 7;
  p.textY = 15;
  p.textLength = textLength;
  p.coarseStep = 1.0f;
  p.fineStep = 0.1f;
  p.keyStep = 1;
  p.minimumMeterFlag = minMeter ? 1 : 0;
  p.proportional = 1;
  p.textColor = kBlack;
  c->CreateEx(&p, id, 0);
  c->SetFocusColor(0);
  return c;
}

CXBCtrlHorizontalValueBar* XEControlCreater::CreateHorizontalValueBar(int x, int y, int style,
                                                                      int min, int max, int origin,
                                                                      int id, bool randomAtMin) {
  // A style the table does not know has no back picture to size the bar.
  const tagValueBarStyle* s = FindValueBarStyle(style);
  if (!s) return nullptr;
  CHfcBmp* back = Skin(s->back);
  CHfcBmp* bar = Skin(s->bar);
  tagHfcBmpFontInfo* font = Font(FontManager::FontName_Geneva9);
  if (!back || !bar || !font) return nullptr;
  auto* c = new CXBCtrlHorizontalValueBar();
  tagXBCtrlHorizontalValueBarParamEx2 p{};
  p.x = mOriginX + x;
  p.y = mOriginY + y;
  p.backgroundX = x;
  p.backgroundY = y;
  p.background = mBackground;
  p.barX = 2;
  p.barY = 1;
  p.barWidth = s->barWidth;
  p.barHeight = s->barHeight;
  p.bar = bar;
  p.dispX = s->dispX;
  p.dispY = 2;
  p.chars = s->chars;
  p.font = font->bmp;
  p.minimum = min;
  p.maximum = max;
  if (min >= 0) {
    p.origin = min;
  } else if (max == -min) {
    p.origin = 0;
    p.signFlag = 1;
  } else if (max > 0) {
    p.origin = origin;
  } else {
    p.origin = min;
    p.signFlag = max == 0 ? 1 : 0;
  }
  p.displayScale = 1.0f;
  p.pixelScale = 10.0f;
  p.fineScale = 1.0f;
  p.proportional = 1;
  p.fontInfo = font;
  p.textColor = kBlack;
  p.showDisplay = s->chars > 0 ? 1 : 0;
  p.randomAtMinimum = randomAtMin ? 1 : 0;
  p.back = back;
  c->CreateEx2(&p, id, 0);
  c->GetEngine()->SetSelectionColor(kSelection);
  c->SetFocusColor(0);
  c->SetDisabledAlpha(kFactoryDisabledAlpha);
  return c;
}

CXBCtrlHorizontalValueBar* XEControlCreater::CreateHorizontalValueBar(int x, int y, int min,
                                                                      int max, int origin, int id,
                                                                      bool randomAtMin) {
  return CreateHorizontalValueBar(x, y, 96, min, max, origin, id, randomAtMin);
}

// ---- Lists and selectors ----

XEDropdownList* XEControlCreater::CreateDropdownList(int x, int y, int type, int id) {
  if (type < 0 || type >= static_cast<int>(std::size(kDropdownTypes))) return nullptr;
  const tagDropdownType& t = kDropdownTypes[type];
  CHfcBmp* skin = Skin(t.skin);
  tagHfcBmpFontInfo* font = Font(t.font);
  if (!skin || !font) return nullptr;
  auto* c = new XEDropdownList();
  SXEDropdownListParam p{};
  p.x = mOriginX + x;
  p.y = mOriginY + y;
  p.height = skin->GetHeight() / t.frames;
  p.skin = skin;
  p.bgBmp = mBackground;
  p.bgX = x;
  p.bgY = y;
  p.states = 1;
  p.oneFramePerState = 1;
  p.font = font;
  p.text = "";
  p.textColor = t.colour;
  p.hAlign = t.hAlign;
  p.hMargin = t.hMargin;
  p.vAlign = 1;
  p.vMargin = 0;
  p.rightReserve = t.rightReserve;
  c->Create(&p, id, 0);
  c->SetFocusColor(0);
  c->SetDisabledAlpha(kFactoryDisabledAlpha);
  return c;
}

XESoundSelector* XEControlCreater::CreateSoundSelector(int x, int y, int kind, int widthStyle,
                                                       int id, int flags) {
  if (widthStyle < 0 || widthStyle >= static_cast<int>(std::size(kSelectorStyles))) return nullptr;
  const tagSelectorStyle& s = kSelectorStyles[widthStyle];
  CHfcBmp* skin = Skin(s.skin);
  tagHfcBmpFontInfo* font = Font(s.font);
  if (!skin || !font) return nullptr;
  auto* c = new XESoundSelector();
  SXESoundSelector p{};
  p.kind = kind;
  p.x = mOriginX + x;
  p.y = mOriginY + y;
  p.frame = skin;
  p.back = mBackground;
  p.backX = x;
  p.backY = y;
  p.font = font;
  p.margin = s.textX;
  p.stripPrefix = s.nameOnly;
  p.color = kBlack;
  c->Create(&p, id, flags);
  c->SetDisabledAlpha(kFactoryDisabledAlpha);
  return c;
}

// ---- Graphs and bars ----

ZubZoneSlopeBar* XEControlCreater::CreateZoneSlopeBar(int x, int y, int id, int width) {
  CHfcBmp* back = Skin("ZoneSlopeBarBack");
  CHfcBmp* zone = Skin("ZoneBar");
  CHfcBmp* slope = Skin("SlopeBar");
  if (!back || !zone || !slope) return nullptr;
  auto* c = new ZubZoneSlopeBar();
  tagKvxCtrlZoneSlopeBarParam p{};
  p.x = mOriginX + x;
  p.y = mOriginY + y;
  p.width = width;
  p.barWidth = width;
  p.background = back;
  p.zone = zone;
  p.slope = slope;
  p.insideColor = 0xFF003983u;
  p.outsideColor = 0xFFDB0330u;
  p.minimum = 0;
  p.maximum = 127;
  p.dragScale = 10.0f;
  c->Create(&p, id, 0);
  c->SetPressCursorId(10);
  c->SetParameter(ZubZoneSlopeBar::kIdSlopeMin, 0, true);
  c->SetParameter(ZubZoneSlopeBar::kIdSlopeMax, 127, true);
  c->SetParameter(ZubZoneSlopeBar::kIdZoneMin, 0, true);
  c->SetParameter(ZubZoneSlopeBar::kIdZoneMax, 127, true);
  c->SetDisabledAlpha(kFactoryDisabledAlpha);
  return c;
}

CXBCtrlKeyTrkGraph* XEControlCreater::CreateKeyTrkGraph(int x, int y, int kind, int id) {
  CHfcBmp* back = Skin("Image_KeyTrk");
  if (!back) return nullptr;
  auto* c = new CXBCtrlKeyTrkGraph();
  tagXBCtrlKeyTrkGraphParam p = CXBCtrlKeyTrkGraph::sm_mInitParam;
  p.x = mOriginX + x;
  p.y = mOriginY + y;
  p.width = back->GetWidth();
  p.height = back->GetHeight();
  p.background = back;
  p.keyStrip = Skin("Image_KeyTrk_Key");
  p.sourceX = 0;
  p.sourceY = 0;
  p.entryCount = 4;
  p.minimum = 0;
  p.maximum = 255;
  p.kind = kind;
  p.curveColor = 0xFF00FF00u;
  c->Create(&p, id, 0);
  c->SetDisabledAlpha(kFactoryDisabledAlpha);
  return c;
}

CXBCtrlVeloZoneGraph* XEControlCreater::CreateVeloZoneGraph(int x, int y, int id) {
  CHfcBmp* back = Skin("Image_VeloZone");
  if (!back) return nullptr;
  auto* c = new CXBCtrlVeloZoneGraph();
  tagXBCtrlVeloZoneGraphParam p = CXBCtrlVeloZoneGraph::sm_mInitParam;
  p.x = mOriginX + x;
  p.y = mOriginY + y;
  p.width = 50;
  p.height = 175;
  p.background = back;
  p.sourceX = 0;
  p.sourceY = 0;
  p.entryCount = 4;
  p.minimum = 0;
  p.maximum = 127;
  p.lineColor = kBlue;
  c->Create(&p, id, 0);
  c->SetDisabledAlpha(kFactoryDisabledAlpha);
  return c;
}

CXBCtrlFxRoutingGraph* XEControlCreater::CreateFxRoutingGraph(int x, int y, int width, int kind,
                                                              int id) {
  CHfcBmp* source = kind == 0 ? Skin("FxSrc_Prog") : (kind == 1 || kind == 2) ? Skin("FxSrc") : nullptr;
  auto* c = new CXBCtrlFxRoutingGraph();
  tagXBCtrlFxRoutingGraphParam p = CXBCtrlFxRoutingGraph::sm_mInitParam;
  p.x = mOriginX + x;
  p.y = mOriginY + y;
  p.width = width;
  p.height = 90;
  p.background = mBackground;
  p.source = source;
  p.pictureX = mOriginX + x;
  p.pictureY = mOriginY + y;
  c->Create(&p, id, 0);
  c->SetDisabledAlpha(kFactoryDisabledAlpha);
  return c;
}

CXBCtrlEnvelopeGraph* XEControlCreater::CreateEnvelopeGraph(int x, int y, int kind, int id) {
  CHfcBmp* back = Skin(kind == 2 ? "Container_Graph_Unsigned_Large" : "Container_Graph_Large");
  if (!back) return nullptr;
  auto* c = new CXBCtrlEnvelopeGraph();
  tagXBCtrlEnvelopeGraphParam p = CXBCtrlEnvelopeGraph::sm_mInitParam;
  p.x = mOriginX + x;
  p.y = mOriginY + y;
  p.width = 140;
  p.height = kind == 2 ? 69 : 65;
  p.background = back;
  p.backgroundX = 2;
  p.backgroundY = 2;
  p.count = 6;
  p.pointSize = 11;
  p.pointNames = Skin("PointNameFilterAmpEg");
  p.minimum = 0;
  p.maximum = 198;
  p.lineColor = kBlue;
  p.zoneColor = 0x7E0000FFu;
  p.keptColor1 = kBlue;
  p.keptColor2 = kBlack;
  p.pointFillColor = 0xFF000099u;
  p.pointFrameColor = kBlack;
  p.dragUnit = 1.0f;
  p.dragScale = 10.0f;
  p.keyTimeStepAdjust = 0;
  p.baseline = kind == 2 ? 0 : 1;
  p.enabledPoints = kEnvelopePoints;
  c->Create(&p, id, 0);
  c->SetDisabledAlpha(kFactoryDisabledAlpha);
  if (c->IsCreated()) {
    const int level = kind == 2 ? 0 : 99;
    for (int i = 0; i < 6; ++i) {
      tagEnvelopeValue v{i, level, kind == 0 && i == 5 ? 0 : 198};
      c->SetEnvelopeValue(&v, true);
    }
  }
  return c;
}

CXBCtrlEnvelopeGraph* XEControlCreater::CreateMiniEnvelopeGraph(int x, int y, int kind, int id) {
  auto* c = new CXBCtrlEnvelopeGraph();
  tagXBCtrlEnvelopeGraphParam p = CXBCtrlEnvelopeGraph::sm_mInitParam;
  p.x = mOriginX + x;
  p.y = mOriginY + y;
  p.width = 64;
  p.height = kind == 0 ? 38 : kind == 1 ? 37 : 40;
  p.background = mBackground;
  p.backgroundX = x;
  p.backgroundY = y;
  p.count = 6;
  p.pointSize = 11;
  p.pointNames = nullptr;
  p.minimum = 0;
  p.maximum = 198;
  p.lineColor = kBlue;
  p.zoneColor = 0;
  p.keptColor1 = 0;
  p.keptColor2 = 0;
  p.pointFillColor = 0;
  p.pointFrameColor = 0;
  p.dragUnit = 1.0f;
  p.dragScale = 10.0f;
  p.baseline = kind == 2 ? 0 : 1;
  p.enabledPoints = kind == 0 ? kMiniPitchPoints : kEnvelopePoints;
  c->Create(&p, id, 0);
  c->SetDisabledAlpha(kFactoryDisabledAlpha);
  c->SetReadOnly(true);
  if (c->IsCreated()) {
    for (int i = 0; i < 6; ++i) {
      tagEnvelopeValue v{i, 99, kind == 0 && i == 4 ? 0 : 198};
      c->SetEnvelopeValue(&v, true);
    }
  }
  return c;
}

CXBCtrlTG01FilterGraph* XEControlCreater::CreateTG01FilterGraph(int x, int y, int colour, int id) {
  const uint32_t line = static_cast<uint32_t>(colour);
  auto* c = new CXBCtrlTG01FilterGraph();
  tagXBCtrlFilterGraphParam p = CXBCtrlFilterGraph::sm_mInitParam;
  p.x = mOriginX + x;
  p.y = mOriginY + y;
  p.width = 62;
  p.height = 39;
  p.backdrop = mBackground;
  p.frame = Skin("Container_Graph_Small");
  p.pictureX = 2;
  p.pictureY = 2;
  p.filterType = 0;
  p.pointSize = 9;
  p.label = Skin("PointNameFilter");
  p.minimum = 0;
  p.maximum = 198;
  p.curveLineColor = line;
  p.curveFillColor = (line & 0x00FFFFFFu) | 0x10000000u;
  p.keptColor1 = line;
  p.keptColor2 = line;
  p.pointFillColor = line & 0xFF999999u;
  p.pointFrameColor = kBlack;
  p.dragUnit = 1.0f;
  p.dragScale = 10.0f;
  p.keyTimeStepAdjust = 0;
  StartFilterGraph(c, &p, id, false);
  return c;
}

CXBCtrlTG01FilterGraph* XEControlCreater::CreateMiniTG01FilterGraph(int x, int y, int id) {
  auto* c = new CXBCtrlTG01FilterGraph();
  tagXBCtrlFilterGraphParam p = CXBCtrlFilterGraph::sm_mInitParam;
  p.x = mOriginX + x;
  p.y = mOriginY + y;
  p.width = 40;
  p.height = 25;
  p.backdrop = mBackground;
  p.frame = nullptr;
  p.pictureX = x;
  p.pictureY = y;
  p.filterType = 0;
  p.pointSize = 9;
  p.label = nullptr;
  p.minimum = 0;
  p.maximum = 198;
  p.curveLineColor = kBlue;
  p.curveFillColor = 0;
  p.keptColor1 = 0;
  p.keptColor2 = 0;
  p.pointFillColor = 0;
  p.pointFrameColor = 0;
  p.dragUnit = 1.0f;
  p.dragScale = 10.0f;
  StartFilterGraph(c, &p, id, true);
  return c;
}

CXBCtrlFilterGraph* XEControlCreater::CreateMiniFilterGraph(int x, int y, int id) {
  auto* c = new CXBCtrlFilterGraph();
  tagXBCtrlFilterGraphParam p = CXBCtrlFilterGraph::sm_mInitParam;
  p.x = mOriginX + x;
  p.y = mOriginY + y;
  p.width = 40;
  p.height = 25;
  p.backdrop = mBackground;
  p.pictureX = 2;
  p.pictureY = 2;
  p.filterType = 0;
  p.pointSize = 11;
  p.minimum = 0;
  p.maximum = 198;
  p.curveLineColor = kWhite;
  p.curveFillColor = 0;
  p.keptColor1 = 0;
  p.keptColor2 = 0;
  p.pointFillColor = 0;
  p.pointFrameColor = 0;
  p.dragUnit = 1.0f;
  p.dragScale = 10.0f;
  StartFilterGraph(c, &p, id, true);
  return c;
}

Oskend::XESplitKeyBar* XEControlCreater::CreateSplitKeyBar(int x, int y, int id, int kind) {
  auto* c = new Oskend::XESplitKeyBar();
  const uint32_t colour = kind == 0 ? 0xFF990000u : kBlue;
  c->Create(x, y, mBackground, x, y, id, kind, static_cast<int>(colour));
  return c;
}

// ---- Lists, scroll bars, indicators, pictures ----

XEStaticBmp* XEControlCreater::CreateStaticBmp(int x, int y, int w, int h,
                                               const std::string& skinName, int id) {
  CHfcBmp* bmp = Skin(skinName);
  if (!bmp) return nullptr;
  auto* c = new XEStaticBmp();
  SXEStaticBmp p{};
  p.x = mOriginX + x;
  p.y = mOriginY + y;
  p.width = w != 0 ? w : bmp->GetWidth();
  p.height = h != 0 ? h : bmp->GetHeight();
  p.bmp = bmp;
  c->Create(&p, id, 0);
  c->SetDisabledAlpha(kFactoryDisabledAlpha);
  return c;
}

CMMPCtrlScrollBar* XEControlCreater::CreateScrollBar(int x, int y, int length, int orientation,
                                                     int style, int id) {
  const char* name = nullptr;
  uint32_t thumb = 0;
  uint32_t track = 0;
  switch (style) {
    case 0:
      name = orientation == 0 ? "Scrollbar_Blue_Horizontal_IncDec" : "Scrollbar_Blue_Vertical_IncDec";
      thumb = 0xFF6178C2u;
      track = 0xFF07080Fu;
      break;
    case 1:
      name = "Scrollbar_Red_Vertical_IncDec";
      thumb = 0xFFC0543Eu;
      track = 0xFF190B08u;
      break;
    case 2:
      name = "Scrollbar_Param_Vertical_IncDec";
      thumb = 0xFF89AD51u;
      track = 0xFF13170Bu;
      break;
    default:
      return nullptr;
  }
  CHfcBmp* switches = Skin(name);
  if (!switches) return nullptr;
  auto* c = new CMMPCtrlScrollBar();
  tagMMPCtrlScrollBarParam p{};
  p.x = x;
  p.y = y;
  p.backX = x;
  p.backY = y;
  p.back = mBackground;
  p.switches = switches;
  if (orientation == 0) {
    p.width = length;
    p.height = switches->GetHeight() / 4;
    p.marginTop = 2;
    p.marginBottom = 2;
  } else {
    p.width = switches->GetWidth();
    p.height = length;
    p.marginLeft = 2;
    p.marginRight = 2;
  }
  p.vertical = orientation == 0 ? 0 : 1;
  p.thumbColor = thumb;
  p.trackColor = track;
  p.min = 0;
  p.max = 1;
  p.pageSize = 1;
  c->Create(&p, id, 0);
  c->SetDisabledAlpha(kFactoryDisabledAlpha);
  return c;
}

CMMPCtrlList* XEControlCreater::CreateListControl(int x, int y, int w, int h, int style,
                                                  int columns, int rows, bool horizontal, int id) {
  static const uint32_t kSelected[3] = {0xFF6178C2u, 0xFFC0543Eu, 0xFF89AD51u};
  tagHfcBmpFontInfo* font = Font(FontManager::FontName_Geneva9_for_Controls);
  if (!font || style < 0 || style > 2) return nullptr;
  auto* c = new CMMPCtrlList();
  tagMMPCtrlListParamEx p{};
  static_cast<tagHfcCtrlListParam&>(p) = CHfcCtrlList::sm_mInitParam;
  p.x = x;
  p.y = y;
  p.width = w;
  p.height = h;
  p.bgX = x;
  p.bgY = y;
  p.bgBmp = mBackground;
  p.font = font->bmp;
  p.columns = columns;
  p.rows = rows;
  p.textX = 1;
  p.textY = 0;
  p.verticalOrder = horizontal;
  p.selectedColor = kSelected[style];
  p.holdColor = kWhite;
  p.dropTargetColor = kWhite;
  p.proportional = 1;
  p.fontInfo = font;
  p.textColor = kWhite;
  c->CreateEx(&p, id, 0);
  c->SetFocusColor(0);
  c->SetDisabledAlpha(kFactoryDisabledAlpha);
  return c;
}

std::string XEControlCreater::MIDIIndicatorSkin(int n) {
  // Six pictures, numbered from 01; a negative n counts down from the last.
  const int number = ((n % 6) + 6) % 6 + 1;
  char name[40];
  std::snprintf(name, sizeof name, "MidiIndicatorNum%02dSw_p", number);
  return name;
}

CMMPCtrlFlash* XEControlCreater::CreateMIDIIndicator(int x, int y, int n, int id, bool) {
  CHfcBmp* frames = Skin(MIDIIndicatorSkin(n));
  if (!frames) return nullptr;
  auto* c = new CMMPCtrlFlash();
  tagMMPCtrlFlashParam p{};
  p.x = mOriginX + x;
  p.y = mOriginY + y;
  p.width = frames->GetWidth();
  p.height = frames->GetHeight() / 3;
  p.frames = frames;
  p.backX = x;
  p.backY = y;
  p.back = mBackground;
  p.frameCount = 3;
  p.secondCount = 3;
  p.timePerFrame = 50;
  p.values = kIndicatorFrames;
  c->Create(&p, id, 0);
  return c;
}
