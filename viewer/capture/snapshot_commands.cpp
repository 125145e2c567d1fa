#include "snapshot_commands.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QStandardPaths>

#include "command_ids.h"
#include "kestrel_view.h"
#include "main_frame.h"
#include "misc_page.h"
#include "preference_store.h"
#include "snapshot_rules.h"
#include "status_message.h"

namespace kestrel::capture {
namespace {

constexpr int kInfoSeverity = 0, kErrorSeverity = 3;

std::filesystem::path PathOf(const QString& text)
{
    return std::filesystem::path(text.toStdString());
}

void SnapToClipboard(frame::CMainFrame& frame, view::CKestrelView& view)
{
    const QImage picture = view.grabFramebuffer().convertToFormat(QImage::Format_RGB32);
    if (picture.isNull())
        return;
    QApplication::clipboard()->setImage(picture);
    frame.Status().Set(QStringLiteral("Screenshot copied to the clipboard"), kInfoSeverity);
}

void SnapToFile(frame::CMainFrame& frame, view::CKestrelView& view)
{
    settings::CPreferenceStore& store = frame.Preferences();
    const QString stored = settings::FolderText(store.Settings().screenshotFolder);
    const ScreenshotFolder choice =
        ChooseScreenshotFolder(PathOf(stored), PathOf(QCoreApplication::applicationDirPath()),
                               PathOf(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation)));
    if (choice.folder.empty()) {
        frame.Status().Set(QStringLiteral("JPEG saving failed!"), kErrorSeverity);
        return;
    }
    if (choice.storeBack) {
        settings::StoreFolderText(QString::fromStdString(choice.folder.string()), store.Settings().screenshotFolder);
        store.SaveAll();
    }
    const QImage picture = view.grabFramebuffer().convertToFormat(QImage::Format_RGB32);
    std::vector<uint32_t> pixels(size_t(std::max(0, picture.width())) * size_t(std::max(0, picture.height())));
    for (int y = 0; y < picture.height(); ++y) {
        const auto* line = reinterpret_cast<const uint32_t*>(picture.constScanLine(y));
        std::copy(line, line + picture.width(), pixels.begin() + ptrdiff_t(y) * picture.width());
    }
    const std::filesystem::path target = NextScreenshotName(choice.folder);
    if (!SaveScreenshot(pixels, picture.width(), picture.height(), target)) {
        frame.Status().Set(QStringLiteral("JPEG saving failed!"), kErrorSeverity);
        return;
    }
    frame.Status().Set(QStringLiteral("Screenshot saved to %1").arg(QString::fromStdString(target.string())),
                       kInfoSeverity);
}

} // namespace

void RegisterSnapshotCommands(commands::CCommandRegistry& registry, commands::CCommandRegistry::Owner owner,
                              frame::CMainFrame& frame, view::CKestrelView& view)
{
    using commands::CommandHandler;
    registry.Register(cmd::kSnapClipboard, owner, CommandHandler{[&frame, &view] { SnapToClipboard(frame, view); }, {}, {}});
    registry.Register(cmd::kSnapFile, owner, CommandHandler{[&frame, &view] { SnapToFile(frame, view); }, {}, {}});
}

} // namespace kestrel::capture
