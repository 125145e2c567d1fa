#include "start_picture.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstring>

#include "nimbus/texture.h"

namespace kestrel::view {
namespace {

constexpr int kWidth = 360, kHeight = 150;

// A bird in flight: two swept wings and a fan tail.
QPainterPath Bird()
{
    QPainterPath p;
    p.moveTo(60, 62);
    p.cubicTo(40, 40, 20, 34, 4, 38);   // left wing tip
    p.cubicTo(24, 48, 40, 60, 52, 74);
    p.lineTo(56, 96);                   // tail
    p.lineTo(64, 100);
    p.lineTo(72, 96);
    p.lineTo(76, 74);
    p.cubicTo(88, 60, 104, 48, 124, 38); // right wing tip
    p.cubicTo(108, 34, 88, 40, 68, 62);
    p.cubicTo(66, 56, 62, 56, 60, 62);   // head
    return p;
}

} // namespace

bool MakeStartPicture(CTexture& picture)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB888);
    if (image.isNull())
        return false;
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        QLinearGradient sky(0, 0, 0, kHeight);
        sky.setColorAt(0, QColor(236, 242, 250));
        sky.setColorAt(1, QColor(255, 255, 255));
        painter.fillRect(image.rect(), sky);
        painter.translate(16, 12);
        painter.fillPath(Bird(), QColor(164, 92, 48));
        painter.resetTransform();
        QFont title = painter.font();
        title.setPixelSize(34);
        title.setBold(true);
        painter.setFont(title);
        painter.setPen(QColor(48, 64, 96));
        painter.drawText(QRect(150, 30, 200, 44), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Kestrel"));
        QFont note = painter.font();
        note.setPixelSize(13);
        note.setBold(false);
        painter.setFont(note);
        painter.setPen(QColor(96, 104, 120));
        painter.drawText(QRect(150, 78, 200, 40), Qt::AlignLeft | Qt::TextWordWrap,
                         QStringLiteral("Open a model or an image to begin."));
    }
    picture.Clear();
    picture.mWidth = kWidth;
    picture.mHeight = kHeight;
    picture.mBpp = 24;
    picture.InitPixelData();
    if (picture.mData.size() != size_t(kWidth) * kHeight * 3)
        return false;
    for (int y = 0; y < kHeight; ++y) // the texture keeps its bottom row first
        std::memcpy(picture.mData.data() + size_t(kHeight - 1 - y) * kWidth * 3, image.constScanLine(y),
                    size_t(kWidth) * 3);
    return true;
}

} // namespace kestrel::view
