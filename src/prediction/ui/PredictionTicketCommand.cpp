#include "prediction/ui/PredictionTicketCommand.h"

#include "gui/Dialogs.h"
#include "gui/QtText.h"
#include "prediction/Odds.h"
#include "store/DrawStore.h"
#include "store/TicketStore.h"
#include "store/Workspace.h"

#include <QStringList>
#include <algorithm>

namespace kazutama {

namespace {

QString drawRange(int first, int last) {
    return first == last ? QStringLiteral("第%1回").arg(first)
                         : QStringLiteral("第%1回～第%2回").arg(first).arg(last);
}

QString numberLine(const PredictedNumbers& predicted) {
    QStringList numbers;
    for (const int number : predicted.numbers)
        numbers << QString::number(number);
    return qs(predicted.memo) + QStringLiteral(": ") + numbers.join(QLatin1Char(' '));
}

// The last draw chosen, or 0 when the user cancels.
int chooseLastDraw(QWidget* parent, int firstDraw) {
    Dialogs::RowChoice choice{applicationTitle(),
                              QStringLiteral("第%1回から続けて何回分の抽選に追加しますか。").arg(firstDraw),
                              {QStringLiteral("回数"), QStringLiteral("抽選回")},
                              {},
                              QStringLiteral("次へ")};
    const int most = std::min(kMostTicketDraws, kHighestDrawNumber - firstDraw + 1);
    for (int count = 1; count <= most; ++count)
        choice.rows.push_back(
            {{QStringLiteral("%1回").arg(count), drawRange(firstDraw, firstDraw + count - 1)}});
    const int row = Dialogs::instance().chooseRow(parent, choice);
    return row < 0 ? 0 : firstDraw + row;
}

} // namespace

void addPredictionTickets(QWidget* parent, const Workspace& workspace, BackupOnFirstWrite* backups,
                          const std::vector<PredictedNumbers>& prediction,
                          const std::vector<PredictedNumbers>& cycleRows) {
    const int firstDraw = workspace.summary().latestDrawNumber + 1;
    if (prediction.empty() || firstDraw > kHighestDrawNumber)
        return;
    const int lastDraw = chooseLastDraw(parent, firstDraw);
    if (lastDraw == 0)
        return;
    QStringList lines;
    for (const PredictedNumbers& predicted : prediction)
        lines << numberLine(predicted);
    Dialogs::Question question;
    question.title = applicationTitle();
    question.text =
        QStringLiteral("次の数字を%1の購入数字に追加します。\n\n").arg(drawRange(firstDraw, lastDraw)) +
        lines.join(QLatin1Char('\n'));
    question.buttons << QStringLiteral("追加(&A)");
    if (!cycleRows.empty()) {
        QStringList rows;
        for (const PredictedNumbers& row : cycleRows)
            rows << numberLine(row);
        question.text += QStringLiteral("\n\n周期表の数字も追加できます。\n") + rows.join(QLatin1Char('\n'));
        question.buttons << QStringLiteral("周期表の%1行も追加(&C)").arg(cycleRows.size());
    }
    // Keeping the numbers is no reason to think they will come up.
    question.text += QStringLiteral("\n\n") + qs(kIndependenceNote);
    question.buttons << QStringLiteral("キャンセル");
    const int answer = Dialogs::instance().choose(parent, question);
    if (answer == int(question.buttons.size()) - 1)
        return;
    std::vector<PredictedNumbers> chosen = prediction;
    if (answer == 1)
        chosen.insert(chosen.end(), cycleRows.begin(), cycleRows.end());

    auto tickets = predictionTickets(chosen, firstDraw, lastDraw);
    auto store = tickets ? DrawStore::open(workspace.connection()) : Result<DrawStore>(tickets.error());
    if (store)
        store->backUpBeforeWriting(backups);
    auto added = store ? addTickets(*store, *tickets) : Result<std::vector<int>>(store.error());
    if (!added) {
        Dialogs::instance().message(parent, applicationTitle(),
                                    QStringLiteral("購入数字を追加できません。\n") +
                                        qs(added.error().message),
                                    Dialogs::Icon::Warning);
        return;
    }
    Dialogs::instance().message(parent, applicationTitle(),
                                QStringLiteral("購入数字を%1件追加しました（%2）。\n"
                                               "「データ管理」の「購入数字の照合」で当選を確かめられます。")
                                    .arg(added->size())
                                    .arg(drawRange(firstDraw, lastDraw)),
                                Dialogs::Icon::Information);
}

} // namespace kazutama
