// The source of the current local date and time. The system clock answers in production; tests
// and the command line's --now set a fixed one, so that every rule that compares with "now"
// (the century of a ЗУЛ-38 date, the read-out time, the years of log stamps) can be tested.
#pragma once

#include "core/date_time.h"

namespace tavrix {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalDateTime Now() const = 0;
};

class SystemClock final : public Clock {
 public:
  LocalDateTime Now() const override;
};

class FixedClock final : public Clock {
 public:
  explicit FixedClock(LocalDateTime now) : now_(now) {}
  LocalDateTime Now() const override { return now_; }
  void Set(LocalDateTime now) { now_ = now; }

 private:
  LocalDateTime now_;
};

}  // namespace tavrix
