// Where the rules report an internal fault before the program ends. Such a fault is never a
// position: a fixed table of the move generator would overflow. The controller's report tells
// the user; a game without one reports on stderr.
#pragma once

#include <string>

namespace zelkor {

class FaultReport {
  public:
    virtual ~FaultReport() = default;
    // Tells the fault and ends the process.
    [[noreturn]] virtual void Fatal(const std::string& text) = 0;
};

}  // namespace zelkor
