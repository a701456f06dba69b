#include "tickets/ui/HistoryCheckView.h"

#include "analyses/ui/LegendWidget.h"
#include "grid/Colours.h"
#include "grid/ui/QtColour.h"
#include "grid/ui/ResultGridView.h"
#include "grid/ui/TableOutput.h"
#include "gui/QtText.h"
#include "gui/WrappingLabel.h"
#include "menus/WindowNames.h"
#include "prediction/Odds.h"
#include "store/Workspace.h"
#include "tickets/PickedNumbers.h"
#include "tickets/SearchGrids.h"
#include "tickets/ui/NumbersLine.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace kazutama {

namespace {

constexpr std::string_view kWhat = "照合する数字";

const QString kDescription = QStringLiteral(
    "7 個の数字を空白か「,」で区切って入力し、「照合」を押してください（Enter キーでも照合します）。"
    "その 7 個を 1 口として、過去のすべての回の当選番号と照らし合わせます。");
const QString kBaseline = QStringLiteral(
    "偶然の期待値は、7 個の数字をでたらめに選んだ 1 口が、同じ回数の抽選で平均して当たる回数です。"
    "どの 7 個を選んでも同じ値になります。");
const QString kIndependence = qs(kIndependenceNote);

constexpr std::array<const char*, HistoryCheckView::kTableCount> kTableTitles = {
    "等級ごとの回数", "本数字の当たり数ごとの回数", "いちばんよい結果の回"};

} // namespace

HistoryCheckView::HistoryCheckView(ViewGuard& guard, const Workspace& workspace, QWidget* parent)
    : ChildView(guard, parent), m_workspace(workspace) {
    setObjectName(qs(kHistoryCheckViewName));
    setWindowTitle(qs(kHistoryCheckViewName));

    auto* description = new WrappingLabel(kDescription, this);
    description->setObjectName("Label1");
    description->setWordWrap(true);

    m_numbers = numbersLine("3 8 14 19 25 30 36", this);
    auto* caption = new QLabel(QStringLiteral("照合する数字(&N):"), this);
    caption->setBuddy(m_numbers);
    auto* run = new QPushButton(QStringLiteral("照合"), this);
    run->setObjectName("Cmd照合");
    connect(run, &QPushButton::clicked, this, &HistoryCheckView::check);
    connect(m_numbers, &QLineEdit::returnPressed, this, &HistoryCheckView::check);
    auto* input = new QHBoxLayout;
    input->addWidget(caption);
    input->addWidget(m_numbers, 1);
    input->addWidget(run);

    m_result = new QLabel(this);
    m_result->setObjectName("Label2");
    m_result->setWordWrap(true);
    m_result->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* baseline = new QLabel(kBaseline, this);
    baseline->setWordWrap(true);
    auto* note = new QLabel(kIndependence, this);
    note->setObjectName("Label3");
    note->setWordWrap(true);
    note->setStyleSheet(
        QStringLiteral("background: %1; padding: 3px;").arg(qcolor(colours::kPaleYellow).name()));

    auto* counts = new QHBoxLayout;
    counts->addWidget(createGrid(Tiers), 0, Qt::AlignTop);
    counts->addSpacing(12);
    counts->addWidget(createGrid(Hits), 0, Qt::AlignTop);
    counts->addStretch();

    auto* legend = new QHBoxLayout;
    legend->addWidget(
        new QLabel(QString::fromUtf8(kTableTitles[Best]) + QStringLiteral("　当たった数字の色 "), this));
    legend->addWidget(new LegendWidget(kHitLegend, this));
    legend->addStretch();

    QHBoxLayout* buttons = printAndCloseRow();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(description);
    layout->addLayout(input);
    layout->addWidget(m_result);
    layout->addWidget(baseline);
    layout->addWidget(note);
    layout->addLayout(counts);
    layout->addLayout(legend);
    auto* best = new QHBoxLayout;
    best->addWidget(createGrid(Best), 1);
    best->addStretch(0);
    layout->addLayout(best, 10);
    // What a short list leaves goes below it, not between the texts above.
    layout->addStretch(1);
    layout->addLayout(buttons);
}

ResultGridView* HistoryCheckView::createGrid(Table table) {
    auto* view = new ResultGridView(this);
    view->setObjectName(QStringLiteral("fpSpread1(%1)").arg(int(table)));
    if (table == Best)
        view->setDrawNumberColumn(drawrows::kDrawColumn);
    m_gridViews[std::size_t(table)] = view;
    addTableCommands(view, [this, table] { return document(table); });
    return view;
}

void HistoryCheckView::build() {
    showGrids();
    m_result->setText(QStringLiteral("まだ照合していません。"));
    m_numbers->setFocus();
}

void HistoryCheckView::showGrids() {
    const HistoryCheck none;
    const HistoryCheck& shown = m_check ? *m_check : none;
    m_gridViews[Tiers]->setGrid(historyTierGrid(shown));
    m_gridViews[Hits]->setGrid(historyHitGrid(shown));
    m_gridViews[Best]->setGrid(historyBestGrid(shown, drawDatesOf(m_workspace.snapshot())));
    // The counts whole, always; the list of best draws as long as it is, with room for a scroll bar where a
    // long one needs it.
    m_gridViews[Tiers]->setFixedSize(m_gridViews[Tiers]->fullTableSize());
    m_gridViews[Hits]->setFixedSize(m_gridViews[Hits]->fullTableSize());
    const int bar = m_gridViews[Best]->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    m_gridViews[Best]->setMaximumSize(m_gridViews[Best]->fullTableSize() + QSize(bar, bar));
}

bool HistoryCheckView::checkNumbers(const std::vector<int>& numbers) {
    QStringList texts;
    for (const int n : numbers)
        texts << QString::number(n);
    m_numbers->setText(texts.join(' '));
    return check();
}

QString HistoryCheckView::resultText() const {
    return m_result->text();
}

bool HistoryCheckView::check() {
    auto numbers = numbersFromText(m_numbers->text().toStdString(), kWhat);
    if (!numbers)
        return showError(qs(numbers.error().message));
    auto checked = checkAgainstHistory(m_workspace.history(), std::move(numbers).value());
    if (!checked)
        return showError(qs(checked.error().message));
    m_check = std::move(checked).value();
    m_result->setStyleSheet(QStringLiteral("font-weight: bold;"));
    m_result->setText(qs(historyCheckSentence(*m_check, m_workspace.history())));
    showGrids();
    return true;
}

bool HistoryCheckView::showError(const QString& message) {
    m_check.reset();
    m_result->setStyleSheet(QStringLiteral("color: red;"));
    m_result->setText(message);
    showGrids();
    m_numbers->setFocus();
    m_numbers->selectAll();
    return false;
}

TableDocument HistoryCheckView::document(int only) const {
    TableDocument document(qs(kHistoryCheckViewName),
                           hasResult() ? resultText() + '\n' + kBaseline + '\n' + kIndependence : QString());
    for (int table = 0; table < kTableCount; ++table)
        if (only < 0 || only == table)
            document.addTable(m_gridViews[std::size_t(table)]->grid(),
                              QString::fromUtf8(kTableTitles[table]));
    if (only < 0 || only == Best)
        document.setLegend(kHitLegend);
    return document;
}

void HistoryCheckView::print() {
    if (hasResult())
        previewTable(window(), document());
}

} // namespace kazutama
