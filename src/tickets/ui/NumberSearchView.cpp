#include "tickets/ui/NumberSearchView.h"

#include "analyses/ui/LegendWidget.h"
#include "grid/ui/ResultGridView.h"
#include "grid/ui/TableOutput.h"
#include "gui/QtText.h"
#include "gui/WrappingLabel.h"
#include "menus/WindowNames.h"
#include "store/Workspace.h"
#include "tickets/PickedNumbers.h"
#include "tickets/SearchGrids.h"
#include "tickets/ui/NumbersLine.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace kazutama {

namespace {

constexpr std::string_view kWhat = "探す数字";

const QString kDescription =
    QStringLiteral("1 個から 7 個までの数字を、空白か「,」で区切って入力し、「検索」を押してください（Enter "
                   "キーでも検索します）。"
                   "入力した数字をすべて含む回を表示します。");

} // namespace

NumberSearchView::NumberSearchView(ViewGuard& guard, const Workspace& workspace, QWidget* parent)
    : ChildView(guard, parent), m_workspace(workspace) {
    setObjectName(qs(kNumberSearchViewName));
    setWindowTitle(qs(kNumberSearchViewName));

    auto* description = new WrappingLabel(kDescription, this);
    description->setObjectName("Label1");
    description->setWordWrap(true);

    m_numbers = numbersLine("7 23", this);
    auto* caption = new QLabel(QStringLiteral("探す数字(&N):"), this);
    caption->setBuddy(m_numbers);
    m_withBonus = new QCheckBox(QStringLiteral("ボーナス数字も含める(&B)"), this);
    m_withBonus->setObjectName("Chkボーナス");
    auto* run = new QPushButton(QStringLiteral("検索"), this);
    run->setObjectName("Cmd検索");
    connect(run, &QPushButton::clicked, this, &NumberSearchView::search);
    connect(m_numbers, &QLineEdit::returnPressed, this, &NumberSearchView::search);
    auto* input = new QHBoxLayout;
    input->addWidget(caption);
    input->addWidget(m_numbers, 1);
    input->addWidget(m_withBonus);
    input->addWidget(run);

    m_result = new QLabel(this);
    m_result->setObjectName("Label2");
    m_result->setWordWrap(true);
    m_result->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* legend = new QHBoxLayout;
    legend->addWidget(new QLabel(QStringLiteral("探した数字の色 "), this));
    legend->addWidget(new LegendWidget(kHitLegend, this));
    legend->addStretch();

    m_grid = new ResultGridView(this);
    m_grid->setObjectName("fpSpread1");
    m_grid->setDrawNumberColumn(drawrows::kDrawColumn);
    addTableCommands(m_grid, [this] { return document(); });

    QHBoxLayout* buttons = printAndCloseRow();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(description);
    layout->addLayout(input);
    layout->addWidget(m_result);
    layout->addLayout(legend);
    // The table takes the width it needs and no more; a long one scrolls.
    auto* table = new QHBoxLayout;
    table->addWidget(m_grid, 1);
    table->addStretch(0);
    layout->addLayout(table, 1);
    layout->addLayout(buttons);
}

void NumberSearchView::showGrid(ResultGrid grid) {
    m_grid->setGrid(std::move(grid));
    m_grid->setMaximumWidth(m_grid->fullTableSize().width() +
                            m_grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
}

void NumberSearchView::build() {
    showGrid(numberSearchGrid(NumberSearch{}));
    m_result->setText(QStringLiteral("まだ検索していません。"));
    m_numbers->setFocus();
}

QString NumberSearchView::resultText() const {
    return m_result->text();
}

void NumberSearchView::search() {
    auto numbers = numbersFromText(m_numbers->text().toStdString(), kWhat);
    if (!numbers)
        return showError(qs(numbers.error().message));
    auto found = searchNumbers(m_workspace.history(), std::move(numbers).value(), m_withBonus->isChecked());
    if (!found)
        return showError(qs(found.error().message));
    m_search = std::move(found).value();
    m_result->setStyleSheet(QStringLiteral("font-weight: bold;"));
    m_result->setText(qs(numberSearchSentence(*m_search, m_workspace.history())));
    showGrid(numberSearchGrid(*m_search, drawDatesOf(m_workspace.snapshot())));
}

void NumberSearchView::showError(const QString& message) {
    m_search.reset();
    m_result->setStyleSheet(QStringLiteral("color: red;"));
    m_result->setText(message);
    showGrid(numberSearchGrid(NumberSearch{}));
    m_numbers->setFocus();
    m_numbers->selectAll();
}

TableDocument NumberSearchView::document() const {
    TableDocument document(qs(kNumberSearchViewName), hasResult() ? resultText() : QString());
    document.setLegend(kHitLegend);
    document.addTable(m_grid->grid());
    return document;
}

void NumberSearchView::print() {
    if (hasResult())
        previewTable(window(), document());
}

} // namespace kazutama
