#pragma once
#include <QImage>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <memory>

class QProcess;
class QTemporaryDir;

namespace kestrel::browser {

// Makes the thumbnails of a folder's files in the background, one file at a time, each in
// a process of the command line's own: a damaged file can neither crash nor freeze the
// window, and the window's OpenGL context is never shared with it.
class CThumbnailWorker : public QObject {
    Q_OBJECT
public:
    // A file that takes longer than this is given up.
    static constexpr int kFileTimeoutMs = 30000;

    // `program` is kestrel-cli; `plugIns` the folder its importers come from.
    CThumbnailWorker(QString program, QString plugIns, QObject* parent = nullptr);
    ~CThumbnailWorker() override;

    // Whether the command line is there to make thumbnails with.
    bool Available() const;
    // Makes these, after cancelling what was under way.
    void Start(const QStringList& paths);
    void Cancel();
    bool IsBusy() const { return process_ != nullptr; }
    int Done() const { return done_; }
    int Total() const { return int(total_); }

signals:
    void thumbnailReady(const QString& path, const QImage& picture);
    // After each file: how many of how many are done; done == total at the end.
    void progress(int done, int total);

private:
    void Next();
    void Finished(bool ok);

    QString program_, plugIns_;
    QStringList queue_;
    QString current_;
    qsizetype total_ = 0;
    int done_ = 0;
    QProcess* process_ = nullptr;
    QTimer timeout_;
    std::unique_ptr<QTemporaryDir> scratch_;
};

} // namespace kestrel::browser
