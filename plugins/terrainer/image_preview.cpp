#include "image_preview.h"

#include <QFont>
#include <QPainter>

CImagePreview::CImagePreview(QWidget* parent) : QWidget(parent) { setMinimumSize(160, 160); }

void CImagePreview::SetImage(const kestrel::terrain::HeightImage& image)
{
    if (image.Empty()) {
        image_ = QImage();
    } else {
        const QImage::Format format = image.bpp == 32 ? QImage::Format_RGBA8888 : QImage::Format_RGB888;
        const int stride = int(image.width) * (image.bpp / 8);
        // Rows are stored bottom first.
        image_ = QImage(image.pixels.data(), int(image.width), int(image.height), stride, format).mirrored(false, true);
    }
    update();
}

void CImagePreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (image_.isNull()) {
        QFont font("Arial");
        font.setPixelSize(20);
        painter.setFont(font);
        painter.drawText(rect(), Qt::AlignCenter, "NO IMAGE");
        return;
    }
    const QImage scaled = image_.scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    painter.drawImage((width() - scaled.width()) / 2, (height() - scaled.height()) / 2, scaled);
}
