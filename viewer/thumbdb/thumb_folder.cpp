#include "thumb_folder.h"
#include "thumb_database.h"

#include <QStandardPaths>
#include <QString>

namespace kestrel::thumbdb {

std::filesystem::path DefaultThumbFolder()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return std::filesystem::path(base.toStdString()) / "Halvard" / "Kestrel3";
}

} // namespace kestrel::thumbdb

CThumbDatabase::CThumbDatabase() : CThumbDatabase(kestrel::thumbdb::DefaultThumbFolder()) {}
