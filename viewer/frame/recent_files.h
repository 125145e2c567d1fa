#pragma once
#include <QObject>
#include <QStringList>

class QAction;
class QMenu;

namespace kestrel::frame {

// The most recently used files (10), kept in the settings section "Recent File List" and
// shown in the File menu before `anchor`.
class CRecentFiles : public QObject {
    Q_OBJECT
public:
    static constexpr int kSize = 10;

    CRecentFiles(QMenu& menu, QAction* anchor, QObject* parent = nullptr);
    // Puts a file first (once); the oldest drops off.
    void Add(const QString& path);
    void Remove(const QString& path);
    const QStringList& Files() const { return files_; }

signals:
    void Chosen(const QString& path);

private:
    void Load();
    void Save() const;
    void Rebuild();

    QMenu& menu_;
    QAction* anchor_;
    QStringList files_;
    QList<QAction*> items_;
};

} // namespace kestrel::frame
