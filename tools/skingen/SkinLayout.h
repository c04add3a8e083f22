#pragma once
// The sizes of the panel picture and of the page backgrounds. Each page is
// as wide and tall as the widest and tallest control that any of its views
// places on it, plus the margin the panel keeps around its pages; the
// panel, and so the editor window, is as wide as the main pages need.
namespace skin {

// Sub-pages of the program and effect pages ("Background_SubTab_Wide"):
// their four columns end at x 791; the pages keep the room the play page's
// audition column once took (to x 832), which sets the panel's width and so
// the window's (856), where the front panel's controls are laid out.
inline constexpr int kSubPageWideWidth = 836;
// Sub-pages of the performance play page ("Background_SubTab_Large"): its
// effect and split-point panels end at x 800.
inline constexpr int kSubPageLargeWidth = 804;
// Sub-pages of the timbre parameter page ("Background_SubTab_Middle"): the
// twelfth timbre's column ends at x 791.
inline constexpr int kSubPageMiddleWidth = 795;
// Sub-pages stand 7 pixels into their main page; the same margin on the
// right.
inline constexpr int kSubPageInset = 7;
inline constexpr int kMainPageWidth = kSubPageInset + kSubPageWideWidth + kSubPageInset;
inline constexpr int kMainPageHeight = 399;
// Main pages stand 3 pixels into the panel (the tab strips' x); the same
// margin on the right.
inline constexpr int kPanelInset = 3;
inline constexpr int kPanelWidth = kPanelInset + kMainPageWidth + kPanelInset;
inline constexpr int kPanelHeight = 600;
// The panel picture of the form pages ("Container_SubTab_Base") is cut to
// each panel's size and lies, as their backdrop, under every control that
// follows it on a page: as large as the largest sub-page (the performance
// play pages are 356 high).
inline constexpr int kSubPagePanelWidth = kSubPageWideWidth;
inline constexpr int kSubPagePanelHeight = 356;

}  // namespace skin
