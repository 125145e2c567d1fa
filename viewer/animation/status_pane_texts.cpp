#include "status_pane_texts.h"

#include <cmath>
#include <cstdio>

namespace kestrel::anim {

namespace {
constexpr float kPercent = 100.0f;
// A zoom such as 0.29 is stored a little below its decimal value; without the tolerance it
// would show as 28%.
constexpr double kZoomTolerance = 1.0e-4;
constexpr double kIntBound = 1.0e9;

template <typename... Args>
std::string Format(const char* format, Args... args)
{
    char text[64];
    std::snprintf(text, sizeof text, format, args...);
    return text;
}

int Truncated(double value)
{
    if (std::isnan(value))
        return 0;
    return int(std::trunc(std::fmax(-kIntBound, std::fmin(kIntBound, value))));
}

int ZoomPercent(float zoom)
{
    const double percent = double(zoom) * kPercent;
    return Truncated(percent + (percent >= 0 ? kZoomTolerance : -kZoomTolerance));
}

std::string SpeedText(float speed) { return Format("Animation Speed: %.2f", double(speed)); }
std::string FrameText(int frame, int count) { return Format("Frame: %d/%d", frame, count); }
std::string FpsText(float fps) { return Format("FPS: %.2f", double(fps)); }

PaneState Pane(std::string text, std::optional<bool> enabled) { return PaneState{std::move(text), enabled}; }

StatusPaneStates ModelPanes(const AnimationSnapshot& s)
{
    StatusPaneStates panes;
    panes.fps = Pane(FpsText(s.frameRate), std::nullopt);
    if (!s.hasAnimation) {
        panes.speed = Pane(SpeedText(1.0f), false);
        panes.frame = Pane(FrameText(1, 1), false);
        return panes;
    }
    panes.speed = Pane(SpeedText(s.speed), true);
    const int count = Truncated(double(s.loopEnd) - double(s.loopStart)) + 1;
    const int frame = s.playing ? Truncated(double(s.currentTime) - double(s.loopStart)) + 1 : 1;
    panes.frame = Pane(FrameText(frame, count), true);
    return panes;
}
} // namespace

StatusPaneStates InitialStatusPanes()
{
    return {Pane(SpeedText(1.0f), false), Pane(FrameText(1, 1), false), Pane(FpsText(0.0f), std::nullopt)};
}

StatusPaneStates StatusPanes(const AnimationSnapshot& s)
{
    switch (s.viewMode) {
    case doc::kModel: return ModelPanes(s);
    case doc::kImage:
        return {Pane(Format("Zoom: %d%%", ZoomPercent(s.imageZoom)), true), Pane("", std::nullopt),
                Pane("", std::nullopt)};
    case doc::kEmpty:
    default: return {Pane("", true), Pane("", true), Pane("", std::nullopt)};
    }
}

MessagePaneState MessagePane(std::string_view text, int severity)
{
    MessagePaneState state;
    if (text.empty())
        return state;
    state.severity = severity;
    switch (severity) {
    case doc::kInformation: state.icon = kInformationIcon; break;
    case doc::kError: state.icon = kErrorIcon; break;
    case doc::kUnexpected: state.icon = kUnexpectedIcon; break;
    default: state.icon = kNoIcon; break;
    }
    return state;
}

} // namespace kestrel::anim
