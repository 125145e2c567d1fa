#pragma once
#include <QImage>
#include <QPixmap>
#include <vector>

#include "file_list_rules.h"
#include "picture.h"

namespace kestrel::host {
class CPlugInManager;
}

namespace kestrel::browser {

// A registered file type as the list shows it: which files, their type text, and the
// pictures of its files that have no thumbnail of their own.
struct ListedFileType {
    ListedType type;
    QPixmap smallIcon;        // 16 x 16
    QPixmap largeIcon;        // 32 x 32
    QPixmap defaultThumbnail; // 96 x 84: the large icon at (4, 4) on the empty picture
};

// The types in registration order, with the icons the plug-ins carry or our own.
std::vector<ListedFileType> ListedTypesOf(const host::CPlugInManager& plugIns);
// A type with drawn icons, for types no plug-in gave a picture of.
ListedFileType MakeListedType(const std::string& extension, const std::string& description, bool native = false);

QPixmap DefaultThumbnail(const QPixmap& largeIcon);

// A thumbnail picture for the screen, and back (RGB32, top row first, both ways).
QImage PictureToImage(const thumbnail::Picture& picture);
thumbnail::Picture ImageToPicture(const QImage& image);

} // namespace kestrel::browser
