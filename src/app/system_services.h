// The real clock and random generator the executables inject (tests inject their own).
#pragma once

#include <random>

#include "rules/clock_random.h"

namespace zelkor {

class SystemClock : public Clock {
  public:
    double SecondsSinceMidnight() override;
    std::string DateText() override;
    std::string TimeText() override;
    void Pause(double seconds) override;
};

class SystemRandom : public Random {
  public:
    SystemRandom();
    double Uniform() override;
    void Seed(unsigned long long seed) override;

  private:
    std::mt19937_64 engine_;
};

}  // namespace zelkor
