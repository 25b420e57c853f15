// The clock of games the computer plays without a window (self-play, matches): real time
// for the search's limits, but no waiting between moves.
#pragma once

#include <cmath>
#include <string>

#include "rules/clock_random.h"

namespace zelkor {

// The levels' search counts whole seconds, so a fraction of a second a move is searched on a
// clock that runs `speed` times faster (ten ticks of the faster clock). A day of the faster
// clock wraps as a real day does.
class NoPauseClock : public Clock {
  public:
    // `clock` is the system's; it must outlive this one.
    explicit NoPauseClock(Clock& clock) : clock_(clock) {}
    double speed = 1;
    double SecondsSinceMidnight() override {
        return std::fmod(clock_.SecondsSinceMidnight() * speed, 86400);
    }
    std::string DateText() override { return clock_.DateText(); }
    std::string TimeText() override { return clock_.TimeText(); }
    void Pause(double) override {}

  private:
    Clock& clock_;
};

}  // namespace zelkor
