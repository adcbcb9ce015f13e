#include "engine/FailureRecord.h"

namespace engine {
namespace {

std::string& first() {
    static std::string failure;
    return failure;
}

} // namespace

void resetFirstFailure() {
    first().clear();
}

void recordFailure(const std::string& detail) {
    if (first().empty()) {
        first() = detail;
    }
}

const std::string& firstFailure() {
    return first();
}

} // namespace engine
