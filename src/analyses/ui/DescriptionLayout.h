#pragma once

#include <QLayout>
#include <QList>

namespace kazutama {

// Label1 and the colour legend: side by side where the window is wide enough for both, else the legend
// under the label, which then wraps within the whole width. Squeezed into one row, the label of a tiled
// window would shrink to a column of single characters.
class DescriptionLayout : public QLayout {
    Q_OBJECT
public:
    DescriptionLayout() = default;
    ~DescriptionLayout() override;

    // The label first, then the legend, if the view has one.
    void addItem(QLayoutItem* item) override;
    int count() const override { return int(m_items.size()); }
    QLayoutItem* itemAt(int index) const override { return m_items.value(index); }
    QLayoutItem* takeAt(int index) override;

    QSize sizeHint() const override;
    QSize minimumSize() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    void setGeometry(const QRect& rect) override;

private:
    QLayoutItem* label() const { return m_items.value(0); }
    QLayoutItem* legend() const { return m_items.value(1); }
    bool sideBySide(int width) const;
    int legendWidth(int width) const;

    QList<QLayoutItem*> m_items;
};

} // namespace kazutama
