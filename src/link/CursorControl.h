#pragma once

namespace vrx {

enum class CursorShape { Normal, Wait };

// The screen cursor as the exchanges see it. The window implements it; the command line and
// most tests use PlainCursor.
class CursorControl {
 public:
  virtual ~CursorControl() = default;
  virtual CursorShape Current() const = 0;
  virtual void Set(CursorShape shape) = 0;
};

// Keeps the shape and shows nothing.
class PlainCursor : public CursorControl {
 public:
  CursorShape Current() const override { return shape_; }
  void Set(CursorShape shape) override { shape_ = shape; }

 private:
  CursorShape shape_ = CursorShape::Normal;
};

// Shows the wait cursor for its lifetime and puts back the cursor it found, however the scope
// is left.
class WaitCursorGuard {
 public:
  explicit WaitCursorGuard(CursorControl& cursor) : cursor_(cursor), saved_(cursor.Current()) {
    cursor_.Set(CursorShape::Wait);
  }
  ~WaitCursorGuard() { cursor_.Set(saved_); }
  WaitCursorGuard(const WaitCursorGuard&) = delete;
  WaitCursorGuard& operator=(const WaitCursorGuard&) = delete;

 private:
  CursorControl& cursor_;
  CursorShape saved_;
};

}  // namespace vrx
