#include "view_commands.h"

#include "command_ids.h"
#include "command_rules.h"
#include "kestrel_doc.h"
#include "kestrel_view.h"

namespace kestrel::view {
namespace {

using commands::CommandHandler;

constexpr int kDisplayFlags[] = {cmd::kNormals, cmd::kAxes, cmd::kBackFaces};
constexpr int kCameraCommands[] = {cmd::kCameraFront,  cmd::kCameraBack, cmd::kCameraTop,
                                   cmd::kCameraBottom, cmd::kCameraLeft, cmd::kCameraRight,
                                   cmd::kDisplayCameras, cmd::kDisplayLights};
constexpr int kImageCommands[] = {cmd::kRotateLeft, cmd::kRotateRight, cmd::kFlipVertical, cmd::kFlipHorizontal,
                                  cmd::kGrayscale,  cmd::kInvert,      cmd::kNormalMap,    cmd::kToggleAlpha};

} // namespace

void RegisterFileCommands(commands::CCommandRegistry& registry, commands::CCommandRegistry::Owner owner,
                          CKestrelDoc& doc, std::function<void()> openWithDialog)
{
    const auto canSave = [&doc] { return IsSaveEnabled(doc.Data()); };
    registry.Register(cmd::kFileNew, owner, CommandHandler{[&doc] { doc.NewDocument(); }, {}, {}});
    registry.Register(cmd::kFileOpen, owner, CommandHandler{std::move(openWithDialog), {}, {}});
    registry.Register(cmd::kFileSave, owner, CommandHandler{[&doc] { doc.Save(); }, canSave, {}});
    registry.Register(cmd::kFileSaveAs, owner, CommandHandler{[&doc] { doc.SaveAs(); }, canSave, {}});
    registry.Register(cmd::kRefreshFile, owner, CommandHandler{[&doc] { doc.RefreshFile(); }, {}, {}});
}

void RegisterDisplayCommands(commands::CCommandRegistry& registry, commands::CCommandRegistry::Owner owner,
                             CKestrelView& view)
{
    std::vector<int> ids;
    for (int id = cmd::kMeshOff; id <= cmd::kGridLast; ++id)
        ids.push_back(id);
    ids.insert(ids.end(), std::begin(kDisplayFlags), std::end(kDisplayFlags));
    for (int id : ids)
        registry.Register(id, owner,
                          CommandHandler{[&view, id] { view.HandleCommand(id); }, {},
                                         [&view, id] { return view.IsCommandChecked(id); }});
    for (int id : kCameraCommands)
        registry.Register(id, owner, CommandHandler{[&view, id] { view.HandleCommand(id); }, {}, {}});
}

void RegisterImageCommands(commands::CCommandRegistry& registry, commands::CCommandRegistry::Owner owner,
                           CKestrelDoc& doc)
{
    for (int id : kImageCommands)
        registry.Register(id, owner,
                          CommandHandler{[&doc, id] { doc.ImageCommand(id); },
                                         [&doc, id] { return IsImageCommandEnabled(id, doc.Data()); },
                                         [&doc, id] { return IsImageCommandChecked(id, doc.State()); }});
}

void RegisterImageViewCommands(commands::CCommandRegistry& registry, commands::CCommandRegistry::Owner owner,
                               CKestrelView& view)
{
    for (int id : {cmd::kFitWindow, cmd::kActualSize, cmd::kZoomIn, cmd::kZoomOut})
        registry.Register(id, owner,
                          CommandHandler{[&view, id] { view.HandleImageViewCommand(id); },
                                         [&view, id] {
                                             return IsImageViewCommandEnabled(id, view.Doc().Data(),
                                                                              view.Doc().ImageView());
                                         },
                                         {}});
}

} // namespace kestrel::view
