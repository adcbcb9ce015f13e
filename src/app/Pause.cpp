#include "app/Pause.h"

#include <QEventLoop>
#include <QTimer>

namespace app {

void pauseKeepingWindows(int milliseconds) {
    if (milliseconds <= 0) {
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace app
