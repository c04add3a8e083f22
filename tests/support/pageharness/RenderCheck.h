#pragma once
// What a page drawn through the editor window must show: every visible
// control of the page, and of the sub-page its strip shows, leaves ink in
// its box (a row of the box in more than one colour; a fill, even a shaded
// one, is no ink), so that a blank or half-drawn page, or value boxes
// without their values, are told from a drawn one.
//
//   h.RenderWindow("my_page");
//   EXPECT_THAT(ControlsWithoutInk(h, page), IsEmpty());
#include <string>
#include <vector>

class CHfcWindowLayer;

namespace vesk::test {

class PageHarness;

// The controls (named as the layout check names them) whose box shows one
// colour only in the window's last picture; `checked` counts the boxes
// looked at. Picture controls (flat panels), empty labels and controls
// placed past their layer are not looked at.
std::vector<std::string> ControlsWithoutInk(PageHarness& h, CHfcWindowLayer& page, int* checked = nullptr);

}  // namespace vesk::test
