// The inner gauge of the window: advanced once per row by the longest steps, it gathers the
// steps and shows them, with the window's events let run, only now and then.
#include "wizard/QtUserInterface.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

namespace {

class GaugeWindow : public wizard::OutputWindow {
public:
    void overallGaugeAdd(int) override {}
    void overallGaugeReset(int) override {}
    int overallGaugePosition() const override { return 0; }
    void stepLabel(const QString&) override {}
    void innerGaugeShow(int maximum) override {
        shownMaximum = maximum;
        advances.clear();
    }
    void innerGaugeAdvance(int steps) override { advances.push_back(steps); }
    void innerGaugeHide() override { hidden = true; }
    void runLogLine(const QString&) override {}

    int shownMaximum = 0;
    std::vector<int> advances;
    bool hidden = false;
};

TEST(InnerGaugeTest, RowsAreShownInGatheredStepsWhileTheWindowKeepsRepainting) {
    GaugeWindow window;
    wizard::QtUserInterface ui;
    ui.attach(&window, nullptr);
    constexpr int kRows = 1000000;
    ui.innerGaugeShow(kRows);
    bool eventRan = false;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [&] { eventRan = true; }, Qt::QueuedConnection);

    // Rows go on until well past one interval, as a long step's do.
    const auto start = std::chrono::steady_clock::now();
    int rows = 0;
    while (rows < kRows && (std::chrono::steady_clock::now() - start < 3 * wizard::QtUserInterface::kGaugeInterval ||
                            window.advances.empty())) {
        ui.innerGaugeNext();
        ++rows;
    }

    EXPECT_EQ(window.shownMaximum, kRows);
    EXPECT_TRUE(eventRan) << "the window's events did not run during the step";
    ASSERT_FALSE(window.advances.empty());
    EXPECT_LT(window.advances.size(), static_cast<size_t>(rows));
    int shown = 0;
    for (const int steps : window.advances) {
        EXPECT_GT(steps, 0);
        shown += steps;
    }
    EXPECT_LE(shown, rows);
    ui.innerGaugeHide();
    EXPECT_TRUE(window.hidden);
}

TEST(InnerGaugeTest, AFreshGaugeStartsWithoutTheStepsOfTheLastOne) {
    GaugeWindow window;
    wizard::QtUserInterface ui;
    ui.attach(&window, nullptr);
    ui.innerGaugeShow(100);
    for (int i = 0; i < 50; ++i) {
        ui.innerGaugeNext();
    }
    ui.innerGaugeHide();
    ui.innerGaugeShow(100);
    const auto start = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() - start < 2 * wizard::QtUserInterface::kGaugeInterval) {
    }
    ui.innerGaugeNext();

    ASSERT_EQ(window.advances.size(), 1u);
    EXPECT_EQ(window.advances[0], 1);
}

} // namespace
