#include "command_rules.h"

#include <algorithm>
#include <iterator>

#include "command_ids.h"
#include "image_navigation.h"

namespace kestrel::view {
namespace {

constexpr int kImageCommands[] = {cmd::kRotateLeft, cmd::kRotateRight, cmd::kFlipVertical, cmd::kFlipHorizontal,
                                  cmd::kGrayscale,  cmd::kInvert,      cmd::kNormalMap,    cmd::kToggleAlpha};
constexpr int kImageViewCommands[] = {cmd::kFitWindow, cmd::kActualSize, cmd::kZoomIn, cmd::kZoomOut};
constexpr int kAlphaBits = 32;

} // namespace

bool IsSaveEnabled(const doc::Document& document)
{
    return document.viewMode != doc::kEmpty;
}

bool IsImageCommand(int commandId)
{
    return std::find(std::begin(kImageCommands), std::end(kImageCommands), commandId) != std::end(kImageCommands);
}

bool IsImageCommandEnabled(int commandId, const doc::Document& document)
{
    if (!IsImageCommand(commandId) || document.viewMode != doc::kImage)
        return false;
    return commandId != cmd::kToggleAlpha || document.image.mBpp == kAlphaBits;
}

bool IsImageCommandChecked(int commandId, const prefs::StateBlock& state)
{
    return commandId == cmd::kToggleAlpha && state.showAlpha != 0;
}

bool IsImageViewCommand(int commandId)
{
    return std::find(std::begin(kImageViewCommands), std::end(kImageViewCommands), commandId) !=
           std::end(kImageViewCommands);
}

bool IsImageViewCommandEnabled(int commandId, const doc::Document& document, const scene::ImageView& view)
{
    if (!IsImageViewCommand(commandId) || document.viewMode != doc::kImage)
        return false;
    if (commandId == cmd::kZoomIn)
        return scene::CanZoomImageIn(view);
    if (commandId == cmd::kZoomOut)
        return scene::CanZoomImageOut(view);
    return true;
}

} // namespace kestrel::view
