#include "gui/WrappingLabel.h"

namespace kazutama {

WrappingLabel::WrappingLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
}

QSize WrappingLabel::sizeHint() const {
    ensurePolished();
    const QMargins margins = contentsMargins();
    const int oneLine = fontMetrics().boundingRect(QRect(0, 0, 100000, 1000), Qt::AlignLeft, text()).width();
    const int width = oneLine + margins.left() + margins.right() + 2 * margin();
    return QSize(width, heightForWidth(width));
}

} // namespace kazutama
