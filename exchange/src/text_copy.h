#pragma once
// Bounded copies into the fixed text fields of the records.

#include <cstddef>

namespace tessera {

// Copies at most size - 1 bytes of `text` (null: empty) into `field`, never ending
// inside a UTF-8 sequence, and zero-fills the rest of the field.
void CopyText(char* field, size_t size, const char* text);

// Converts UTF-16 (null: empty; lone surrogates become U+FFFD) to UTF-8 into the
// field, with the same bounds as CopyText.
void CopyWideText(char* field, size_t size, const char16_t* text);

} // namespace tessera
