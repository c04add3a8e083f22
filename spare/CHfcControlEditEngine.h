#pragma once
// Records where, when and from which value a mouse edit of a control
// began, for a listener.

class CHfcControlEditEngineListener {
 public:
  virtual ~CHfcControlEditEngineListener() = default;
};

class CHfcControlEditEngine {
 public:
  explicit CHfcControlEditEngine(CHfcControlEditEngineListener* listener);
  virtual ~CHfcControlEditEngine() = default;

  // Records only once End has armed the engine; the third argument is not
  // used.
  void Begin(int x, int y, int, int value);
  void Move(int, int, int) {}
  void End() { m_bIdle = false; }

  int GetStartX() const { return m_iStartX; }
  int GetStartY() const { return m_iStartY; }
  unsigned GetStartTime() const { return m_uStartTime; }
  int GetStartValue() const { return m_iStartValue; }
  float GetStartFloatValue() const { return m_fStartValue; }

 private:
  CHfcControlEditEngineListener* m_pListener;
  int m_iStartX = 0, m_iStartY = 0;
  unsigned m_uStartTime = 0;
  int m_iStartValue = 0;
  float m_fStartValue = 0.0f;
  bool m_bIdle = true;
};
