#pragma once

#include <QImage>
#include <QString>

#include <vector>

// A grouped bar chart: one group per row label (a pack or the total), one bar
// per series (a scale) within each group, the value written above each bar.
struct BarChart {
    struct Row {
        QString label;
        std::vector<double> values; // one per series; negative when the series has no value
    };
    QString title;
    QString unit;
    std::vector<QString> series;
    std::vector<Row> rows;
};

// The chart drawn into an image of its own size.
QImage drawBarChart(const BarChart& chart);
