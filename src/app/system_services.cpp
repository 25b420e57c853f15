#include "app/system_services.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace zelkor {

namespace {
std::tm LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

std::string Format(const char* format) {
    const std::tm local = LocalNow();
    char text[64];
    const size_t n = std::strftime(text, sizeof text, format, &local);
    return std::string(text, n);
}
}  // namespace

double SystemClock::SecondsSinceMidnight() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t t = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    const double fraction =
        duration_cast<microseconds>(now.time_since_epoch()).count() % 1000000 / 1e6;
    return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + fraction;
}

std::string SystemClock::DateText() {
    return Format("%x");
}
std::string SystemClock::TimeText() {
    return Format("%X");
}

void SystemClock::Pause(double seconds) {
    if (seconds > 0) std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

SystemRandom::SystemRandom() : engine_(std::random_device{}()) {}

double SystemRandom::Uniform() {
    return std::generate_canonical<double, 53>(engine_) * (1.0 - 1e-16);
}

void SystemRandom::Seed(unsigned long long seed) {
    engine_.seed(seed);
}

}  // namespace zelkor
