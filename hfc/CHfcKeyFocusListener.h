#pragma once
// Receiver of a window's keyboard focus. chr is the character code (signed),
// key the framework key code (0 for other keys), mods the modifier flags.
class CHfcKeyFocus;

class CHfcKeyFocusListener {
 public:
  virtual ~CHfcKeyFocusListener() = default;
  virtual void OnHfcKeySetFocus(CHfcKeyFocus*) {}
  virtual void OnHfcKeyLostFocus(CHfcKeyFocus*) {}
  virtual bool OnHfcKeyDown(CHfcKeyFocus*, int chr, int key, int mods) { return false; }
  virtual bool OnHfcKeyRepeat(CHfcKeyFocus* focus, int chr, int key, int mods) {
    return OnHfcKeyDown(focus, chr, key, mods);
  }
  virtual bool OnHfcKeyUp(CHfcKeyFocus*, int chr, int key, int mods) { return false; }
  virtual bool OnHfcKeyChar(CHfcKeyFocus*, int chr) { return false; }
  // (x, y) in screen coordinates.
  virtual bool OnHfcKeyIsPointInside(CHfcKeyFocus*, int x, int y) { return false; }
};
