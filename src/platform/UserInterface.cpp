#include "platform/UserInterface.h"

#include "platform/ConsoleUserInterface.h"

namespace platform {
namespace {
UserInterface* current = nullptr;
} // namespace

UserInterface& ui() {
    static ConsoleUserInterface console;
    return current ? *current : console;
}

void setUserInterface(UserInterface* userInterface) {
    current = userInterface;
}

} // namespace platform
