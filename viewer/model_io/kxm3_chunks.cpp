#include "kxm3_chunks.h"

#include <cstring>

namespace kestrel::kxm3 {

void ChunkWriter::Begin(uint16_t id)
{
    open_.push_back(bytes_.size());
    U16(id);
    U32(0);
}

void ChunkWriter::End()
{
    const size_t start = open_.back();
    open_.pop_back();
    const uint32_t length = uint32_t(bytes_.size() - start);
    for (int i = 0; i < 4; ++i)
        bytes_[start + 2 + size_t(i)] = uint8_t(length >> (8 * i));
}

void ChunkWriter::Text8(const char* text, size_t fieldSize)
{
    const size_t n = strnlen(text, fieldSize);
    bytes_.insert(bytes_.end(), text, text + n);
    bytes_.push_back(0);
}

void ChunkWriter::Text16(const char16_t* text, size_t fieldSize)
{
    size_t n = 0;
    while (n < fieldSize && text[n])
        ++n;
    for (size_t i = 0; i < n; ++i)
        U16(uint16_t(text[i]));
    U16(0);
}

bool ChunkReader::Take(size_t n)
{
    if (!ok_ || n > Remaining()) {
        ok_ = false;
        return false;
    }
    return true;
}

bool ChunkReader::NextChild(uint16_t& id, ChunkReader& payload)
{
    if (Remaining() < kChunkHeaderSize)
        return false;
    const uint8_t* p = data_ + pos_;
    const uint32_t length = uint32_t(p[2]) | uint32_t(p[3]) << 8 | uint32_t(p[4]) << 16 | uint32_t(p[5]) << 24;
    if (length < kChunkHeaderSize || length > Remaining())
        return false;
    id = uint16_t(p[0] | p[1] << 8);
    payload = ChunkReader(p + kChunkHeaderSize, length - kChunkHeaderSize);
    pos_ += length;
    return true;
}

bool ChunkReader::Raw(void* out, size_t n)
{
    if (!Take(n)) {
        std::memset(out, 0, n);
        return false;
    }
    std::memcpy(out, data_ + pos_, n);
    pos_ += n;
    return true;
}

uint8_t ChunkReader::U8() { return Take(1) ? data_[pos_++] : 0; }

uint16_t ChunkReader::U16()
{
    if (!Take(2))
        return 0;
    const uint16_t v = uint16_t(data_[pos_] | data_[pos_ + 1] << 8);
    pos_ += 2;
    return v;
}

uint32_t ChunkReader::U32()
{
    if (!Take(4))
        return 0;
    const uint8_t* p = data_ + pos_;
    pos_ += 4;
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

float ChunkReader::F32()
{
    const uint32_t v = U32();
    float f;
    std::memcpy(&f, &v, 4);
    return f;
}

void ChunkReader::Text8(char* field, size_t fieldSize)
{
    size_t n = 0;
    while (!AtEnd()) {
        const char c = char(data_[pos_++]);
        if (c == 0)
            break;
        if (n + 1 < fieldSize)
            field[n++] = c;
    }
    field[n] = 0;
}

void ChunkReader::Text16(std::u16string& text, size_t maxUnits)
{
    text.clear();
    bool ended = false;
    while (Remaining() >= 2) {
        const char16_t c = char16_t(U16());
        ended = ended || c == 0;
        if (!ended && text.size() < maxUnits)
            text += c;
    }
    pos_ = size_;
}

void ChunkReader::Text16(char16_t* field, size_t fieldSize)
{
    size_t n = 0;
    while (Remaining() >= 2) {
        const char16_t c = char16_t(U16());
        if (n + 1 < fieldSize)
            field[n++] = c;
    }
    pos_ = size_;
    field[n] = 0;
}

} // namespace kestrel::kxm3
