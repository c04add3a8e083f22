#pragma once
// The owner of a control (a page): it hears everything the user does to the
// control. A control never changes its own value because of the user; it
// reports the wanted value here and the owner sets it back.
class CHfcControl;
class CHfcDragFlavor;

class CHfcControlListener {
 public:
  virtual ~CHfcControlListener() = default;

  virtual void OnHfcCtrlFloatValueChanged(CHfcControl*, float) {}
  virtual void OnHfcCtrlIntValueChanged(CHfcControl*, int) {}
  virtual void OnHfcCtrlPtrValueChanged(CHfcControl*, void*) {}
  // Write the default and answer true, or refuse with false.
  virtual bool OnHfcCtrlDefaultFloatValueRequired(CHfcControl*, float*) { return false; }
  virtual bool OnHfcCtrlDefaultIntValueRequired(CHfcControl*, int*) { return false; }
  virtual bool OnHfcCtrlDefaultPtrValueRequired(CHfcControl*, void*) { return false; }
  virtual void OnHfcCtrlBeginEdit(CHfcControl*) {}
  virtual void OnHfcCtrlEndEdit(CHfcControl*) {}

  // Offered before the control acts; true consumes the event.
  virtual bool OnHfcCtrlMouseLButtonDown(CHfcControl*, int x, int y, int mods) { return false; }
  virtual bool OnHfcCtrlMouseLButtonDoubleClick(CHfcControl*, int x, int y, int mods) { return false; }
  virtual bool OnHfcCtrlMouseLButtonUp(CHfcControl*, int x, int y, int mods) { return false; }
  virtual bool OnHfcCtrlMouseLButtonLongDown(CHfcControl*, int x, int y, int mods) { return false; }
  virtual bool OnHfcCtrlMouseMButtonDown(CHfcControl*, int x, int y, int mods) { return false; }
  virtual bool OnHfcCtrlMouseMButtonDoubleClick(CHfcControl*, int x, int y, int mods) { return false; }
  virtual bool OnHfcCtrlMouseMButtonUp(CHfcControl*, int x, int y, int mods) { return false; }
  virtual bool OnHfcCtrlMouseMButtonLongDown(CHfcControl*, int x, int y, int mods) { return false; }
  virtual bool OnHfcCtrlMouseRButtonDown(CHfcControl*, int x, int y, int mods) { return false; }
  virtual bool OnHfcCtrlMouseRButtonDoubleClick(CHfcControl*, int x, int y, int mods) { return false; }
  virtual bool OnHfcCtrlMouseRButtonUp(CHfcControl*, int x, int y, int mods) { return false; }
  virtual bool OnHfcCtrlMouseRButtonLongDown(CHfcControl*, int x, int y, int mods) { return false; }
  virtual bool OnHfcCtrlMouseMove(CHfcControl*, int x, int y, int mods) { return false; }
  virtual void OnHfcCtrlMouseLostCapture(CHfcControl*) {}
  virtual bool OnHfcCtrlMouseWheelMoved(CHfcControl*, int x, int y, int axis, int delta, int mods) {
    return false;
  }

  virtual bool OnHfcCtrlDragTrackingEnterControl(CHfcControl*, CHfcDragFlavor*, int x, int y,
                                                 int mods, int* action) {
    return false;
  }
  virtual bool OnHfcCtrlDragTrackingInControl(CHfcControl*, CHfcDragFlavor*, int x, int y,
                                              int mods, int* action) {
    return false;
  }
  virtual bool OnHfcCtrlDragReceive(CHfcControl*, CHfcDragFlavor*, int x, int y, int mods,
                                    int* action) {
    return false;
  }
  virtual void OnHfcCtrlDragTrackingLeaveControl(CHfcControl*) {}

  virtual bool OnHfcCtrlKeyGetFocus(CHfcControl*) { return false; }
  virtual void OnHfcCtrlKeySetFocus(CHfcControl*) {}
  virtual void OnHfcCtrlKeyLostFocus(CHfcControl*) {}
  virtual bool OnHfcCtrlKeyDown(CHfcControl*, int chr, int key, int mods) { return false; }
  virtual bool OnHfcCtrlKeyRepeat(CHfcControl*, int chr, int key, int mods) { return false; }
  virtual bool OnHfcCtrlKeyUp(CHfcControl*, int chr, int key, int mods) { return false; }
  virtual bool OnHfcCtrlKeyChar(CHfcControl*, int chr) { return false; }

  virtual bool OnHfcCtrlEvent(CHfcControl*, int event, int param, void* data) { return false; }
};
