#include "tickets/ui/NumbersLine.h"

#include <QLineEdit>

namespace kazutama {

QLineEdit* numbersLine(const char* example, QWidget* parent) {
    auto* line = new QLineEdit(parent);
    line->setObjectName("Text1");
    line->setPlaceholderText(QStringLiteral("例: ") + QString::fromUtf8(example));
    // Room for seven two-digit numbers and their separators, typed full-width.
    line->setMinimumWidth(line->fontMetrics().horizontalAdvance(QStringLiteral("３７、")) * 7);
    line->setClearButtonEnabled(true);
    return line;
}

} // namespace kazutama
