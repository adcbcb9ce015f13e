#include "environment/RunLog.h"

#include "platform/Clock.h"
#include "platform/UserInterface.h"

namespace environment {

void ZapisLabel(const std::string& str) {
    platform::ui().stepLabel(str);
}

void ZapisMemo30(const std::string& str) {
    platform::ui().runLogLine(str);
}

void ZapisMemo3(const std::string& str) {
    platform::ui().runLogLine(platform::formatTime(platform::now()) + ": " + str);
}

} // namespace environment
