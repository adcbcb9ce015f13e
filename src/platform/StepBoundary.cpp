#include "platform/StepBoundary.h"

#include <atomic>
#include <cstdlib>
#include <fstream>
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

const char* boundaryMap() {
    static const char* const file = std::getenv("ZURUZOD_BOUNDARY_MAP");
    return file;
}

std::string g_place = "run";
long g_placeBoundaries = 0;

void addToMap(long boundary) {
    ++g_placeBoundaries;
    std::ofstream map(boundaryMap(), std::ios::app);
    map << boundary << '\t' << g_place << '\t' << g_placeBoundaries << '\n';
}

} // namespace

void boundaryPlace(const std::string& place) {
    g_place = place;
    g_placeBoundaries = 0;
}

void stepBoundary() {
    static long passed = 0;
    ++passed;
    if (boundaryMap() != nullptr) {
        addToMap(passed);
    }
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
