#pragma once

#include "link/CursorControl.h"

namespace vrx {

// The screen cursor of the window: the wait cursor is the application's override cursor, so it
// shows over every window of the tool.
class WidgetCursor : public CursorControl {
 public:
  ~WidgetCursor() override;
  CursorShape Current() const override { return shape_; }
  void Set(CursorShape shape) override;

 private:
  CursorShape shape_ = CursorShape::Normal;
};

}  // namespace vrx
