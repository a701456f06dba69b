#include "prediction/ui/PredictionView.h"

#include "grid/ui/ResultGridView.h"
#include "grid/ui/TableOutput.h"
#include "gui/QtText.h"
#include "menus/WindowNames.h"
#include "prediction/ui/PredictionTicketCommand.h"
#include "store/Workspace.h"

#include <QAction>
#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kazutama {

PredictionView::PredictionView(ViewGuard& guard, AnalysisOptions& options, const Workspace& workspace,
                               BackupOnFirstWrite* backups, QWidget* parent)
    : ChildView(guard, parent), m_options(options), m_workspace(workspace), m_backups(backups) {
    setObjectName(qs(kPredictionViewName));
    setWindowTitle(qs(kPredictionViewName));
    // One command for the button and the menus of the cycle and one-shot tables.
    m_addTickets = new QAction(QStringLiteral("購入数字に追加(&T)..."), this);
    m_addTickets->setObjectName("actAddTickets");
    connect(m_addTickets, &QAction::triggered, this, &PredictionView::addTickets);

    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName("Cmd閉じる");
    connect(close, &QPushButton::clicked, this, &ChildView::closeView);
    auto* print = new QPushButton(QStringLiteral("印刷"), this);
    print->setObjectName("Command2");
    connect(print, &QPushButton::clicked, this, &ChildView::print);
    auto* backtest = new QPushButton(QStringLiteral("過去の当選で検証..."), this);
    backtest->setObjectName("Cmd予想検証");
    connect(backtest, &QPushButton::clicked, this, &PredictionView::backtestRequested);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(print);
    buttons->addWidget(backtest);
    buttons->addWidget(close);

    // The options take the window's whole height; the buttons sit under the predictions.
    auto* right = new QVBoxLayout;
    right->addWidget(createPredictionFrame(), 1);
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(createOptionsFrame());
    layout->addLayout(right, 1);
}

QWidget* PredictionView::createOptionsFrame() {
    auto* frame = new QGroupBox(QStringLiteral("データ分析オプション"), this);
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(6, 2, 6, 4);
    layout->setSpacing(0);
    auto* label =
        new QLabel(QStringLiteral("各データ分析の分析結果を当選予想へ反映するかを設定します。"), frame);
    label->setWordWrap(true);
    layout->addWidget(label);
    for (size_t i = 0; i < kAnalysisOptionCount; ++i)
        layout->addWidget(createOptionPair(i, frame));
    layout->addStretch();
    frame->setFixedWidth(296);
    return frame;
}

// The caption over a box with the two buttons, drawn tighter than a group box with its title would be: the
// twelve pairs have to fit the window's designed height.
QWidget* PredictionView::createOptionPair(std::size_t index, QWidget* parent) {
    auto* pair = new QWidget(parent);
    pair->setObjectName(QStringLiteral("Frame%1").arg(index));
    auto* box = new QFrame(pair);
    box->setFrameShape(QFrame::StyledPanel);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(14, 0, 4, 0);
    row->setSpacing(12);
    auto* reflect = new QRadioButton(QStringLiteral("反映する"), box);
    reflect->setObjectName(QStringLiteral("Opt反映する(%1)").arg(index));
    auto* ignore = new QRadioButton(QStringLiteral("反映しない"), box);
    ignore->setObjectName(QStringLiteral("Opt反映しない(%1)").arg(index));
    auto* group = new QButtonGroup(box);
    for (QRadioButton* button : {reflect, ignore}) {
        button->setFixedHeight(button->fontMetrics().height());
        group->addButton(button);
        row->addWidget(button);
    }
    row->addStretch();
    connect(reflect, &QRadioButton::clicked, this, [this, index] { optionClicked(int(index), true); });
    connect(ignore, &QRadioButton::clicked, this, [this, index] { optionClicked(int(index), false); });
    m_reflect[index] = reflect;
    m_ignore[index] = ignore;

    auto* layout = new QVBoxLayout(pair);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(new QLabel(qs(kAnalysisOptionCaptions[index]), pair));
    layout->addWidget(box);
    return pair;
}

QWidget* PredictionView::createPredictionFrame() {
    auto* frame = new QGroupBox(QStringLiteral("当選予想"), this);
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(2);
    auto* label = new QLabel(
        QStringLiteral("各データ分析の結果を元に周期法、消去法、連発Kazutama、一発Kazutamaの各手法を用いて"
                       "当選数字を予想します。"),
        frame);
    label->setWordWrap(true);
    layout->addWidget(label);
    m_nothingToPredictLabel = new QLabel(
        QStringLiteral(
            "当選データがないため、予想できません。「データ管理」の「当選データ入力」で入力するか、"
            "CSVファイルを取り込んでください。"),
        frame);
    m_nothingToPredictLabel->setObjectName("lblNothingToPredict");
    m_nothingToPredictLabel->setWordWrap(true);
    m_nothingToPredictLabel->setStyleSheet(QStringLiteral("color: #c00000;"));
    m_nothingToPredictLabel->hide();
    layout->addWidget(m_nothingToPredictLabel);
    for (int i = 0; i < kPredictionGridCount; ++i) {
        layout->addSpacing(6);
        auto* caption = new QLabel(qs(kPredictionGridCaptions[i]), frame);
        caption->setWordWrap(true);
        layout->addWidget(caption);
        auto* view = new ResultGridView(frame);
        view->setObjectName(QStringLiteral("fpSpread1(%1)").arg(i));
        view->setFocusPolicy(Qt::NoFocus);
        view->setFrameShape(QFrame::NoFrame);
        view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_gridViews[i] = view;
        addTableCommands(view, [this, i] { return document(i); });
        if (i == 0 || i == kPredictionGridCount - 1) {
            auto* separator = new QAction(view);
            separator->setSeparator(true);
            view->addAction(separator);
            view->addAction(m_addTickets);
        }
        layout->addWidget(view, 0, Qt::AlignLeft);
    }
    // Under the one-shot prediction, whose numbers it keeps.
    m_addTicketsButton = new QPushButton(QStringLiteral("購入数字に追加..."), frame);
    m_addTicketsButton->setObjectName("Cmd購入数字に追加");
    connect(m_addTicketsButton, &QPushButton::clicked, m_addTickets, &QAction::trigger);
    layout->addSpacing(4);
    layout->addWidget(m_addTicketsButton, 0, Qt::AlignLeft);
    layout->addStretch();
    return frame;
}

void PredictionView::build() {
    for (size_t i = 0; i < kAnalysisOptionCount; ++i)
        (m_options[i] ? m_reflect[i] : m_ignore[i])->setChecked(true);
    for (int i = 0; i < kPredictionGridCount; ++i) {
        m_grids[i] = predictionGridLayout(i);
        m_gridViews[i]->setGrid(m_grids[i]);
        m_gridViews[i]->setFixedSize(m_gridViews[i]->fullTableSize());
    }
    // Without a single complete draw every method would propose numbers out of nothing.
    m_nothingToPredict = m_workspace.summary().latestDrawNumber == 0;
    m_nothingToPredictLabel->setVisible(m_nothingToPredict);
    m_engine.fillTables(m_workspace.snapshot());
    predictionRun();
}

void PredictionView::print() {
    previewTable(window(), document());
}

TableDocument PredictionView::document(int only) const {
    return predictionDocument(m_options, m_grids, only);
}

TableDocument predictionDocument(const AnalysisOptions& options,
                                 const std::array<ResultGrid, kPredictionGridCount>& grids, int only) {
    // On paper the options in force say which analyses the numbers come from.
    QStringList reflected;
    for (size_t i = 0; i < kAnalysisOptionCount; ++i)
        if (options[i])
            reflected << qs(kAnalysisOptionCaptions[i]).mid(1);
    TableDocument document(
        qs(kPredictionViewName),
        QStringLiteral("反映するデータ分析: %1")
            .arg(reflected.isEmpty() ? QStringLiteral("なし") : reflected.join(QStringLiteral("、"))));
    for (int i = 0; i < kPredictionGridCount; ++i)
        if (only < 0 || only == i)
            document.addTable(grids[std::size_t(i)], qs(kPredictionGridCaptions[std::size_t(i)]));
    return document;
}

void PredictionView::optionClicked(int index, bool reflect) {
    m_options[index] = reflect;
    predictionRun();
}

void PredictionView::predictionRun() {
    ++m_runCount;
    if (!m_nothingToPredict) {
        m_run = m_engine.run(m_options);
        writePredictionRun(m_grids, m_run);
        for (int i = 0; i < kPredictionGridCount; ++i)
            m_gridViews[i]->setGrid(m_grids[i]);
    }
    updateTicketCommand();
}

void PredictionView::updateTicketCommand() {
    QString reason;
    if (m_workspace.isReadOnly())
        reason = QStringLiteral("読み取り専用で開いているため、購入数字を追加できません。\n") +
                 qs(m_workspace.readOnlyReason());
    else if (m_nothingToPredict || oneShotNumbers(m_run).empty())
        reason = QStringLiteral("一発Kazutama予想の数字がないため、購入数字を追加できません。");
    else if (m_workspace.summary().latestDrawNumber >= kHighestDrawNumber)
        reason = QStringLiteral("最後の抽選回まで入力済みのため、購入数字を追加できません。");
    m_addTickets->setEnabled(reason.isEmpty());
    m_addTicketsButton->setEnabled(reason.isEmpty());
    m_addTicketsButton->setToolTip(
        reason.isEmpty() ? QStringLiteral("一発Kazutama予想の数字を、次の抽選の購入数字として記録します。")
                         : reason);
}

void PredictionView::addTickets() {
    addPredictionTickets(window(), m_workspace, m_backups, oneShotNumbers(m_run),
                         completeCycleRows(m_engine));
}

} // namespace kazutama
