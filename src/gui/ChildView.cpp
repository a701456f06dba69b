#include "gui/ChildView.h"

#include "gui/BusyCursor.h"
#include "gui/ViewGuard.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace kazutama {

namespace {

// A window is made no smaller than this to fit the main window: smaller, it would show nothing useful.
const QSize kSmallestFittedSize(240, 180);

} // namespace

ChildView::ChildView(ViewGuard& guard, QWidget* parent) : QWidget(parent), m_guard(guard) {}

void ChildView::load(QMdiSubWindow* window) {
    m_window = window;
    scrollWhenTooSmall();
    {
        BusyCursor busy(messagePump() == MessagePump::BeforeBuild ? BusyCursor::Pump::Once
                                                                  : BusyCursor::Pump::No);
        m_guard.set(false);
        m_loaded = true;
        const ViewGeometry g = geometryInTwips();
        QRect place(twipsToPixels(g.left), twipsToPixels(g.top), twipsToPixels(g.width),
                    twipsToPixels(g.height));
        // On a dense screen (a scale of 1.5 or 2) the given size may not fit the main window: the window then
        // takes what there is from its place, and its content scrolls, buttons and all.
        if (const QMdiArea* area = window->mdiArea(); area && area->isVisible()) {
            const QSize room = area->viewport()->size() - QSize(place.left(), place.top());
            place.setSize(place.size().boundedTo(room.expandedTo(kSmallestFittedSize)));
        }
        window->setGeometry(place);
        build();
        if (messagePump() == MessagePump::AfterBuild)
            QApplication::processEvents();
    }
}

void ChildView::scrollWhenTooSmall() {
    // The view laid its controls out on itself. They move, layout and all, onto a page inside a scroll area
    // that fills the view: a window tiled smaller than its content then scrolls instead of squeezing its
    // controls on top of each other. The page never gets smaller than the layout's minimum.
    QLayout* content = layout();
    if (!content || m_page)
        return;
    m_page = new QWidget;
    m_page->setObjectName("page");
    m_page->setLayout(content);
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName("pageScrollArea");
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setWidgetResizable(true);
    scroll->setWidget(m_page);
    auto* frame = new QVBoxLayout(this);
    frame->setContentsMargins(0, 0, 0, 0);
    frame->addWidget(scroll);
    // One set of scroll bars: the page's where the page scrolls, the grid's own elsewhere.
    connect(scroll->horizontalScrollBar(), &QScrollBar::rangeChanged, this,
            [this](int, int maximum) { leaveScrollingToThePage(Qt::Horizontal, maximum > 0); });
    connect(scroll->verticalScrollBar(), &QScrollBar::rangeChanged, this,
            [this](int, int maximum) { leaveScrollingToThePage(Qt::Vertical, maximum > 0); });
}

void ChildView::leaveScrollingToThePage(Qt::Orientation orientation, bool pageScrolls) {
    const char* own = orientation == Qt::Horizontal ? "ownHorizontalPolicy" : "ownVerticalPolicy";
    for (QAbstractScrollArea* area : m_page->findChildren<QAbstractScrollArea*>()) {
        const Qt::ScrollBarPolicy current = orientation == Qt::Horizontal ? area->horizontalScrollBarPolicy()
                                                                          : area->verticalScrollBarPolicy();
        if (!area->property(own).isValid())
            area->setProperty(own, int(current));
        const auto policy =
            pageScrolls ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarPolicy(area->property(own).toInt());
        if (policy == current)
            continue;
        if (orientation == Qt::Horizontal)
            area->setHorizontalScrollBarPolicy(policy);
        else
            area->setVerticalScrollBarPolicy(policy);
    }
}

void ChildView::closeView() {
    if (m_window)
        m_window->close();
    else
        close();
}

void ChildView::closeEvent(QCloseEvent* event) {
    // The sub-window forwards its close here first; the unload runs once however the view is closed.
    if (m_loaded) {
        m_loaded = false;
        m_guard.set(true);
    }
    event->accept();
}

QHBoxLayout* ChildView::printAndCloseRow() {
    auto* print = new QPushButton(QStringLiteral("印刷"), this);
    print->setObjectName("Command2");
    connect(print, &QPushButton::clicked, this, &ChildView::print);
    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName("Command1");
    connect(close, &QPushButton::clicked, this, &ChildView::closeView);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(print);
    buttons->addWidget(close);
    return buttons;
}

} // namespace kazutama
