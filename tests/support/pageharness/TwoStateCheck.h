#pragma once
// Each two-state picture of the editor against the parameter it shows, as
// a user meets it: the parameter set by a load (its section read anew) and
// by a click on the control, in both of its values.
//
// - A switch (a check box, an on/off button) shows two pictures, and its
//   lit one, the one that stands out more from its ground, for the higher
//   value ("On").
// - A slide switch lights one of its positions for each value, and that
//   position is where a click keeps the value; a click on the other
//   position sets the other value and moves the light there.
//
//   TwoStateCheck check(h);
//   check.Check("program tab 1 sub-tab 0");   // the window as it stands
//   EXPECT_THAT(check.Faults(), IsEmpty());
//
// Each value is set and read back through the model; every parameter is
// restored afterwards. Controls are found on the window's visible layers;
// each is checked once, however many views show it.
#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

class CHfcControl;
class XESynthLayer;

namespace Oskend {
class ISection;
}

namespace vesk::test {

class PageHarness;

class TwoStateCheck {
 public:
  explicit TwoStateCheck(PageHarness& h) : h_(h) {}

  // A picture a page sets from a parameter itself, without a link (the
  // play overview's oscillator mode): checked as a switch, without a click.
  void Follows(int controlId, int pid);

  void Check(const std::string& view);
  const std::vector<std::string>& Faults() const { return faults_; }
  int SwitchesChecked() const { return switches_; }
  int SlidesChecked() const { return slides_; }

 private:
  struct Subject;
  void CheckSwitch(Subject& s, const std::string& view);
  void CheckSlide(Subject& s, const std::string& view);
  // Sets the value as a load does, and lets the page follow.
  void Load(Subject& s, int value);
  // The control's pixels as the window shows them now.
  std::vector<uint32_t> Shown(const Subject& s);
  // A click through the window, and the page's answer; false (a fault)
  // when the page is gone from the window after it.
  bool ClickAt(const Subject& s, int x, int y, const std::string& view);
  void Fault(const std::string& view, const Subject& s, const std::string& what);

  PageHarness& h_;
  std::vector<std::pair<int, int>> followed_;
  std::set<const CHfcControl*> seen_;
  std::vector<std::string> faults_;
  int switches_ = 0;
  int slides_ = 0;
};

}  // namespace vesk::test
