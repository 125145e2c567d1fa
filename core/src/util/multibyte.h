#pragma once
#include <string>

namespace nimbus {

// Names stored by other programs are 8-bit text in an unknown code page: UTF-8 is taken
// where it is valid, and any other byte stands for itself (Latin-1), so nothing is lost.
std::u16string MultiByteToWide(const std::string& text);

// Copies into a fixed wide field of fieldSize units; a name that does not fit is cut.
void CopyWide(char16_t* field, size_t fieldSize, const std::u16string& text);

} // namespace nimbus
