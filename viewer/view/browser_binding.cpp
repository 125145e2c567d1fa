// The folder tree and the file list inside the main frame: the tree hands the list its
// folder, the list opens files in the document and keeps their thumbnails.
#include <QCoreApplication>
#include <QDir>

#include "browser_commands.h"
#include "command_ids.h"
#include "file_list_pane.h"
#include "file_type_icons.h"
#include "folder_tree.h"
#include "frame_binding.h"
#include "kestrel_doc.h"
#include "kestrel_view.h"
#include "main_frame.h"
#include "plugin_manager.h"
#include "preference_store.h"
#include "start_folder.h"
#include "status_message.h"

namespace kestrel::view {
namespace {
constexpr char kCommandLineProgram[] = "kestrel-cli";
constexpr int kErrorSeverity = 3;
}

void CFrameBinding::InstallBrowser()
{
    InstallFileList();
    InstallFolderTree();
    // Refresh File brings the panels to the file's folder before the file opens again.
    connect(doc_.get(), &CKestrelDoc::showFolderRequested, this, [this](const QString& folder) {
        if (!folderTree_ || !fileList_)
            return;
        if (QDir::cleanPath(folderTree_->CurrentFolder()) == QDir::cleanPath(folder))
            fileList_->Refresh();
        else
            folderTree_->SelectFolder(folder);
    });
}

void CFrameBinding::InstallFileList()
{
    prefs::StateBlock& state = frame_.Preferences().State();
    auto* pane = new browser::CFileListPane(browser::ListedTypesOf(frame_.PlugIns()));
    fileList_ = pane;
    frame_.SetFileListPage(pane);
    browser::CFileListPane::Hooks hooks;
    hooks.open = [this](const QString& path) { return doc_->Open(path); };
    hooks.thumbnail = [this] { return view_->DocumentThumbnail(); };
    hooks.status = [this](const QString& text, int severity) { frame_.Status().Set(text, severity); };
    hooks.toggleFullScreen = [this] { frame_.SetFullScreen(!frame_.IsFullScreen()); };
    pane->SetHooks(std::move(hooks));
    const QString program = QDir(QCoreApplication::applicationDirPath()).filePath(kCommandLineProgram);
    pane->SetThumbnailMaker(program, QString::fromStdString(frame_.PlugIns().Folder()));
    pane->SetToolbarActions({frame_.Action(cmd::kUpOneLevel), frame_.Action(cmd::kRefreshFolder), nullptr,
                             frame_.Action(cmd::kLargeIcons), frame_.Action(cmd::kSmallIcons),
                             frame_.Action(cmd::kList), frame_.Action(cmd::kDetails),
                             frame_.Action(cmd::kThumbnails), nullptr, frame_.Action(cmd::kEditCopy),
                             frame_.Action(cmd::kEditPaste), frame_.Action(cmd::kDelete)});
    pane->SetColumnWidths({int(state.columnName), int(state.columnSize), int(state.columnType)});
    pane->SetViewMode(browser::IsViewMode(state.fileListStyle) ? state.fileListStyle : browser::kLargeIconsMode);
    browser::RegisterFileListCommands(frame_.Commands(), this, *pane,
                                      [&state](int mode) { state.fileListStyle = uint8_t(mode); });
    connect(pane, &browser::CFileListPane::selectionChanged, &frame_, &frame::CMainFrame::RefreshCommands);
    connect(pane, &browser::CFileListPane::folderFilled, &frame_, &frame::CMainFrame::RefreshCommands);
    connect(&frame_, &frame::CMainFrame::SavingState, this, [this, &state] {
        if (!fileList_)
            return;
        const std::array<int, 3> widths = fileList_->ColumnWidths();
        state.columnName = uint32_t(widths[0]);
        state.columnSize = uint32_t(widths[1]);
        state.columnType = uint32_t(widths[2]);
    });
}

void CFrameBinding::InstallFolderTree()
{
    prefs::StateBlock& state = frame_.Preferences().State();
    auto* tree = new browser::CFolderTree();
    frame_.SetBrowsePage(tree);
    folderTree_ = tree;
    // The state keeps the folder as a terminated UTF-16 text of a fixed size.
    constexpr size_t kFolderUnits = sizeof(state.currentFolder) / sizeof(char16_t);
    const QString last = QString::fromUtf16(state.currentFolder,
                                            qsizetype(std::char_traits<char16_t>::length(state.currentFolder)));
    connect(tree, &browser::CFolderTree::folderSelected, this, [this, &state, kFolderUnits](const QString& path) {
        const std::u16string text = path.toStdU16String();
        if (text.size() < kFolderUnits) {
            std::copy(text.begin(), text.end(), state.currentFolder);
            state.currentFolder[text.size()] = 0;
        }
        if (fileList_)
            fileList_->SetFolder(path);
        frame_.RefreshCommands();
    });
    connect(tree, &browser::CFolderTree::failed, this,
            [this](const QString& message) { frame_.Status().Set(message, kErrorSeverity); });
    const std::string start = browser::StartFolder(last.toStdString(), QCoreApplication::applicationDirPath().toStdString());
    if (!start.empty())
        tree->SelectFolder(QString::fromStdString(start));
    frame_.Commands().Register(cmd::kUpOneLevel, this,
                               commands::CommandHandler{[this] { folderTree_->SelectParent(); },
                                                        [this] {
                                                            return folderTree_ &&
                                                                   !browser::ParentFolder(
                                                                        folderTree_->CurrentFolder().toStdString())
                                                                        .empty();
                                                        },
                                                        {}});
}

} // namespace kestrel::view
