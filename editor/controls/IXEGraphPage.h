#pragma once
// What a graph manager needs of the page that owns its graph: the page's
// base picture for the proxies it makes, the page's section family, and the
// page's binding of controls to parameters. The tab pages of the editor
// shell, which builds on the controls, implement it.
class CHfcBmp;
class CHfcControl;

class IXEGraphPage {
 public:
  virtual ~IXEGraphPage() = default;
  virtual CHfcBmp* GetGraphPageBaseBmp() = 0;
  virtual int GetTargetMode() const = 0;
  // Adds the control to the page, which then owns it.
  virtual bool AddControl(CHfcControl* control, bool redraw) = 0;
  virtual void LinkControlWithParam(CHfcControl* control, int mode, int paramId) = 0;
  // Gives the control its parameter's range and value.
  virtual void SynchronizeControlWithParam(CHfcControl* control, bool force) = 0;
  virtual void PutParamValue(int mode, int paramId, int value) const = 0;
};
