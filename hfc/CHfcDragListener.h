#pragma once
// Receiver of drag steps. action points at the drag effect the receiver may
// set: 0 none, 1 move, 2 copy, 3 link. Local forms carry the receiver's
// coordinates, global forms screen coordinates.
class CHfcDrag;
class CHfcDragFlavor;

class CHfcDragListener {
 public:
  virtual ~CHfcDragListener() = default;
  virtual bool OnHfcDragTrackingEnterWindow(CHfcDrag*, CHfcDragFlavor*, int x, int y, int mods,
                                            int* action) {
    return false;
  }
  virtual bool OnHfcDragTrackingInWindow(CHfcDrag*, CHfcDragFlavor*, int x, int y, int mods,
                                         int* action) {
    return false;
  }
  virtual bool OnHfcDragTrackingLeaveWindow(CHfcDrag*) { return false; }
  virtual bool OnHfcDragReceive(CHfcDrag*, CHfcDragFlavor*, int x, int y, int mods, int* action) {
    return false;
  }
  virtual bool OnHfcDragTrackingEnterWindowGlobal(CHfcDrag*, CHfcDragFlavor*, int x, int y,
                                                  int mods, int* action) {
    return false;
  }
  virtual bool OnHfcDragTrackingInWindowGlobal(CHfcDrag*, CHfcDragFlavor*, int x, int y, int mods,
                                               int* action) {
    return false;
  }
  virtual bool OnHfcDragTrackingLeaveWindowGlobal(CHfcDrag*) { return false; }
  virtual bool OnHfcDragReceiveGlobal(CHfcDrag*, CHfcDragFlavor*, int x, int y, int mods,
                                      int* action) {
    return false;
  }
};
