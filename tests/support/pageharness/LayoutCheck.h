#pragma once
// The layout check over what a window shows: every visible layer inside the
// window and inside the page it lies on, every visible control inside its
// layer, clear of the other controls and of the pages laid over it (a
// control that holds another, such as a strip and its tab, may), its focus
// margin, which it repaints with itself, clear of their ink, and inside
// every panel it reaches into; the pictures a page draws itself are held to
// the same rules. What each control draws is looked at too: every text
// inside its box (value texts at the widest value of their parameter,
// drop-down lists at their widest item) and no two items of one list or
// values of one parameter shown alike once fitted, no list item shown cut
// with dots; legible against what
// lies under it, with two clear columns between a label's text and what
// stands beside it; no picture cut by a control narrower than it; no backdrop
// copied behind a control that differs from what lies there (a tile); the
// text of a knob clear of its ring, and of a list's arrow; a list's
// selected row legible on the selection; no two switches drawn alike from
// different pictures; value bars of one column, and a text entry and the
// lists stacked with it, ending at one x; and every tab strip's names in
// one size, clear of the tab edges.
//
//   LayoutCheck check;
//   check.Check(h.window(), "program/Pitch/OSC2 MS");   // as it stands
//   EXPECT_THAT(check.Faults(), IsEmpty());
//
// Each fault names the page, the control (its id, class and parameter) and
// the text, picture or rectangles at fault.
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "platform/HfcTypes.h"

class CHfcControl;
class CHfcWindow;
class CHfcWindowLayer;
class CTabControl;

#include "tests/support/pageharness/LayoutScene.h"

namespace vesk::test {

class LayoutCheck {
 public:
  // A fault whose text holds `match` is one the layout accepts, for the
  // reason given; it is not reported. Each allowance must meet its fault
  // (UnusedAllowances), so none outlives the fault it was made for.
  void Allow(const std::string& match, const std::string& reason);
  std::vector<std::string> UnusedAllowances() const;

  // Checks the visible layers of the window; faults already reported for
  // the same control are not repeated (a page seen under several tabs).
  void Check(CHfcWindow& window, const std::string& page);
  const std::vector<std::string>& Faults() const { return faults_; }
  // Controls and texts measured so far, to show that the check saw them.
  int ControlsChecked() const { return controls_; }
  int TextsChecked() const { return texts_; }
  int PanelsChecked() const { return panels_; }
  int PicturesChecked() const { return pictures_; }

 private:
  // What paints on a layer: a control, or a picture the page draws itself.
  struct Item {
    std::string name;
    LayoutScene::Ink ink;
    CHfcControl* control;
  };

  void CheckLayer(CHfcWindowLayer& layer, const std::string& page);
  void CheckOverlaps(const std::vector<Item>& items, CHfcWindowLayer& layer, const std::string& page);
  void CheckClearance(const std::vector<Item>& items, CHfcWindowLayer& layer, const std::string& page);
  void CheckPanels(const std::vector<Item>& items, LayoutScene& scene, CHfcWindowLayer& layer,
                   const std::string& page);
  void CheckStrip(CTabControl& strip, const std::vector<CHfcControl*>& controls, CHfcWindowLayer& layer,
                  const std::string& page);
  void CheckStripNames(CTabControl& strip, CHfcWindowLayer& layer, const std::string& page);
  void CheckDrawn(CHfcControl& control, LayoutScene& scene, CHfcWindowLayer& layer, const std::string& page);
  void CheckAlike(const std::vector<CHfcControl*>& controls, LayoutScene& scene, CHfcWindowLayer& layer,
                  const std::string& page);
  void CheckColumns(const std::vector<CHfcControl*>& controls, CHfcWindowLayer& layer, const std::string& page);
  void CheckEntryColumns(const std::vector<CHfcControl*>& controls, LayoutScene& scene, CHfcWindowLayer& layer,
                         const std::string& page);
  void CheckTexts(CHfcControl& control, LayoutScene& scene, CHfcWindowLayer& layer, const std::string& page);
  void CheckListFaces(CHfcControl& control, CHfcWindowLayer& layer, const std::string& page);
  void CheckKnobText(CHfcControl& control, LayoutScene& scene, CHfcWindowLayer& layer, const std::string& page);
  void CheckArrow(CHfcControl& control, LayoutScene& scene, CHfcWindowLayer& layer, const std::string& page);
  void CheckSelectedRow(CHfcControl& control, LayoutScene& scene, CHfcWindowLayer& layer, const std::string& page);
  void Fault(const std::string& page, const std::string& what);

  struct Allowance {
    std::string match;
    std::string reason;
    bool used = false;
  };
  std::vector<Allowance> allowed_;
  std::vector<std::string> faults_;
  std::set<std::string> seen_;
  std::set<std::string> measured_;
  std::set<std::string> fitted_;
  int controls_ = 0;
  int texts_ = 0;
  int panels_ = 0;
  int pictures_ = 0;
};

// "id 0x1391E XEKnob (12, 40 36x36) 'Cutoff'": how faults name a control.
std::string DescribeControl(CHfcWindowLayer& layer, CHfcControl& control);

// The contrast ratio of two colours (1 to 21), from their relative
// luminance; alpha is not looked at.
double ContrastRatio(uint32_t a, uint32_t b);

}  // namespace vesk::test
