#include "frmsplash.h"
#include "ui_frmsplash.h"

#include "appvalues.h"
#include "corva.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace app {

TfrmSplash* frmSplash = nullptr;

namespace {

TfrmSplash::TextObserver& textObserver()
{
    static TfrmSplash::TextObserver observer;
    return observer;
}

// 宋体 where it is installed; the Chinese face every Debian desktop has otherwise.
QFont splashFont(int pixelSize, bool bold = false)
{
    QFont font;
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"),
                      QStringLiteral("WenQuanYi Micro Hei")});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

} // namespace

TfrmSplash::TfrmSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint),
      m_ui(std::make_unique<Ui::TfrmSplash>())
{
    m_ui->setupUi(this);
    Image1 = m_ui->Image1;
    Label1 = m_ui->Label1;

    setFixedSize(470, 294);
    Image1->setGeometry(rect());
    Image1->setPixmap(drawPicture(size()));

    Label1->setFont(splashFont(14));
    QPalette palette = Label1->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    Label1->setPalette(palette);
    Label1->setAutoFillBackground(false);
    Label1->setAttribute(Qt::WA_TranslucentBackground);
    Label1->adjustSize();
    Label1->raise();

    corva::DispFormPos(this, 0);
    if (textObserver())
        textObserver()(Label1->text());
}

TfrmSplash::~TfrmSplash() = default;

void TfrmSplash::ShowStatus(const QString& text)
{
    Label1->setText(text);
    Label1->adjustSize();
    Label1->repaint();
    if (textObserver())
        textObserver()(text);
}

void TfrmSplash::SetTextObserver(TextObserver observer)
{
    textObserver() = std::move(observer);
}

QPixmap TfrmSplash::drawPicture(const QSize& size)
{
    QPixmap pixmap(size);
    const QRectF area(QPointF(0, 0), QSizeF(size));
    const qreal w = area.width();
    const qreal h = area.height();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // A pale sky running from blue-grey at the top to near white where the status line sits.
    QLinearGradient sky(area.topLeft(), area.bottomLeft());
    sky.setColorAt(0.0, QColor(0xd6, 0xe6, 0xf5));
    sky.setColorAt(0.62, QColor(0xee, 0xf4, 0xfa));
    sky.setColorAt(1.0, QColor(0xfb, 0xfc, 0xfe));
    p.fillRect(area, sky);

    // A soft light in the upper right.
    QRadialGradient glow(QPointF(w * 0.82, h * 0.18), w * 0.45);
    glow.setColorAt(0.0, QColor(255, 255, 255, 170));
    glow.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.fillRect(area, glow);

    // Two gentle waves across the lower half.
    auto wave = [&](qreal base, qreal amplitude, const QColor& color) {
        QPainterPath path(QPointF(0, base));
        path.cubicTo(QPointF(w * 0.3, base - amplitude), QPointF(w * 0.6, base + amplitude),
                     QPointF(w, base - amplitude * 0.4));
        path.lineTo(w, h);
        path.lineTo(0, h);
        path.closeSubpath();
        p.fillPath(path, color);
    };
    wave(h * 0.70, 22, QColor(0x4a, 0x7f, 0xb5, 34));
    wave(h * 0.78, 16, QColor(0x2f, 0x62, 0x9a, 26));

    // The emblem: a rounded square with three stacked bars, the register's shelves.
    const QRectF emblem(40, 84, 64, 64);
    QLinearGradient emblemFill(emblem.topLeft(), emblem.bottomRight());
    emblemFill.setColorAt(0.0, QColor(0x3d, 0x7c, 0xc4));
    emblemFill.setColorAt(1.0, QColor(0x1f, 0x4e, 0x86));
    p.setPen(Qt::NoPen);
    p.setBrush(emblemFill);
    p.drawRoundedRect(emblem, 14, 14);
    p.setBrush(QColor(255, 255, 255, 230));
    for (int i = 0; i < 3; ++i)
        p.drawRoundedRect(QRectF(emblem.left() + 14, emblem.top() + 15 + i * 13, 36 - i * 8, 7), 3,
                          3);

    // The product's name with its edition and version.
    p.setPen(QColor(0x1c, 0x3a, 0x5e));
    p.setFont(splashFont(30, true));
    const QRectF nameBox(emblem.right() + 18, emblem.top() - 2, w - emblem.right() - 40, 42);
    p.drawText(nameBox, Qt::AlignLeft | Qt::AlignVCenter, ProductName.trimmed());
    p.setPen(QColor(0x3d, 0x5f, 0x86));
    p.setFont(splashFont(15));
    p.drawText(QRectF(nameBox.left() + 2, nameBox.bottom() + 4, nameBox.width(), 22),
               Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("企业版  ") + ProductVersion.trimmed());

    // A hairline above the status line.
    p.setPen(QPen(QColor(0x1f, 0x4e, 0x86, 70), 1));
    p.drawLine(QPointF(24, h - 40), QPointF(w - 24, h - 40));
    return pixmap;
}

void ShowSplashText(const QString& text)
{
    if (frmSplash)
        frmSplash->ShowStatus(text);
}

void CloseSplash()
{
    if (!frmSplash)
        return;
    frmSplash->close();
    delete std::exchange(frmSplash, nullptr);
}

} // namespace app
