#include "app/TicketNotice.h"

#include "gui/Dialogs.h"
#include "gui/QtText.h"
#include "store/DrawStore.h"
#include "store/TicketStore.h"
#include "tickets/TicketRules.h"

#include <QStringList>

namespace kazutama {

namespace {

// More lines than this would not fit a message box on the screen.
constexpr int kMostLines = 20;

} // namespace

QString tellNewTicketResults(QWidget* parent, const ConnectionString& connection, const DrawHistory& before,
                             const DrawHistory& after) {
    auto store = DrawStore::open(connection, Access::ReadOnly);
    auto tickets = store ? loadTickets(*store) : Result<std::vector<Ticket>>(store.error());
    if (!tickets)
        return QStringLiteral("購入数字を読めないため、当選を確かめられませんでした: ") +
               qs(tickets.error().message).section(QLatin1Char('\n'), 0, 0);
    const std::vector<std::string> results = newlyDrawnResults(*tickets, before, after);
    if (results.empty())
        return {};
    QStringList lines;
    for (std::size_t i = 0; i < results.size() && i < std::size_t(kMostLines); ++i)
        lines << qs(results[i]);
    if (results.size() > std::size_t(kMostLines))
        lines << QStringLiteral("ほか %1 件").arg(results.size() - std::size_t(kMostLines));
    Dialogs::instance().message(parent, applicationTitle(),
                                QStringLiteral("購入数字の抽選結果です。\n\n") +
                                    lines.join(QLatin1Char('\n')),
                                Dialogs::Icon::Information);
    return {};
}

} // namespace kazutama
