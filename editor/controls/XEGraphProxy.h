#pragma once
// The hidden stand-ins through which a graph manager binds each parameter of
// its graph: a zero-size value bar below the page, linked to the parameter
// like any other control. Its first identifier is the parameter id, its
// second tells the manager which graph field it feeds.
#include <vector>

class CHfcControl;
class IXEGraphPage;

struct XEGraphProxy {
  CHfcControl* control;
  int list;   // which id array of the manager
  int index;  // position in that array
  int paramId;

  // Makes, hides, adds, links and synchronises one proxy; null when the
  // page refused it.
  static CHfcControl* Make(IXEGraphPage* page, int paramId, int minimum, int maximum, int x, int y,
                           int secondId, int mode);
};

// The proxy record of a control, null when the control is none of them.
const XEGraphProxy* XEFindGraphProxy(const std::vector<XEGraphProxy>& proxies,
                                     const CHfcControl* control);
