#include "analyses/ui/DescriptionLayout.h"

namespace kazutama {

namespace {

constexpr int kGap = 16;    // between the label and a legend beside it
constexpr int kLineGap = 4; // between the label and a legend under it

} // namespace

DescriptionLayout::~DescriptionLayout() {
    while (QLayoutItem* item = takeAt(0))
        delete item;
}

void DescriptionLayout::addItem(QLayoutItem* item) {
    m_items.append(item);
}

QLayoutItem* DescriptionLayout::takeAt(int index) {
    return index >= 0 && index < m_items.size() ? m_items.takeAt(index) : nullptr;
}

bool DescriptionLayout::sideBySide(int width) const {
    return legend() && label()->sizeHint().width() + kGap + legend()->sizeHint().width() <= width;
}

int DescriptionLayout::legendWidth(int width) const {
    return std::min(legend()->sizeHint().width(), width);
}

QSize DescriptionLayout::sizeHint() const {
    if (!label())
        return {};
    const QSize text = label()->sizeHint();
    if (!legend())
        return text;
    const QSize marks = legend()->sizeHint();
    return {text.width() + kGap + marks.width(), std::max(text.height(), marks.height())};
}

QSize DescriptionLayout::minimumSize() const {
    if (!label())
        return {};
    const QSize text = label()->minimumSize();
    if (!legend())
        return text;
    // The legend's captions do not wrap: the window scrolls before they are cut.
    const QSize marks = legend()->sizeHint();
    return {std::max(text.width(), marks.width()), text.height() + kLineGap + marks.height()};
}

int DescriptionLayout::heightForWidth(int width) const {
    if (!label())
        return 0;
    if (!legend())
        return label()->heightForWidth(width);
    const int marks = legend()->sizeHint().height();
    if (sideBySide(width))
        return std::max(label()->heightForWidth(width - kGap - legendWidth(width)), marks);
    return label()->heightForWidth(width) + kLineGap + marks;
}

void DescriptionLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    if (!label())
        return;
    if (!legend()) {
        label()->setGeometry(rect);
        return;
    }
    const int marksWidth = legendWidth(rect.width());
    if (sideBySide(rect.width())) {
        const int textWidth = label()->sizeHint().width();
        label()->setGeometry(QRect(rect.left(), rect.top(), textWidth, rect.height()));
        legend()->setGeometry(QRect(rect.left() + textWidth + kGap, rect.top(), marksWidth, rect.height()));
        return;
    }
    const int textHeight = label()->heightForWidth(rect.width());
    label()->setGeometry(QRect(rect.left(), rect.top(), rect.width(), textHeight));
    legend()->setGeometry(
        QRect(rect.left(), rect.top() + textHeight + kLineGap, marksWidth, legend()->sizeHint().height()));
}

} // namespace kazutama
