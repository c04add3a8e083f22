#pragma once
// What a control that owns a text engine hears from it. Every notice has an
// empty default, so a control overrides only what it needs.
class CHfcEditTextEngine;

class CHfcEditTextEngineListener {
 public:
  virtual ~CHfcEditTextEngineListener() = default;

  virtual void OnHfcEditTextEngineBufferIsModified(CHfcEditTextEngine*) {}
  virtual void OnHfcEditTextEngineCursorPositionIsChanged(CHfcEditTextEngine*, int position) {}
  // The selection is the half-open range [start, end).
  virtual void OnHfcEditTextEngineSelectionIsChanged(CHfcEditTextEngine*, int start, int end) {}
  virtual void OnHfcEditTextEngineNeedRedrawn(CHfcEditTextEngine*) {}
  virtual void OnHfcEditTextEngineReturn(CHfcEditTextEngine*) {}
  virtual void OnHfcEditTextEngineEsc(CHfcEditTextEngine*) {}
  // Declared for owners that route keys themselves; the engine never calls it.
  virtual void OnHfcEditTextEngineKeyDown(CHfcEditTextEngine*, int key, int modifiers) {}
};
