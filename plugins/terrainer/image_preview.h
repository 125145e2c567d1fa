#pragma once
// The generator's preview of the height image, or "NO IMAGE" without one.

#include <QImage>
#include <QWidget>

#include "height_image.h"

class CImagePreview : public QWidget {
    Q_OBJECT
public:
    explicit CImagePreview(QWidget* parent = nullptr);

    void SetImage(const kestrel::terrain::HeightImage& image);  // empty: no image
    const QImage& Image() const { return image_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};
