#pragma once

#include "store/ConnectionString.h"
#include "store/DrawHistory.h"

#include <QString>

class QWidget;

namespace kazutama {

// After the history changed from `before` to `after`: one message listing how every ticket did in the
// draws completed meanwhile, nothing when no ticket covers one. Returns the sentence for the status bar
// when the tickets cannot be read, else an empty string.
QString tellNewTicketResults(QWidget* parent, const ConnectionString& connection, const DrawHistory& before,
                             const DrawHistory& after);

} // namespace kazutama
