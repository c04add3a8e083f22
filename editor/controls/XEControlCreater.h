#pragma once
// The one place where the editor's skinned controls are built: a page puts
// a factory on its stack with its background picture and an origin, and
// asks for one control at a time by kind. Skins, fonts, colours, sizes and
// tuning come from here; the caller owns, adds, links and synchronises the
// control.
//
// When a skin or font a control cannot do without is missing, and for a
// style, type or box size the tables do not know, the result is null (no
// control); a label of an unknown style is drawn grey in the value font.
#include <cstdint>
#include <string>

class CHfcBmp;
class CHfcControl;
class CHfcCtrlCharEditText;
class CHfcCtrlHorizontalSlideSwitch;
class CHfcCtrlSlideSwitch;
class CHfcCtrlSwitch;
class CHfcCtrlTextSwitch;
class CMMPCtrlFlash;
class CMMPCtrlList;
class CMMPCtrlScrollBar;
class CXBCtrlEnvelopeGraph;
class CXBCtrlFilterGraph;
class CXBCtrlFxRoutingGraph;
class CXBCtrlHorizontalValueBar;
class CXBCtrlKeyTrkGraph;
class CXBCtrlTG01FilterGraph;
class CXBCtrlVeloZoneGraph;
class XEDropdownList;
class XEDropdownListSwitch;
class XEKnob;
class XESoundSelector;
class XEStaticBmp;
class XEStaticText;
class ZubZoneSlopeBar;
struct tagHfcBmpFontInfo;
namespace Oskend {
class XESplitKeyBar;
}

class XEControlCreater {
 public:
  XEControlCreater() = default;
  XEControlCreater(CHfcBmp* background, int originX, int originY)
      : mBackground(background), mOriginX(originX), mOriginY(originY) {}
  virtual ~XEControlCreater() = default;

  // Text.
  XEStaticText* CreateStaticText(int x, int y, int w, int h, const std::string& text,
                                 tagHfcBmpFontInfo* font, unsigned int colour, int hAlign,
                                 int vAlign, int id);
  XEStaticText* CreateStaticText(int x, int y, int w, int h, const std::string& text,
                                 const char* fontName, unsigned int colour, int hAlign, int vAlign,
                                 int id);
  XEStaticText* CreateLabel(int x, int y, const std::string& text, int w, int h, int style,
                            int hAlign, int vAlign, int id);

  // Text edits.
  CHfcCtrlCharEditText* CreateTextEdit(int x, int y, int w, int h, int maxChars, int id,
                                       bool readOnly, int align, int flags);
  CHfcCtrlCharEditText* CreateTextEdit(int x, int y, int w, int h, int id, bool readOnly);

  // Switches.
  CHfcCtrlSwitch* CreateSwitch(int x, int y, const std::string& skin, int nStates, int id,
                               int flags);
  CHfcCtrlSwitch* CreateCheckBox(int x, int y, int id, int flags);
  CHfcCtrlSwitch* CreateSwitch(int x, int y, int id, int flags);
  CHfcCtrlTextSwitch* CreateTextSwitch(int x, int y, const std::string& skin, int nStates,
                                       unsigned int colour, int id, int vMargin);
  CHfcCtrlTextSwitch* CreateTextSwitch(int x, int y, const std::string& skin, int nStates,
                                       const std::string& fontName, unsigned int colour, int id,
                                       int hMargin, int vMargin, int hAlign);
  CHfcCtrlSlideSwitch* CreateSlideSwitch(int x, int y, const std::string& skin, int nStates,
                                         int id);
  CHfcCtrlHorizontalSlideSwitch* CreateHorizontalSlideSwitch(int x, int y, const std::string& skin,
                                                             int nStates, int id);
  XEDropdownListSwitch* CreateDropdownListSwitch(int x, int y, int style, int itemKind, int id);

  // Knob and value bars.
  XEKnob* CreateKnob(int x, int y, int min, int max, int centre, bool reserved, int textLength,
                     int id, bool minMeter);
  CXBCtrlHorizontalValueBar* CreateHorizontalValueBar(int x, int y, int style, int min, int max,
                                                      int origin, int id, bool randomAtMin);
  CXBCtrlHorizontalValueBar* CreateHorizontalValueBar(int x, int y, int min, int max, int origin,
                                                      int id, bool randomAtMin);

  // Lists and selectors.
  XEDropdownList* CreateDropdownList(int x, int y, int type, int id);
  XESoundSelector* CreateSoundSelector(int x, int y, int kind, int widthStyle, int id, int flags);

  // Graphs and bars.
  ZubZoneSlopeBar* CreateZoneSlopeBar(int x, int y, int id, int width);
  CXBCtrlKeyTrkGraph* CreateKeyTrkGraph(int x, int y, int kind, int id);
  CXBCtrlVeloZoneGraph* CreateVeloZoneGraph(int x, int y, int id);
  CXBCtrlFxRoutingGraph* CreateFxRoutingGraph(int x, int y, int width, int kind, int id);
  CXBCtrlEnvelopeGraph* CreateEnvelopeGraph(int x, int y, int kind, int id);
  CXBCtrlEnvelopeGraph* CreateMiniEnvelopeGraph(int x, int y, int kind, int id);
  CXBCtrlTG01FilterGraph* CreateTG01FilterGraph(int x, int y, int colour, int id);
  CXBCtrlTG01FilterGraph* CreateMiniTG01FilterGraph(int x, int y, int id);
  CXBCtrlFilterGraph* CreateMiniFilterGraph(int x, int y, int id);
  Oskend::XESplitKeyBar* CreateSplitKeyBar(int x, int y, int id, int kind);

  // Lists, scroll bars, indicators, pictures.
  XEStaticBmp* CreateStaticBmp(int x, int y, int w, int h, const std::string& skin, int id);
  CMMPCtrlScrollBar* CreateScrollBar(int x, int y, int length, int orientation, int style, int id);
  CMMPCtrlList* CreateListControl(int x, int y, int w, int h, int style, int columns, int rows,
                                  bool horizontal, int id);
  CMMPCtrlFlash* CreateMIDIIndicator(int x, int y, int n, int id, bool reserved);

  // The name of the MIDI indicator picture of number n.
  static std::string MIDIIndicatorSkin(int n);

  // The page's base picture (not owned) and where (0, 0) of the calls lies.
  CHfcBmp* mBackground = nullptr;
  int32_t mOriginX = 0;
  int32_t mOriginY = 0;
};
