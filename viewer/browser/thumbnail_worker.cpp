#include "thumbnail_worker.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "thumbnail_geometry.h"

namespace kestrel::browser {

CThumbnailWorker::CThumbnailWorker(QString program, QString plugIns, QObject* parent)
    : QObject(parent), program_(std::move(program)), plugIns_(std::move(plugIns))
{
    timeout_.setSingleShot(true);
    connect(&timeout_, &QTimer::timeout, this, [this] {
        if (process_)
            process_->kill();
    });
}

CThumbnailWorker::~CThumbnailWorker()
{
    Cancel();
}

bool CThumbnailWorker::Available() const
{
    return QFileInfo(program_).isExecutable();
}

void CThumbnailWorker::Start(const QStringList& paths)
{
    Cancel();
    if (!Available() || paths.isEmpty())
        return;
    if (!scratch_ || !scratch_->isValid())
        scratch_ = std::make_unique<QTemporaryDir>();
    queue_ = paths;
    total_ = paths.size();
    done_ = 0;
    Next();
}

void CThumbnailWorker::Cancel()
{
    queue_.clear();
    timeout_.stop();
    if (process_) {
        QProcess* process = process_;
        process_ = nullptr;
        process->disconnect(this);
        process->kill();
        process->waitForFinished(1000);
        process->deleteLater();
    }
}

void CThumbnailWorker::Next()
{
    if (queue_.isEmpty()) {
        emit progress(done_, int(total_));
        return;
    }
    current_ = queue_.takeFirst();
    process_ = new QProcess(this);
    process_->setStandardOutputFile(QProcess::nullDevice());
    process_->setStandardErrorFile(QProcess::nullDevice());
    connect(process_, &QProcess::finished, this,
            [this](int code, QProcess::ExitStatus status) { Finished(status == QProcess::NormalExit && code == 0); });
    connect(process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            Finished(false);
    });
    const QString output = scratch_->filePath(QStringLiteral("thumbnail.png"));
    QFile::remove(output);
    QStringList arguments{QStringLiteral("thumbnail"), current_, QStringLiteral("-o"), output,
                          QStringLiteral("--size"),
                          QStringLiteral("%1x%2").arg(thumbnail::kWidth).arg(thumbnail::kHeight)};
    if (!plugIns_.isEmpty())
        arguments << QStringLiteral("--plugins") << plugIns_;
    timeout_.start(kFileTimeoutMs);
    process_->start(program_, arguments);
}

void CThumbnailWorker::Finished(bool ok)
{
    if (!process_)
        return;
    timeout_.stop();
    process_->deleteLater();
    process_ = nullptr;
    ++done_;
    if (ok) {
        const QImage picture(scratch_->filePath(QStringLiteral("thumbnail.png")));
        if (picture.width() == thumbnail::kWidth && picture.height() == thumbnail::kHeight)
            emit thumbnailReady(current_, picture);
    }
    emit progress(done_, int(total_));
    if (!queue_.isEmpty())
        Next();
}

} // namespace kestrel::browser
