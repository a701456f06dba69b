#include "entry/NumberCellDelegate.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace kazutama {

QWidget* NumberCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                          const QModelIndex& index) const {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        line->setObjectName("numberEditor");
        // The rows are as low as the analyses' rows: a frame would leave no room for the digits.
        line->setFrame(false);
        line->setTextMargins(0, 0, 0, 0);
        line->setAlignment(Qt::AlignCenter);
        line->setMaxLength(6);
        line->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.]*")), line));
    }
    return editor;
}

} // namespace kazutama
