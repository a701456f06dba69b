#pragma once

#include <QStyledItemDelegate>

namespace kazutama {

// The editor of the number cells: digits and the decimal point only, centred. A decimal can be typed so
// that the check on closing can point at it.
class NumberCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
};

} // namespace kazutama
