#pragma once
// Who turns the edit strips to a page: the root layer. Pages that jump to
// another page (the program play overview) hold one.
class IEditTabSelector {
 public:
  virtual ~IEditTabSelector() = default;
  virtual void SelectEditTabPage(int mode, int tab, int subTab) = 0;
};
