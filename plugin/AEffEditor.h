#pragma once
// The editor as the host knows it: the effect it belongs to and the host's
// window while open. The plug-in's real editor overrides the window
// operations. Loop thread: the host's editor calls reach them there (the
// plug-in object hands open, close and the rest to it); getEffect on any
// thread.
#include "plugin/Vst2Abi.h"

class AudioEffect;

class AEffEditor {
 public:
  explicit AEffEditor(AudioEffect* effect = nullptr) : effect_(effect) {}
  virtual ~AEffEditor() = default;

  virtual bool getRect(ERect** rect) {
    if (rect) *rect = nullptr;
    return false;
  }
  virtual bool open(void* window) {
    systemWindow_ = window;
    return false;
  }
  virtual void close() { systemWindow_ = nullptr; }
  virtual bool isOpen() { return systemWindow_ != nullptr; }
  virtual void idle() {}
  virtual void draw(ERect*) {}
  virtual void top() {}
  virtual void sleep() {}
  virtual bool mouse(int, int) { return false; }
  virtual bool key(int) { return false; }
  virtual bool onKeyDown(int, int, float) { return false; }
  virtual bool onKeyUp(int, int, float) { return false; }
  virtual bool onWheel(float) { return false; }
  virtual int setKnobMode(int) { return 0; }

  AudioEffect* getEffect() const { return effect_; }

 protected:
  AudioEffect* effect_;
  void* systemWindow_ = nullptr;
};
