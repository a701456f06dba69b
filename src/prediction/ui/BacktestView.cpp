#include "prediction/ui/BacktestView.h"

#include "grid/Colours.h"
#include "grid/ui/QtColour.h"
#include "grid/ui/ResultGridView.h"
#include "grid/ui/TableOutput.h"
#include "gui/QtText.h"
#include "gui/WrappingLabel.h"
#include "menus/WindowNames.h"
#include "prediction/BacktestGrids.h"
#include "prediction/Odds.h"
#include "prediction/ui/BacktestCharts.h"
#include "store/Workspace.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

namespace kazutama {

namespace {

constexpr int kChartColumns = 4;
constexpr QSize kChartPictureSize(1000, 560);

const QString kDescription = QStringLiteral("過去の各回について、その回より前の当選データだけで予想していたら"
                                            "、各手法の数字がその回の当選数字にいくつ当たったかを調べます。");
const QString kBaseline = QStringLiteral(
    "期待値は、同じ個数の数字をでたらめに選んだときに平均して見込まれる値です。差は「実績－期待値」で、"
    "0 に近いほど、でたらめに選んだ場合と変わらないことを表します。");
const QString kIndependence = qs(kIndependenceNote);

constexpr std::array<const char*, BacktestView::kTableCount> kTableTitles = {"手法別の成績", "回ごとの結果",
                                                                             "シフト別の成績"};
constexpr std::array<const char*, 2> kChartTitles = {"当たり数の分布（グラフ）", "当たり数の累計（グラフ）"};

// The colours of the analyses' legends, as the per-draw table uses them on the one-shot numbers.
constexpr LegendEntry kHitLegend[] = {
    {LegendEntry::Mark::Swatch, colours::kMainNumberDot, "：本数字"},
    {LegendEntry::Mark::Swatch, colours::kFirstBonusDot, "：ボーナス数字1"},
    {LegendEntry::Mark::Swatch, colours::kSecondBonusDot, "：ボーナス数字2"},
    {LegendEntry::Mark::Swatch, colours::kPaleMagenta, "：当選（１発予想の等級）"},
};

QString methodName(int method) {
    return qs(kBacktestMethodNames[std::size_t(method)]).trimmed();
}

ChartGrid distributionCharts(std::shared_ptr<const BacktestResult> result) {
    return {kBacktestMethodCount, kChartColumns,
            [result](int method) {
                return hitDistributionChart(result->methods[std::size_t(method)], methodName(method));
            },
            QStringLiteral("横は 1 回の予想で当たった本数字の個数、縦はそうなった回数です。\n"
                           "青い棒（実績）とピンクの棒（期待値）がほぼ同じ高さなら、その手法はでたらめに選ん"
                           "だ数字と変わりません。")};
}

ChartGrid cumulativeCharts(std::shared_ptr<const BacktestResult> result) {
    return {kBacktestMethodCount, kChartColumns,
            [result](int method) {
                return cumulativeHitsChart(cumulativeHits(*result, method), methodName(method));
            },
            QStringLiteral("当たった本数字の個数を古い回から足していった線です。\n"
                           "青い線（実績）が赤い点線（期待値）から大きく離れないなら、でたらめに選んだ数字と"
                           "変わりません。")};
}

QLabel* swatch(Rgb colour, QWidget* parent) {
    auto* mark = new QLabel(parent);
    mark->setFixedSize(14, 14);
    mark->setStyleSheet(
        QStringLiteral("background: %1; border: 1px solid #808080;").arg(qcolor(colour).name()));
    return mark;
}

} // namespace

BacktestView::BacktestView(ViewGuard& guard, const AnalysisOptions& options, const Workspace& workspace,
                           QWidget* parent)
    : ChildView(guard, parent), m_options(options), m_workspace(workspace) {
    setObjectName(qs(kBacktestViewName));
    setWindowTitle(qs(kBacktestViewName));

    auto* description = new WrappingLabel(kDescription, this);
    description->setObjectName("Label1");
    m_setting = new QLabel(this);
    m_setting->setObjectName("Label2");
    m_setting->setWordWrap(true);
    QFont bold = m_setting->font();
    bold.setBold(true);
    m_setting->setFont(bold);
    auto* baseline = new QLabel(kBaseline, this);
    baseline->setWordWrap(true);
    auto* note = new QLabel(kIndependence, this);
    note->setObjectName("Label3");
    note->setWordWrap(true);
    note->setStyleSheet(
        QStringLiteral("background: %1; padding: 3px;").arg(qcolor(colours::kPaleYellow).name()));

    auto* tabs = new QTabWidget(this);
    tabs->setObjectName("Tabs");
    tabs->addTab(createTablePage(Summary), QString::fromUtf8(kTableTitles[Summary]));
    for (std::size_t i = 0; i < m_chartPages.size(); ++i) {
        auto* page = new QWidget(tabs);
        m_chartPages[i] = new QVBoxLayout(page);
        m_chartPages[i]->setContentsMargins(4, 4, 4, 4);
        tabs->addTab(page, QString::fromUtf8(kChartTitles[i]));
    }
    tabs->addTab(createTablePage(Draws, createLegend()), QString::fromUtf8(kTableTitles[Draws]));
    auto* sweepNote = new QLabel(
        QStringLiteral(
            "シフトは、反映するデータ分析で決まる数で、消去法・連発予想・１発予想が数字を選ぶ当選データを"
            "その回数だけ前へずらします。同じシフトになる組合せの一例を右端に示します。"
            "緑の行が、いまの設定のシフトです。"),
        this);
    sweepNote->setWordWrap(true);
    tabs->addTab(createTablePage(Sweep, sweepNote), QString::fromUtf8(kTableTitles[Sweep]));

    QHBoxLayout* buttons = printAndCloseRow();
    auto* addTickets = new QPushButton(QStringLiteral("購入数字に追加..."), this);
    addTickets->setObjectName("Cmd購入数字に追加");
    addTickets->setToolTip(QStringLiteral("一発Kazutama予想の数字を、次の抽選の購入数字として記録します。"));
    connect(addTickets, &QPushButton::clicked, this, &BacktestView::ticketsRequested);
    buttons->insertWidget(1, addTickets);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(description);
    layout->addWidget(m_setting);
    layout->addWidget(baseline);
    layout->addWidget(note);
    layout->addWidget(tabs, 1);
    layout->addLayout(buttons);
}

QWidget* BacktestView::createTablePage(Table table, QWidget* above) {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    if (above)
        layout->addWidget(above);
    auto* view = new ResultGridView(page);
    view->setObjectName(QStringLiteral("fpSpread1(%1)").arg(int(table)));
    m_gridViews[std::size_t(table)] = view;
    addTableCommands(view, [this, table] { return document(table); });
    // The table takes the room it needs and no more; a longer or wider one scrolls.
    auto* row = new QHBoxLayout;
    row->addWidget(view, 1);
    row->addStretch(0);
    layout->addLayout(row, 1);
    layout->addStretch(0);
    return page;
}

QWidget* BacktestView::createLegend() {
    auto* legend = new QWidget(this);
    auto* layout = new QHBoxLayout(legend);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(new QLabel(QStringLiteral("１発予想の数字のうち、当たった数字の色 "), legend));
    for (const LegendEntry& mark : kHitLegend) {
        layout->addWidget(swatch(mark.colour, legend));
        layout->addWidget(new QLabel(qs(mark.caption), legend));
        layout->addSpacing(10);
    }
    layout->addStretch();
    return legend;
}

QString BacktestView::settingText() const {
    const QString options = QStringLiteral("反映するデータ分析: %1（シフト %2）")
                                .arg(qs(reflectedOptionNames(m_result->options)))
                                .arg(m_result->shift);
    if (m_result->draws.empty())
        return options +
               QStringLiteral("　検証できる回がありません（そろった当選データが 2 回分以上必要です）。");
    return options + QStringLiteral("　検証した回: 第%1回～第%2回の %3 回")
                         .arg(m_result->draws.front().draw)
                         .arg(m_result->draws.back().draw)
                         .arg(m_result->draws.size());
}

void BacktestView::build() {
    m_result = std::make_shared<const BacktestResult>(runBacktest(m_workspace.history(), m_options));
    m_grids[Summary] = backtestSummaryGrid(*m_result);
    m_grids[Draws] = backtestDrawGrid(*m_result);
    m_grids[Sweep] = shiftSweepGrid(runShiftSweep(m_workspace.history()), m_result->shift);
    for (int table = 0; table < kTableCount; ++table) {
        ResultGridView* view = m_gridViews[std::size_t(table)];
        view->setGrid(m_grids[std::size_t(table)]);
        // Room for the scroll bar of a long or a wide table, which would take it from the columns or the rows
        // otherwise (a wide table cut by its own scroll bar would need a second one).
        const int bar = view->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        view->setMaximumSize(view->fullTableSize() + QSize(bar, bar));
    }
    m_setting->setText(settingText());
    m_chartPages[0]->addWidget(chartGridWidget(distributionCharts(m_result), this));
    m_chartPages[1]->addWidget(chartGridWidget(cumulativeCharts(m_result), this));
}

void BacktestView::print() {
    previewTable(window(), document());
}

TableDocument BacktestView::document(int only) const {
    TableDocument document(qs(kBacktestViewName), settingText() + '\n' + kBaseline + '\n' + kIndependence);
    const auto table = [&](Table which) {
        document.addTable(m_grids[which], QString::fromUtf8(kTableTitles[which]));
    };
    const auto charts = [&](std::size_t which, ChartGrid grid) {
        document.addPicture(QString::fromUtf8(kChartTitles[which]), kChartPictureSize,
                            [grid](QPainter& painter, QSize size) { paintChartGrid(painter, size, grid); });
    };
    switch (only) {
    case Summary:
        table(Summary);
        charts(0, distributionCharts(m_result));
        charts(1, cumulativeCharts(m_result));
        break;
    case Draws:
        table(Draws);
        charts(1, cumulativeCharts(m_result));
        break;
    case Sweep:
        table(Sweep);
        break;
    default:
        table(Summary);
        charts(0, distributionCharts(m_result));
        charts(1, cumulativeCharts(m_result));
        table(Draws);
        table(Sweep);
    }
    if (only < 0 || only == Draws)
        document.setLegend(kHitLegend);
    return document;
}

} // namespace kazutama
