#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "animation_snapshot.h"

// What the status bar's panes show, decided from the snapshot. The fields are named after
// the panes of CStatusPanes: kMessage, kSpeed (zoom in image mode), kFrame and kFps.
namespace kestrel::anim {

struct PaneState {
    std::string text;
    std::optional<bool> enabled; // empty: the pane keeps its state
    bool operator==(const PaneState&) const = default;
};

struct StatusPaneStates {
    PaneState speed;
    PaneState frame;
    PaneState fps;
    bool operator==(const StatusPaneStates&) const = default;
};

// The panes of a new status bar: speed and frame greyed.
StatusPaneStates InitialStatusPanes();

// The zoom or speed, frame and frame-rate panes for the view mode.
StatusPaneStates StatusPanes(const AnimationSnapshot& s);

// The severity icons of the message pane.
enum SeverityIcon { kNoIcon = 0, kUnexpectedIcon = 189, kInformationIcon = 190, kErrorIcon = 191 };

struct MessagePaneState {
    int severity = 0; // an empty message has none
    SeverityIcon icon = kNoIcon;
};

// 1 information, 2 error, 3 unexpected error; any other severity shows no icon.
MessagePaneState MessagePane(std::string_view text, int severity);

} // namespace kestrel::anim
