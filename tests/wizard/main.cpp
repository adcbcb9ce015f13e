#include <QApplication>

#include <gtest/gtest.h>

namespace {
// The offscreen platform cannot fade a window; its complaint about that is noise here.
void quietOpacity(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (!message.contains(QStringLiteral("window opacity"))) {
        qt_message_output(type, context, message);
    }
}
} // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(quietOpacity);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("zuruzod 8e"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
