#include "print_commands.h"

#include "command_ids.h"
#include "kestrel_doc.h"
#include "kestrel_view.h"
#include "main_frame.h"
#include "print_controller.h"

namespace kestrel::printing {

bool IsPrintEnabled(int viewMode)
{
    return viewMode == doc::kModel || viewMode == doc::kImage;
}

void RegisterPrintCommands(commands::CCommandRegistry& registry, commands::CCommandRegistry::Owner owner,
                           frame::CMainFrame& frame, view::CKestrelDoc& doc, view::CKestrelView& view)
{
    auto* controller = new CPrintController(doc, view, frame.Status(), &frame, &view);
    controller->setObjectName(QStringLiteral("printController"));
    const auto canPrint = [&doc] { return IsPrintEnabled(doc.ViewMode()); };
    using commands::CommandHandler;
    registry.Register(cmd::kFilePrint, owner, CommandHandler{[controller] { controller->Print(); }, canPrint, {}});
    registry.Register(cmd::kFilePrintPreview, owner,
                      CommandHandler{[controller] { controller->PrintPreview(); }, canPrint, {}});
    registry.Register(cmd::kFilePrintSetup, owner, CommandHandler{[controller] { controller->PrintSetup(); }, {}, {}});
}

} // namespace kestrel::printing
