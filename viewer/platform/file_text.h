#pragma once
// Names from files are 8-bit text in an unknown code page: UTF-8 where it is valid, any other
// byte standing for itself, as the engine reads them.

#include <QString>
#include <string>

namespace kestrel::platform {

QString TextFromFile(const std::string& bytes);

} // namespace kestrel::platform
