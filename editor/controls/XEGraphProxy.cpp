#include "editor/controls/XEGraphProxy.h"

#include "editor/controls/CXBCtrlHorizontalValueBar.h"
#include "editor/controls/IXEGraphPage.h"
#include "editor/controls/XEControlCreater.h"

CHfcControl* XEGraphProxy::Make(IXEGraphPage* page, int paramId, int minimum, int maximum, int x,
                                int y, int secondId, int mode) {
  if (!page) return nullptr;
  XEControlCreater factory(page->GetGraphPageBaseBmp(), 0, 0);
  CXBCtrlHorizontalValueBar* bar =
      factory.CreateHorizontalValueBar(0, 0, minimum, maximum, 0, paramId, false);
  // Without its skins the bar is still a good stand-in: it only holds a value.
  if (!bar) bar = new CXBCtrlHorizontalValueBar();
  CHfcControl* proxy = bar;
  proxy->Create(x, y, 0, 0, paramId);
  proxy->SetMinIntValue(minimum, false);
  proxy->SetMaxIntValue(maximum, false);
  proxy->SetGroupId(secondId);
  proxy->Enable(false);
  proxy->Hide(true);
  if (!page->AddControl(proxy, false)) {
    proxy->Destroy();
    delete proxy;
    return nullptr;
  }
  page->LinkControlWithParam(proxy, mode, paramId);
  page->SynchronizeControlWithParam(proxy, true);
  return proxy;
}

const XEGraphProxy* XEFindGraphProxy(const std::vector<XEGraphProxy>& proxies,
                                     const CHfcControl* control) {
  for (const XEGraphProxy& p : proxies)
    if (p.control == control) return &p;
  return nullptr;
}
