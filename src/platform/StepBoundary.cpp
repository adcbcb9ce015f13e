#include "platform/StepBoundary.h"

#include <atomic>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace platform {
namespace {

std::atomic<bool> g_stop{false};

long stopAt() {
    static const long at = [] {
        const char* text = std::getenv("ZURUZOD_STOP_AT");
        return text == nullptr ? 0L : std::strtol(text, nullptr, 10);
    }();
    return at;
}

} // namespace

void stepBoundary() {
    static long passed = 0;
    ++passed;
    if (passed == stopAt()) {
        ::_exit(kStoppedAtStepExit);
    }
    if (g_stop.load()) {
        throw RunStopped();
    }
}

void requestStop() noexcept {
    g_stop.store(true);
}

bool stopRequested() noexcept {
    return g_stop.load();
}

} // namespace platform
