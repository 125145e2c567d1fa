#pragma once
#include <cstdio>
#include <optional>

namespace kestrel::app {

// "--help" and "--version" are answered before the application object exists, so that
// they work without a display (package tools and scripts ask them on build machines).
// Returns the exit code when one of them was given; nothing to start the viewer.
std::optional<int> AnswerInformationOptions(int argc, char** argv, FILE* to = stdout);

} // namespace kestrel::app
