#pragma once
#include <string>
#include <vector>

// The file types an importer declares in its registration string, for example
//   <KXIMP><EXTNUM:1><T:1 EXT:"STL" INF:"Stereo Litography" ICO:2007>
namespace kestrel::host {

struct DeclaredFileType {
    int kind = 0;            // 1 model, 2 image
    std::string extension;   // as registered, at most 31 characters
    std::string description; // at most 63 characters
    int icon = 0;            // icon resource id inside the plug-in library
};

// False when the string is rejected; a declared count of 0 or less is accepted with no
// types. A type whose extension or description does not fit its field rejects the string.
bool ParseRegistration(const char* text, std::vector<DeclaredFileType>& types);

} // namespace kestrel::host
