#pragma once
// Receiver of the process-wide key hub's key calls.
class CHfcKey;

class CHfcKeyListener {
 public:
  virtual ~CHfcKeyListener() = default;
  virtual bool OnHfcKeyDown(CHfcKey*, int, int) { return false; }
  virtual bool OnHfcKeyUp(CHfcKey*, int, int) { return false; }
  virtual bool OnHfcKeyChar(CHfcKey*, int, int) { return false; }
  virtual bool OnHfcKeyGetFocus(CHfcKey*) { return false; }
  virtual bool OnHfcKeyLostFocus(CHfcKey*) { return false; }
};
