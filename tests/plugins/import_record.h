#pragma once
// An exchange record as a host holds one around an import.

#include <cstring>
#include <string>
#include <vector>

#include "tessera/tessera.h"

namespace kestrel::test {

class ImportRecord {
public:
    ImportRecord() { skModelInit(&model); }
    ~ImportRecord() { skModelNullify(&model); }
    ImportRecord(const ImportRecord&) = delete;
    ImportRecord& operator=(const ImportRecord&) = delete;

    skGroup* Group(int i = 0) const { return skModelGetGroup(&model, i); }
    skModel model;
};

inline std::vector<uint8_t> Bytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

} // namespace kestrel::test
