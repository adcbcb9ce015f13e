#include "BarChart.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kBarWidth = 22;
constexpr int kGroupGap = 26;
constexpr int kPlotHeight = 360;
constexpr int kLeft = 70;
constexpr int kTop = 60;
constexpr int kBottom = 130;
constexpr int kRight = 120;

const QColor kSeriesColours[] = {QColor(70, 130, 180), QColor(230, 145, 56), QColor(106, 168, 79),
                                 QColor(166, 77, 121), QColor(204, 65, 37),  QColor(103, 78, 167)};

double highestOf(const BarChart& chart) {
    double highest = 0;
    for (const auto& row : chart.rows) {
        for (double value : row.values) {
            highest = std::max(highest, value);
        }
    }
    return highest > 0 ? highest : 1;
}

// A round step for the value axis, so that about five lines span the highest bar.
double axisStep(double highest) {
    const double rough = highest / 5;
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    for (double factor : {1.0, 2.0, 5.0}) {
        if (factor * magnitude >= rough) {
            return factor * magnitude;
        }
    }
    return 10 * magnitude;
}

QString shortNumber(double value) {
    return value >= 100 ? QString::number(value, 'f', 0) : QString::number(value, 'f', value >= 10 ? 1 : 2);
}

} // namespace

QImage drawBarChart(const BarChart& chart) {
    const int seriesCount = std::max<int>(1, static_cast<int>(chart.series.size()));
    const int groupWidth = seriesCount * kBarWidth + kGroupGap;
    const int plotWidth = std::max(300, static_cast<int>(chart.rows.size()) * groupWidth);
    QImage image(kLeft + plotWidth + kRight, kTop + kPlotHeight + kBottom, QImage::Format_ARGB32);
    image.fill(Qt::white);

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = painter.font();
    font.setPixelSize(12);
    painter.setFont(font);

    const double step = axisStep(highestOf(chart));
    const double top = std::ceil(highestOf(chart) / step) * step;
    const auto yOf = [&](double value) { return kTop + kPlotHeight - static_cast<int>(value / top * kPlotHeight); };

    painter.setPen(QColor(220, 220, 220));
    for (double value = 0; value <= top + step / 2; value += step) {
        painter.drawLine(kLeft, yOf(value), kLeft + plotWidth, yOf(value));
    }
    painter.setPen(Qt::black);
    for (double value = 0; value <= top + step / 2; value += step) {
        painter.drawText(QRect(0, yOf(value) - 8, kLeft - 6, 16), Qt::AlignRight | Qt::AlignVCenter,
                         step >= 1 ? QString::number(value, 'f', 0) : shortNumber(value));
    }
    painter.drawLine(kLeft, kTop, kLeft, kTop + kPlotHeight);
    painter.drawLine(kLeft, kTop + kPlotHeight, kLeft + plotWidth, kTop + kPlotHeight);

    QFont titleFont = font;
    titleFont.setPixelSize(15);
    titleFont.setBold(true);
    painter.setFont(titleFont);
    painter.drawText(QRect(0, 8, image.width(), 22), Qt::AlignHCenter, chart.title);
    painter.setFont(font);
    painter.drawText(QRect(4, kTop - 24, kLeft + 100, 16), Qt::AlignLeft, chart.unit);

    // The legend: one swatch and name per series, along the top right.
    int legendX = kLeft + plotWidth;
    for (int s = seriesCount - 1; s >= 0 && s < static_cast<int>(chart.series.size()); --s) {
        const int width = QFontMetrics(font).horizontalAdvance(chart.series[s]) + 24;
        legendX -= width;
        painter.fillRect(legendX, kTop - 22, 12, 12, kSeriesColours[s % std::size(kSeriesColours)]);
        painter.drawText(legendX + 16, kTop - 11, chart.series[s]);
    }

    QFont valueFont = font;
    valueFont.setPixelSize(9);
    for (size_t r = 0; r < chart.rows.size(); ++r) {
        const int groupX = kLeft + kGroupGap / 2 + static_cast<int>(r) * groupWidth;
        const auto& row = chart.rows[r];
        painter.setFont(valueFont);
        for (size_t s = 0; s < row.values.size(); ++s) {
            if (row.values[s] < 0) {
                continue;
            }
            const int x = groupX + static_cast<int>(s) * kBarWidth;
            const int y = yOf(row.values[s]);
            painter.fillRect(x + 2, y, kBarWidth - 4, kTop + kPlotHeight - y,
                             kSeriesColours[s % std::size(kSeriesColours)]);
            painter.drawText(QRect(x - 6, y - 14, kBarWidth + 12, 12), Qt::AlignHCenter, shortNumber(row.values[s]));
        }
        painter.setFont(font);
        painter.save();
        painter.translate(groupX + seriesCount * kBarWidth / 2, kTop + kPlotHeight + 8);
        painter.rotate(30);
        painter.drawText(0, 10, row.label);
        painter.restore();
    }
    painter.end();
    return image;
}
