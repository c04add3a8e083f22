#pragma once
// An envelope drawn as a polyline through a fixed number of points, each a
// level (up) and a time (distance from the previous point), with a square
// handle per point. Dragging a handle reports a new level and time; the
// listener writes them back.
#include <cstdint>
#include <vector>

#include "hfc/CHfcControl.h"

struct tagHfcCtrlEnvelopeGraphParam {
  int x = 0, y = 0;
  int width = 250, height = 100;
  CHfcBmp* background = nullptr;
  int backgroundX = 0, backgroundY = 0;
  int points = 0;      // at least 2
  int handleSize = 5;  // side of the square handle
  int minimum = 0, maximum = 127;  // of levels and times
  uint32_t lineColour = 0xFF000000;
  uint32_t selectedFill = 0xFFFF0000, selectedOutline = 0xFF000000;
  uint32_t otherFill = 0xFF000000, otherOutline = 0xFF000000;
};

class CHfcCtrlEnvelopeGraph : public CHfcControl {
 public:
  struct tagEnvelopeValue {
    int index;
    int level;
    int time;
  };
  static constexpr int kNoPoint = -2;

  CHfcCtrlEnvelopeGraph();
  // False without a record, for fewer than 2 points, or for sizes and a
  // maximum the position arithmetic would divide by zero with: a maximum
  // of 0, a height not above the handle size, a width below the handle
  // size + points - 1.
  bool Create(const tagHfcCtrlEnvelopeGraphParam* param, int id, int flags);
  bool OnHfcMouseLButtonDown(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseLButtonUp(CHfcMouse* m, int x, int y, int mods) override;
  bool OnHfcMouseMove(CHfcMouse* m, int x, int y, int mods) override;
  void OnHfcMouseLostCapture(CHfcMouse* m) override;
  void Destroy() override;
  void Draw(CHfcDrawContext* dc) override;
  void Erase(CHfcDrawContext* dc) override;
  // A tagEnvelopeValue, by its own index.
  void SetPtrValue(void* value, bool redraw) override;

  void SetEnvelopeValue(const tagEnvelopeValue* value, bool redraw);
  void SetEnvelopeValue(int index, const tagEnvelopeValue* value, bool redraw);
  bool GetEnvelopeValue(tagEnvelopeValue* value, int index) const;
  void SetEnvelopeAllValue(const tagEnvelopeValue* values, bool redraw);
  bool GetEnvelopeAllValue(tagEnvelopeValue* values) const;
  // The point whose handle is under a point relative to the creation
  // position, the highest index first; kNoPoint when none.
  int GetPointNumberFromPosition(const tagHfcPoint* point) const;

  int GetPointCount() const { return static_cast<int>(values_.size()); }
  // Handle centre of a point, relative to the creation position.
  tagHfcPoint GetPointPosition(int index) const { return positions_[static_cast<size_t>(index)]; }
  int GetSelectedPoint() const { return selected_; }

 private:
  bool ValidIndex(int i) const { return i >= 0 && i < GetPointCount(); }
  void CalcPoints();
  void Report();

  tagHfcCtrlEnvelopeGraphParam m_param;
  std::vector<tagEnvelopeValue> values_;
  std::vector<tagHfcPoint> positions_;
  int selected_ = kNoPoint;
};
