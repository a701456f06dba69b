#include "prediction/ui/BacktestCharts.h"

#include "grid/Colours.h"
#include "grid/ui/QtColour.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QGridLayout>
#include <QLabel>
#include <QLegend>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>
#include <algorithm>

namespace kazutama {

namespace {

// A line chart of a long history keeps at most this many points per line; more would not show.
constexpr int kMostPoints = 800;
constexpr int kSpacing = 6;

QFont chartFont(int pixels, bool bold = false) {
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QChart* plainChart(const QString& title) {
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->setTitleFont(chartFont(12, true));
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->legend()->setFont(chartFont(10));
    return chart;
}

void styleAxis(QAbstractAxis* axis, const QString& title) {
    axis->setTitleText(title);
    axis->setTitleFont(chartFont(10));
    axis->setLabelsFont(chartFont(10));
}

QValueAxis* valueAxis(double from, double to, const QString& title) {
    auto* axis = new QValueAxis;
    axis->setRange(from, std::max(to, from + 1));
    axis->applyNiceNumbers();
    axis->setLabelFormat(QStringLiteral("%d"));
    styleAxis(axis, title);
    return axis;
}

// Lays `chart` out at `size` and paints it at `target`; the chart is consumed.
void paintChart(QPainter& painter, const QRectF& target, QChart* chart) {
    QGraphicsScene scene;
    scene.addItem(chart);
    chart->setGeometry(QRectF(QPointF(0, 0), target.size()));
    chart->layout()->activate();
    scene.setSceneRect(chart->geometry());
    scene.render(&painter, target, scene.sceneRect());
}

QLabel* noteLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignCenter);
    label->setMargin(12);
    return label;
}

} // namespace

QChart* hitDistributionChart(const MethodSummary& summary, const QString& title) {
    QChart* chart = plainChart(title);
    auto* observed = new QBarSet(QStringLiteral("実績"));
    observed->setColor(qcolor(colours::kMainNumberDot));
    observed->setBorderColor(qcolor(colours::kMainNumberDot));
    auto* expected = new QBarSet(QStringLiteral("期待値"));
    expected->setColor(qcolor(colours::kPalePink));
    expected->setBorderColor(qcolor(colours::kRed));
    QStringList categories;
    double highest = 0;
    for (int hits = 0; hits <= kMainCount; ++hits) {
        *observed << summary.hits[std::size_t(hits)];
        *expected << summary.expectedHits[std::size_t(hits)];
        highest = std::max(
            {highest, double(summary.hits[std::size_t(hits)]), summary.expectedHits[std::size_t(hits)]});
        categories << QString::number(hits);
    }
    auto* series = new QBarSeries;
    series->append(observed);
    series->append(expected);
    series->setBarWidth(0.8);
    chart->addSeries(series);
    auto* x = new QBarCategoryAxis;
    x->append(categories);
    styleAxis(x, QStringLiteral("本数字の当たり数"));
    chart->addAxis(x, Qt::AlignBottom);
    series->attachAxis(x);
    QValueAxis* y = valueAxis(0, highest, QStringLiteral("回数"));
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(y);
    return chart;
}

QChart* cumulativeHitsChart(const std::vector<CumulativeHits>& points, const QString& title) {
    QChart* chart = plainChart(title);
    auto* observed = new QLineSeries;
    observed->setName(QStringLiteral("実績"));
    observed->setPen(QPen(qcolor(colours::kMainNumberDot), 2));
    auto* expected = new QLineSeries;
    expected->setName(QStringLiteral("期待値"));
    expected->setPen(QPen(qcolor(colours::kRed), 1.5, Qt::DashLine));
    const std::size_t step = std::max<std::size_t>(1, points.size() / kMostPoints);
    for (std::size_t i = 0; i < points.size(); i += step) {
        observed->append(points[i].draw, points[i].hits);
        expected->append(points[i].draw, points[i].expected);
    }
    double highest = 0;
    if (!points.empty()) {
        const CumulativeHits& last = points.back();
        if (observed->at(observed->count() - 1).x() != last.draw) {
            observed->append(last.draw, last.hits);
            expected->append(last.draw, last.expected);
        }
        highest = std::max(double(last.hits), last.expected);
    }
    chart->addSeries(observed);
    chart->addSeries(expected);
    QValueAxis* x = valueAxis(0, points.empty() ? 1 : points.back().draw, QStringLiteral("回"));
    chart->addAxis(x, Qt::AlignBottom);
    QValueAxis* y = valueAxis(0, highest, QStringLiteral("本数字の当たり数の累計"));
    chart->addAxis(y, Qt::AlignLeft);
    for (QLineSeries* series : {observed, expected}) {
        series->attachAxis(x);
        series->attachAxis(y);
    }
    return chart;
}

QWidget* chartGridWidget(const ChartGrid& charts, QWidget* parent) {
    auto* widget = new QWidget(parent);
    auto* layout = new QGridLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(kSpacing);
    for (int index = 0; index < charts.count; ++index) {
        auto* view = new QChartView(charts.make(index), widget);
        view->setObjectName(QStringLiteral("chart(%1)").arg(index));
        view->setRenderHint(QPainter::Antialiasing);
        // The charts share whatever room the window has; they never make it scroll.
        view->setMinimumSize(120, 120);
        layout->addWidget(view, index / charts.columns, index % charts.columns);
    }
    if (!charts.note.isEmpty())
        layout->addWidget(noteLabel(charts.note, widget), charts.count / charts.columns,
                          charts.count % charts.columns);
    const int rows = (charts.count + (charts.note.isEmpty() ? 0 : 1) + charts.columns - 1) / charts.columns;
    for (int row = 0; row < rows; ++row)
        layout->setRowStretch(row, 1);
    for (int column = 0; column < charts.columns; ++column)
        layout->setColumnStretch(column, 1);
    return widget;
}

void paintChartGrid(QPainter& painter, QSize size, const ChartGrid& charts) {
    const int cells = charts.count + (charts.note.isEmpty() ? 0 : 1);
    const int rows = std::max(1, (cells + charts.columns - 1) / charts.columns);
    const double width = double(size.width() - kSpacing * (charts.columns - 1)) / charts.columns;
    const double height = double(size.height() - kSpacing * (rows - 1)) / rows;
    const auto cell = [&](int index) {
        return QRectF((index % charts.columns) * (width + kSpacing),
                      (index / charts.columns) * (height + kSpacing), width, height);
    };
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    for (int index = 0; index < charts.count; ++index)
        paintChart(painter, cell(index), charts.make(index));
    if (!charts.note.isEmpty()) {
        painter.setPen(Qt::black);
        painter.setFont(chartFont(11));
        painter.drawText(cell(charts.count).adjusted(12, 12, -12, -12), Qt::AlignCenter | Qt::TextWordWrap,
                         charts.note);
    }
    painter.restore();
}

} // namespace kazutama
