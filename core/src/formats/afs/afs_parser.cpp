#include "afs_file.h"
#include "util/byte_reader.h"

namespace nimbus::afs {

namespace {
constexpr size_t kNameSize = 64;
constexpr uint64_t kRecordSize = kNameSize + 4 + 4 + 2;
} // namespace

ParseStatus Parse(const uint8_t* data, size_t size, std::vector<Sequence>& out)
{
    out.clear();
    ByteReader in(data, size);
    if (in.U8() != 'A' || in.U8() != 'F' || in.U8() != 'S')
        return ParseStatus::BadHeader;
    const int32_t count = in.I32();
    if (!in.Ok() || count <= 0)
        return ParseStatus::BadHeader;
    if (!in.CanRead(uint64_t(count), kRecordSize))
        return ParseStatus::Truncated;
    out.resize(size_t(count));
    for (Sequence& s : out) {
        s.name = in.FixedString(kNameSize);
        s.start = in.I32();
        s.end = in.I32();
        s.priority = in.U16();
    }
    return ParseStatus::Ok;
}

} // namespace nimbus::afs
