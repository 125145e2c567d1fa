#pragma once
#include <cstddef>
#include <bit>
#include <cstdint>
#include <string>
#include <vector>

// The tagged, length-prefixed chunks of the native format: a u16 identifier and a u32
// length that counts the whole chunk, header included.
namespace kestrel::kxm3 {

static_assert(std::endian::native == std::endian::little, "the native format is stored as in memory");

constexpr size_t kChunkHeaderSize = 6;
// Texture names are kept whole up to the platform's path limit (older files hold at most 255).
constexpr size_t kMaxTextureNameUnits = 4096;

class ChunkWriter {
public:
    std::vector<uint8_t>& Bytes() { return bytes_; }

    void Begin(uint16_t id);
    void End(); // patches the length of the innermost open chunk

    void U8(uint8_t v) { bytes_.push_back(v); }
    void U16(uint16_t v) { Raw(&v, 2); }
    void U32(uint32_t v) { Raw(&v, 4); }
    void I32(int32_t v) { Raw(&v, 4); }
    void F32(float f) { Raw(&f, 4); }
    void F32s(const float* f, int n) { Raw(f, size_t(n) * 4); }
    // Appends bytes already in file order (the format is little-endian, as this machine).
    void Raw(const void* p, size_t n)
    {
        const auto* b = static_cast<const uint8_t*>(p);
        bytes_.insert(bytes_.end(), b, b + n);
    }
    void Text8(const char* text, size_t fieldSize);
    void Text16(const char16_t* text, size_t fieldSize);

private:
    std::vector<uint8_t> bytes_;
    std::vector<size_t> open_;
};

// A view of one chunk's payload; reads past its end fail and return zeros.
class ChunkReader {
public:
    ChunkReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    size_t Remaining() const { return size_ - pos_; }
    bool AtEnd() const { return pos_ >= size_; }
    bool Ok() const { return ok_; }

    // The next child chunk: false when no whole header is left or the child would end
    // beyond this chunk; the reader then stays where it was.
    bool NextChild(uint16_t& id, ChunkReader& payload);

    // Steps over a chunk header without bounding what follows by its length.
    bool SkipHeader()
    {
        if (Remaining() < kChunkHeaderSize)
            return false;
        pos_ += kChunkHeaderSize;
        return true;
    }

    // Copies n bytes as stored; zeros past the end.
    bool Raw(void* out, size_t n);

    uint8_t U8();
    uint16_t U16();
    uint32_t U32();
    int32_t I32() { return int32_t(U32()); }
    float F32();
    void F32s(float* out, int n)
    {
        for (int i = 0; i < n; ++i)
            out[i] = F32();
    }
    // Reads up to and including a zero byte (or to the end); keeps at most fieldSize - 1 bytes.
    void Text8(char* field, size_t fieldSize);
    // Reads the whole rest of the payload as UTF-16 into a field of fieldSize code units.
    void Text16(char16_t* field, size_t fieldSize);
    // The text up to its terminator, at most maxUnits of it.
    void Text16(std::u16string& text, size_t maxUnits);

    // True when count records of recordSize bytes fit in what is left.
    bool Fits(uint64_t count, uint64_t recordSize) const { return count <= Remaining() / recordSize; }

private:
    bool Take(size_t n);

    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
    bool ok_ = true;
};

} // namespace kestrel::kxm3
