#pragma once
// The layout check over what a window shows: every visible layer inside the
// window and inside the page it lies on, every visible control inside its
// layer and clear of the other controls and of the pages laid over it
// (a control that holds another, such as a strip and its tab, may), and
// every text a control draws inside its box, value texts at the widest
// value of their parameter and drop-down lists at their widest item.
//
//   LayoutCheck check;
//   check.Check(h.window(), "program/Pitch/OSC2 MS");   // as it stands
//   EXPECT_THAT(check.Faults(), IsEmpty());
//
// Each fault names the page, the control (its id, class and parameter) and
// the text or the rectangles at fault.
#include <set>
#include <string>
#include <vector>

class CHfcControl;
class CHfcWindow;
class CHfcWindowLayer;

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

 private:
  void CheckLayer(CHfcWindow& window, CHfcWindowLayer& layer, const std::string& page);
  void CheckTexts(CHfcWindowLayer& layer, CHfcControl& control, const std::string& page);
  void Fault(const std::string& page, const std::string& what);

  struct Allowance {
    std::string match;
    std::string reason;
    bool used = false;
  };
  std::vector<Allowance> allowed_;
  std::vector<std::string> faults_;
  std::set<std::string> seen_;
  int controls_ = 0;
  int texts_ = 0;
};

// "id 0x1391E XEKnob (12, 40 36x36) 'Cutoff'": how faults name a control.
std::string DescribeControl(CHfcWindowLayer& layer, CHfcControl& control);

}  // namespace vesk::test
