#include "studio3ds_chunks.h"

#include <cstring>

namespace kestrel::studio {

bool ChunkData::ChunkAt(size_t pos, size_t limit, Chunk& out) const
{
    limit = limit < size_ ? limit : size_;
    size_t p = pos;
    uint32_t length = 0;
    if (!U16(p, limit, out.id) || !U32(p, limit, length))
        return false;
    if (length < 6 || length > limit - pos)
        return false;
    out.begin = pos;
    out.data = p;
    out.end = pos + length;
    return true;
}

bool ChunkData::U8(size_t& pos, size_t limit, uint8_t& out) const
{
    if (limit > size_ || pos >= limit)
        return false;
    out = data_[pos++];
    return true;
}

bool ChunkData::U16(size_t& pos, size_t limit, uint16_t& out) const
{
    if (limit > size_ || pos > limit || limit - pos < 2)
        return false;
    out = uint16_t(data_[pos] | data_[pos + 1] << 8);
    pos += 2;
    return true;
}

bool ChunkData::U32(size_t& pos, size_t limit, uint32_t& out) const
{
    if (limit > size_ || pos > limit || limit - pos < 4)
        return false;
    out = uint32_t(data_[pos]) | uint32_t(data_[pos + 1]) << 8 | uint32_t(data_[pos + 2]) << 16 |
          uint32_t(data_[pos + 3]) << 24;
    pos += 4;
    return true;
}

bool ChunkData::F32(size_t& pos, size_t limit, float& out) const
{
    uint32_t bits = 0;
    if (!U32(pos, limit, bits))
        return false;
    std::memcpy(&out, &bits, sizeof(out));
    return true;
}

bool ChunkData::Text(size_t& pos, size_t limit, std::string& out) const
{
    if (limit > size_ || pos >= limit)
        return false;
    const void* zero = std::memchr(data_ + pos, 0, limit - pos);
    if (!zero)
        return false;
    const size_t length = size_t(static_cast<const uint8_t*>(zero) - (data_ + pos));
    out.assign(reinterpret_cast<const char*>(data_ + pos), length);
    pos += length + 1;
    return true;
}

} // namespace kestrel::studio
