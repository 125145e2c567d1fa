#include "splash_window.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>

#include "kestrel_version.h"
#include "toolbar_icons.h"

namespace kestrel::frame {

namespace {

QPixmap SplashPicture()
{
    QPixmap picture(420, 170);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 170);
    sky.setColorAt(0, QColor(232, 238, 246));
    sky.setColorAt(1, QColor(190, 204, 224));
    p.fillRect(picture.rect(), sky);
    ApplicationIcon().paint(&p, QRect(24, 28, 64, 64));
    QFont title = p.font();
    title.setPixelSize(40);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(40, 50, 70));
    p.drawText(QRect(104, 26, 300, 50), Qt::AlignLeft | Qt::AlignVCenter, "Kestrel");
    QFont sub = p.font();
    sub.setPixelSize(13);
    sub.setBold(false);
    p.setFont(sub);
    p.drawText(QRect(106, 76, 300, 20), Qt::AlignLeft | Qt::AlignVCenter, "3D model and image viewer");
    return picture;
}

} // namespace

CSplashWindow::CSplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), picture_(SplashPicture())
{
    setObjectName("KestrelSplashWnd");
    setWindowTitle("Kestrel initizlizing ...");
    setAttribute(Qt::WA_ShowWithoutActivating);
    setCursor(Qt::ArrowCursor);
    setFixedSize(picture_.size());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void CSplashWindow::SetStatusText(const QString& text)
{
    if (text == status_)
        return;
    status_ = text;
    Changed();
}

QString CSplashWindow::ProgramVersionText()
{
    return QString("Version %1 build %2").arg(version::kRelease).arg(version::kBuild);
}

void CSplashWindow::SetVersionText(const QString& text)
{
    if (text == version_)
        return;
    version_ = text;
    Changed();
}

void CSplashWindow::Changed()
{
    if (!isVisible())
        return;
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void CSplashWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawPixmap(0, 0, picture_);
    const QFontMetrics normal(font());
    p.setPen(QColor(48, 48, 48));
    const QRect statusRect(5, height() - 5 - 15, 200, 15);
    p.drawText(statusRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
               normal.elidedText(status_, Qt::ElideRight, statusRect.width()));
    if (!version_.isEmpty()) {
        QFont bold = font();
        bold.setBold(true);
        p.setFont(bold);
        p.setPen(QColor(72, 72, 72));
        const QRect versionRect(0, 132, width() - 11, 13);
        p.drawText(versionRect, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                   QFontMetrics(bold).elidedText(version_, Qt::ElideRight, versionRect.width()));
    }
}

} // namespace kestrel::frame
