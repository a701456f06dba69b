#include "app/AboutBox.h"

#include <QAction>
#include <QFont>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadialGradient>
#include <QVBoxLayout>

namespace kazutama {

namespace {

constexpr int kPictureSize = 336;

// Balls of the three colours the analyses use for main and bonus numbers, scattered over a night-blue sky.
void drawBall(QPainter& p, QPointF centre, qreal radius, QColor colour, int number) {
    QRadialGradient shade(centre - QPointF(radius / 3, radius / 3), radius * 1.3);
    shade.setColorAt(0, colour.lighter(170));
    shade.setColorAt(0.6, colour);
    shade.setColorAt(1, colour.darker(160));
    p.setPen(Qt::NoPen);
    p.setBrush(shade);
    p.drawEllipse(centre, radius, radius);
    p.setBrush(QColor(255, 255, 255, 235));
    p.drawEllipse(centre, radius * 0.55, radius * 0.55);
    QFont font("DejaVu Sans");
    font.setBold(true);
    font.setPixelSize(int(radius * 0.62));
    p.setFont(font);
    p.setPen(colour.darker(180));
    p.drawText(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius), Qt::AlignCenter,
               QString::number(number));
}

} // namespace

QPixmap AboutBox::backgroundPicture() {
    QPixmap picture(kPictureSize, kPictureSize);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, kPictureSize);
    sky.setColorAt(0, QColor(10, 24, 72));
    sky.setColorAt(0.55, QColor(32, 70, 150));
    sky.setColorAt(1, QColor(120, 170, 230));
    p.fillRect(picture.rect(), sky);

    // A faint grid of 37 cells: the numbers the draws are made of.
    p.setPen(QPen(QColor(255, 255, 255, 28), 1));
    for (int i = 1; i < 7; ++i) {
        p.drawLine(i * kPictureSize / 7, 0, i * kPictureSize / 7, kPictureSize);
        p.drawLine(0, i * kPictureSize / 7, kPictureSize, i * kPictureSize / 7);
    }
    const QColor colours[] = {QColor(62, 158, 255), QColor(255, 128, 192), QColor(0, 255, 170)};
    struct Ball {
        qreal x, y, r;
        int colour, number;
    };
    const Ball balls[] = {{48, 238, 26, 0, 7},   {104, 276, 22, 0, 13}, {160, 244, 28, 0, 21},
                          {222, 282, 21, 0, 30}, {278, 240, 25, 0, 37}, {300, 296, 16, 1, 9},
                          {30, 300, 15, 2, 24}};
    for (const Ball& b : balls)
        drawBall(p, {b.x, b.y}, b.r, colours[b.colour], b.number);

    // Light streaks.
    for (int i = 0; i < 24; ++i) {
        const int x = (i * 97) % kPictureSize, y = (i * 53) % 180;
        p.setPen(QPen(QColor(255, 255, 220, 60 + (i * 37) % 120), 1 + i % 2));
        p.drawPoint(x, y);
    }
    return picture;
}

AboutBox::AboutBox(QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window | Qt::WindowCloseButtonHint | Qt::WindowTitleHint) {
    setObjectName("バージョン情報");
    setWindowTitle(QStringLiteral("バージョン情報"));
    m_background = backgroundPicture();
    setFixedSize(kPictureSize, kPictureSize);
    // Esc closes it, as it closes a dialog.
    auto* escape = new QAction(this);
    escape->setObjectName("actCloseAbout");
    escape->setShortcut(Qt::Key_Escape);
    connect(escape, &QAction::triggered, this, &QWidget::close);
    addAction(escape);

    auto* name = new QLabel(QStringLiteral("Kazutama"), this);
    name->setObjectName("lblProductName");
    QFont decorative(QStringLiteral("Z003"));
    decorative.setStyleHint(QFont::Decorative);
    decorative.setItalic(true);
    decorative.setPixelSize(64);
    name->setFont(decorative);
    name->setStyleSheet("color: #ffe680; background: transparent;");
    name->setAlignment(Qt::AlignCenter);

    auto* version = new QLabel(QStringLiteral(" Ver" KAZUTAMA_VERSION), this);
    version->setObjectName("lblVersion");
    QFont small(QStringLiteral("DejaVu Serif"));
    small.setPixelSize(18);
    small.setItalic(true);
    version->setFont(small);
    version->setStyleSheet("color: white; background: transparent;");
    version->setAlignment(Qt::AlignCenter);

    auto* slogan = new QLabel(QStringLiteral("数字の流れを読んで、次の一発を。"), this);
    slogan->setObjectName("lblSlogan");
    QFont sloganFont(QStringLiteral("Noto Sans CJK JP"));
    sloganFont.setPixelSize(15);
    slogan->setFont(sloganFont);
    slogan->setStyleSheet("color: white; background: transparent;");
    slogan->setAlignment(Qt::AlignCenter);

    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName("Command1");
    close->setFixedWidth(88);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 24, 16, 14);
    layout->addWidget(name);
    layout->addWidget(version);
    layout->addSpacing(8);
    layout->addWidget(slogan);
    layout->addStretch();
    m_files = new QLabel(this);
    m_files->setObjectName("lblFiles");
    QFont filesFont(QStringLiteral("Noto Sans CJK JP"));
    filesFont.setPixelSize(10);
    m_files->setFont(filesFont);
    m_files->setStyleSheet("color: white; background: rgba(10, 24, 72, 150); padding: 2px;");
    m_files->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_files->hide();
    layout->addWidget(m_files);
    layout->addWidget(close, 0, Qt::AlignRight | Qt::AlignBottom);
}

void AboutBox::showFilesInUse(const QString& database, const QString& settings) {
    const QFontMetrics metrics(m_files->font());
    const int width = kPictureSize - 40;
    const auto line = [&](const QString& caption, const QString& path) {
        return caption +
               metrics.elidedText(path, Qt::ElideMiddle, width - metrics.horizontalAdvance(caption));
    };
    m_files->setText(line(QStringLiteral("データ: "), database) + '\n' +
                     line(QStringLiteral("設定: "), settings));
    m_files->setToolTip(database + '\n' + settings);
    m_files->show();
}

void AboutBox::placeRelativeTo(const QRect& mainFrame) {
    move((mainFrame.width() - mainFrame.left()) / 3, (mainFrame.height() - mainFrame.top()) / 3);
}

void AboutBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(0, 0, m_background);
}

} // namespace kazutama
