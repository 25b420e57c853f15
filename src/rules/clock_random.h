// The clock and the random numbers, injected into everything that reads the time or
// draws a number, so that tests and tools can replace them.
#pragma once

#include <string>

namespace zelkor {

// Seconds since midnight and the texts of the start-up log line.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual double SecondsSinceMidnight() = 0;
    virtual std::string DateText() = 0;  // the system's short date
    virtual std::string TimeText() = 0;  // the system's short time of day
    // Waits the given time without letting the event loop run.
    virtual void Pause(double seconds) = 0;
};

// Uniform random numbers in [0, 1).
class Random {
  public:
    virtual ~Random() = default;
    virtual double Uniform() = 0;
    virtual void Seed(unsigned long long seed) = 0;
};

}  // namespace zelkor
