#include "file_type_icons.h"

#include <QPainter>
#include <cstring>

#include "drawn_icons.h"
#include "plugin_manager.h"
#include "thumbnail.h"

namespace kestrel::browser {
namespace {

constexpr int kSmallSide = 16, kLargeSide = 32;
constexpr QPoint kIconCorner(4, 4);
const QColor kNativeFill(70, 130, 200);

// Our own file picture: a page, with a cube on it for the native model type.
QPixmap DrawnFileIcon(int side, bool native)
{
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / 16.0, side / 16.0);
    frame::draw::Page(p, QRectF(2.5, 0.5, 11, 15));
    if (native) {
        p.translate(2.5, 3.5);
        p.scale(0.7, 0.7);
        frame::draw::Cube(p, kNativeFill, false, false);
    }
    return pixmap;
}

QPixmap IconOf(const host::FileTypeIcon& icon, int side)
{
    QPixmap pixmap;
    if (!icon.png.empty() && pixmap.loadFromData(icon.png.data(), uint(icon.png.size()), "PNG")) {
        if (pixmap.width() != side || pixmap.height() != side)
            pixmap = pixmap.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        return pixmap;
    }
    return DrawnFileIcon(side, icon.hostIcon == host::kNativeFileIcon);
}

} // namespace

QImage PictureToImage(const thumbnail::Picture& picture)
{
    if (picture.IsNull())
        return {};
    QImage image(picture.width, picture.height, QImage::Format_RGB32);
    for (int y = 0; y < picture.height; ++y)
        std::memcpy(image.scanLine(y), &picture.pixels[size_t(y) * size_t(picture.width)],
                    size_t(picture.width) * sizeof(uint32_t));
    return image;
}

thumbnail::Picture ImageToPicture(const QImage& image)
{
    if (image.isNull())
        return {};
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    thumbnail::Picture picture = thumbnail::FilledPicture(rgb.width(), rgb.height(), 0);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const uint32_t*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            picture.At(x, y) = line[x] | 0xff000000u;
    }
    return picture;
}

QPixmap DefaultThumbnail(const QPixmap& largeIcon)
{
    QPixmap canvas = QPixmap::fromImage(PictureToImage(thumbnail::EmptyThumbnail()));
    QPainter p(&canvas);
    p.drawPixmap(kIconCorner, largeIcon);
    return canvas;
}

ListedFileType MakeListedType(const std::string& extension, const std::string& description, bool native)
{
    ListedFileType listed;
    listed.type = ListedType{extension, description};
    listed.smallIcon = DrawnFileIcon(kSmallSide, native);
    listed.largeIcon = DrawnFileIcon(kLargeSide, native);
    listed.defaultThumbnail = DefaultThumbnail(listed.largeIcon);
    return listed;
}

std::vector<ListedFileType> ListedTypesOf(const host::CPlugInManager& plugIns)
{
    std::vector<ListedFileType> types;
    for (const host::FileTypeEntry& entry : plugIns.FileTypes()) {
        ListedFileType listed;
        listed.type = ListedType{entry.extension, entry.description};
        listed.smallIcon = IconOf(entry.small, kSmallSide);
        listed.largeIcon = IconOf(entry.large, kLargeSide);
        listed.defaultThumbnail = DefaultThumbnail(listed.largeIcon);
        types.push_back(std::move(listed));
    }
    return types;
}

} // namespace kestrel::browser
