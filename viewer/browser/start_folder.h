#pragma once
#include <string>

namespace kestrel::browser {

// The folder the browser starts in: the last current folder while it still exists, else
// "Samples" beside the program, or the installed "../share/kestrel/Samples" when only that
// exists; "Samples" beside the program is made when neither exists. Empty when neither can be had.
std::string StartFolder(const std::string& lastFolder, const std::string& programFolder);

// The folder above `folder`; empty at the root.
std::string ParentFolder(const std::string& folder);

} // namespace kestrel::browser
