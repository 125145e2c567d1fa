#include "browser_commands.h"

#include <QMessageBox>

#include "command_ids.h"
#include "file_list_pane.h"

namespace kestrel::browser {

void RegisterFileListCommands(commands::CCommandRegistry& registry, commands::CCommandRegistry::Owner owner,
                              CFileListPane& pane, std::function<void(int mode)> modeChosen)
{
    using commands::CommandHandler;
    const int modeCommands[] = {cmd::kLargeIcons, cmd::kSmallIcons, cmd::kList, cmd::kDetails, cmd::kThumbnails};
    const int modes[] = {kLargeIconsMode, kSmallIconsMode, kListMode, kDetailsMode, kThumbnailsMode};
    for (size_t i = 0; i < std::size(modes); ++i) {
        const int mode = modes[i];
        registry.Register(modeCommands[i], owner,
                          CommandHandler{[&pane, mode, modeChosen] {
                                             pane.SetViewMode(mode);
                                             if (modeChosen)
                                                 modeChosen(mode);
                                         },
                                         {},
                                         [&pane, mode] { return pane.ViewMode() == mode; }});
    }
    const auto selected = [&pane] { return pane.HasSelection(); };
    const auto listed = [&pane] { return pane.Count() > 0; };
    registry.Register(cmd::kRefreshFolder, owner, CommandHandler{[&pane] { pane.Refresh(); }, {}, {}});
    // Kept as it always was: no dialog opens it; thumbnail mode makes them by itself.
    registry.Register(cmd::kGenerateThumbnails, owner,
                      CommandHandler{[&pane] { QMessageBox::information(&pane, QString(), QStringLiteral("TODO!")); },
                                     [] { return false; },
                                     {}});
    registry.Register(cmd::kEditCut, owner, CommandHandler{[] {}, [] { return false; }, {}});
    registry.Register(cmd::kEditCopy, owner, CommandHandler{[&pane] { pane.CopySelected(); }, selected, {}});
    registry.Register(cmd::kEditPaste, owner,
                      CommandHandler{[&pane] { pane.Paste(); }, [&pane] { return pane.CanPaste(); }, {}});
    registry.Register(cmd::kRename, owner, CommandHandler{[&pane] { pane.StartRename(); }, selected, {}});
    registry.Register(cmd::kDelete, owner, CommandHandler{[&pane] { pane.DeleteSelected(); }, selected, {}});
    registry.Register(cmd::kNextFile, owner, CommandHandler{[&pane] { pane.NextFile(); }, listed, {}});
    registry.Register(cmd::kPreviousFile, owner, CommandHandler{[&pane] { pane.PreviousFile(); }, listed, {}});
}

} // namespace kestrel::browser
