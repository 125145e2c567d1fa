#pragma once
#include <QSettings>
#include <QString>

namespace kestrel::test {

// Where tests leave pictures for people to look at.
QString& OutputFolder();

// Forgets every setting of the program (company "Halvard", profile "Kestrel").
inline void ClearSettings()
{
    QSettings store("Halvard", "Kestrel");
    store.clear();
    store.sync();
}

} // namespace kestrel::test
