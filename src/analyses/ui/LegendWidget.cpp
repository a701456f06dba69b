#include "analyses/ui/LegendWidget.h"

#include "grid/ui/QtColour.h"
#include "gui/QtText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

namespace kazutama {

namespace {

// The legend's picture: a dot or a filled square in the entry's colour.
class LegendMark : public QWidget {
public:
    LegendMark(const LegendEntry& entry, QWidget* parent) : QWidget(parent), m_entry(entry) {
        setFixedSize(16, 16);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QColor colour = qcolor(m_entry.colour);
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        if (m_entry.mark == LegendEntry::Mark::Dot)
            p.drawEllipse(QRectF(2.5, 2.5, 11, 11));
        else
            p.drawRect(QRectF(1.5, 1.5, 13, 13));
    }

private:
    LegendEntry m_entry;
};

} // namespace

LegendWidget::LegendWidget(std::span<const LegendEntry> entries, QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    int index = 0;
    for (const LegendEntry& entry : entries) {
        auto* mark = new LegendMark(entry, this);
        mark->setObjectName(QStringLiteral("Picture%1").arg(++index));
        auto* caption = new QLabel(qs(entry.caption), this);
        caption->setObjectName(QStringLiteral("Label%1").arg(index + 1));
        layout->addWidget(mark);
        layout->addWidget(caption);
        layout->addSpacing(10);
    }
    layout->addStretch();
}

} // namespace kazutama
