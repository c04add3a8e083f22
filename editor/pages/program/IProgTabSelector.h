#pragma once
// What a program page needs of the root layer to jump elsewhere: select an
// edit tab and sub-tab of a mode's tab strip. The root layer implements it
// and hands itself to the pages that jump (the play overview).
class IProgTabSelector {
 public:
  virtual ~IProgTabSelector() = default;
  virtual void SelectEditTabPage(int mode, int tab, int subTab) = 0;
};
