#include "platform/WriteFault.h"

#include <atomic>
#include <cstdlib>

namespace platform {
namespace {

long fromEnvironment() {
    const char* text = std::getenv("ZURUZOD_FAIL_WRITE");
    return text == nullptr ? 0L : std::strtol(text, nullptr, 10);
}

std::atomic<long> g_failAt{fromEnvironment()};
std::atomic<long> g_executed{0};

} // namespace

void failWriteAt(long n) {
    g_executed.store(0);
    g_failAt.store(n);
}

bool writeFaultDue() {
    const long at = g_failAt.load();
    return at > 0 && ++g_executed == at;
}

} // namespace platform
