#include "app/Zastavka.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>

#include <gtest/gtest.h>

namespace {

TEST(SplashTest, FormIsASmallFramelessWindowOnTop) {
    app::TFormZastavka8 splash;
    splash.ensurePolished();
    EXPECT_EQ(splash.size(), QSize(384, 133));
    EXPECT_TRUE(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(splash.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(splash.font().family(), "Times New Roman");
    EXPECT_EQ(splash.font().pixelSize(), 16);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((splash.frameGeometry().center() - area.center()).manhattanLength(), 2);
}

TEST(SplashTest, FormStartsWithTheSystemCheckAndAnEmptyGauge) {
    app::TFormZastavka8 splash;
    EXPECT_EQ(splash.stepText(), "проверка системы ...");
    EXPECT_EQ(splash.progress(), 0);
    const auto* gauge = splash.findChild<QProgressBar*>("Gauge1");
    ASSERT_NE(gauge, nullptr);
    EXPECT_FALSE(gauge->isTextVisible());
    EXPECT_EQ(gauge->maximumHeight(), 4);
    const auto* label = splash.findChild<QLabel*>("Label1");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), "Пожалуйста, подождите.");
}

TEST(SplashTest, GaugeCountsStepsUpToItsMaximum) {
    app::TFormZastavka8 splash;
    splash.setSteps(3);
    for (int step = 0; step < 4; ++step) {
        splash.advance();
    }
    EXPECT_EQ(splash.progress(), 3);
    EXPECT_EQ(splash.steps(), 3);
}

} // namespace
