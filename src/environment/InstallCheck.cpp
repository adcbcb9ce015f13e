#include "environment/InstallCheck.h"

#include "environment/KvSetting.h"
#include "environment/RegistryInstall.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/UserInterface.h"

#include <clocale>

namespace environment {
namespace {

constexpr int kMinWidth = 1280;
constexpr int kMinHeight = 900;

// The program formats every number, date and time itself with "." and
// "dd.MM.yyyy" / "HH:mm:ss"; here the separator in force before is kept.
void setProgramFormats() {
    const std::lconv* conventions = std::localeconv();
    kvSetting.DecimalSeparator_0 =
        conventions && conventions->decimal_point && *conventions->decimal_point ? *conventions->decimal_point : '.';
}

void setDateStart() {
    const auto today = platform::now();
    auto& start = kvSetting.DateStart;
    start.Year = today.year;
    start.Month = today.month;
    start.Day = today.day;
    start.cDateBegin = platform::formatDate({today.year, 1, 1, 0, 0, 0});
    start.cDateEnd = platform::formatDate({today.year, 12, 31, 0, 0, 0});
}

} // namespace

bool control_Screen() {
    const auto size = platform::ui().screenSize();
    return size.width >= kMinWidth && size.height >= kMinHeight;
}

bool control_Install(const std::string& typeInstall) {
    if (!control_Screen()) {
        const auto size = platform::ui().screenSize();
        platform::ui().showMessage("Параметры экрана должны быть не менее " + std::to_string(kMinWidth) + " * " +
                                   std::to_string(kMinHeight) + "\r\r" + "У вас: " + std::to_string(size.width) +
                                   " * " + std::to_string(size.height));
        if (!platform::ui().askYesNo("Продолжить?")) {
            return false;
        }
    }
    setProgramFormats();
    setDateStart();
    if (!control_NumberFirm()) {
        return false;
    }
    if (!read_RegistryInstall(typeInstall)) {
        platform::ui().showMessage("Не установлена программа Setup_0");
        return false;
    }
    if (!platform::directoryExists(kvSetting.KVDir.Vesk) || !platform::directoryExists(kvSetting.KVDir.PFVeskKalver8)) {
        platform::ui().showMessage("Нарушена конфигурация. Установите Setup_0");
        return false;
    }
    return true;
}

} // namespace environment
