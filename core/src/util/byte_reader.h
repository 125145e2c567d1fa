#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace nimbus {

// Little-endian reads from a buffer. A read past the end fails, returns zero and leaves
// the reader failed, so a parser can check once after a group of reads.
class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size) : data_(data), size_(data ? size : 0) {}

    bool Ok() const { return ok_; }
    size_t Offset() const { return pos_; }
    size_t Remaining() const { return size_ - pos_; }
    bool AtEnd() const { return pos_ == size_; }

    // True when count records of recordSize bytes can still be read.
    bool CanRead(uint64_t count, uint64_t recordSize) const
    {
        return ok_ && (recordSize == 0 || count <= Remaining() / recordSize);
    }

    bool Skip(size_t n)
    {
        if (!Take(n))
            return false;
        pos_ += n;
        return true;
    }

    bool Bytes(void* out, size_t n)
    {
        if (!Take(n)) {
            std::memset(out, 0, n);
            return false;
        }
        std::memcpy(out, data_ + pos_, n);
        pos_ += n;
        return true;
    }

    uint8_t U8() { return uint8_t(Le(1)); }
    int8_t I8() { return int8_t(uint8_t(Le(1))); }
    uint16_t U16() { return uint16_t(Le(2)); }
    uint32_t U32() { return uint32_t(Le(4)); }
    int32_t I32() { return int32_t(uint32_t(Le(4))); }
    float F32()
    {
        const uint32_t bits = U32();
        float f;
        std::memcpy(&f, &bits, sizeof(f));
        return f;
    }
    void F32s(float* out, int n)
    {
        for (int i = 0; i < n; ++i)
            out[i] = F32();
    }

    // A fixed-size name field; the text ends at the first zero or at the field's end.
    std::string FixedString(size_t fieldSize)
    {
        if (!Take(fieldSize))
            return {};
        const char* p = reinterpret_cast<const char*>(data_ + pos_);
        pos_ += fieldSize;
        return std::string(p, strnlen(p, fieldSize));
    }

private:
    bool Take(size_t n)
    {
        if (!ok_ || n > Remaining()) {
            ok_ = false;
            return false;
        }
        return true;
    }

    uint64_t Le(int bytes)
    {
        if (!Take(size_t(bytes)))
            return 0;
        uint64_t v = 0;
        for (int i = bytes - 1; i >= 0; --i)
            v = (v << 8) | data_[pos_ + size_t(i)];
        pos_ += size_t(bytes);
        return v;
    }

    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
    bool ok_ = true;
};

} // namespace nimbus
