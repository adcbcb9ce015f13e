// bench-chart TABLE PNG [TITLE]: draws a table of bench times as a grouped bar
// chart. TABLE holds one line per bar, "LABEL SERIES VALUE" separated by tabs;
// labels and series keep the order in which they first appear.
#include "BarChart.h"

#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

int indexOf(std::vector<QString>& names, const QString& name) {
    const auto found = std::find(names.begin(), names.end(), name);
    if (found != names.end()) {
        return static_cast<int>(found - names.begin());
    }
    names.push_back(name);
    return static_cast<int>(names.size()) - 1;
}

bool readTable(const char* path, BarChart& chart) {
    std::ifstream in(path);
    if (!in) {
        return false;
    }
    std::vector<QString> labels;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string label, series, value;
        if (!std::getline(fields, label, '\t') || !std::getline(fields, series, '\t') ||
            !std::getline(fields, value, '\t')) {
            continue;
        }
        const size_t r = static_cast<size_t>(indexOf(labels, QString::fromStdString(label)));
        const size_t s = static_cast<size_t>(indexOf(chart.series, QString::fromStdString(series)));
        if (r >= chart.rows.size()) {
            chart.rows.push_back({labels[r], {}});
        }
        auto& values = chart.rows[r].values;
        if (values.size() <= s) {
            values.resize(s + 1, -1);
        }
        values[s] = std::stod(value);
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench-chart TABLE PNG [TITLE]\n");
        return 2;
    }
    // Drawn offscreen: the benches run on machines without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    BarChart chart;
    chart.title = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString("bench");
    chart.unit = "seconds";
    if (!readTable(argv[1], chart)) {
        std::fprintf(stderr, "bench-chart: cannot read %s\n", argv[1]);
        return 1;
    }
    if (!drawBarChart(chart).save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "bench-chart: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
