#include "thumb_database.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <system_error>
#include <vector>

#include <unistd.h>

#include "path_key.h"

using namespace kestrel::thumbdb;
using kestrel::thumbnail::Picture;
namespace fs = std::filesystem;

namespace {

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

File OpenFile(const fs::path& path, const char* mode) { return File(std::fopen(path.c_str(), mode)); }

void PutU16(std::vector<uint8_t>& out, uint16_t v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void PutU32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}

// Written to the disk before anything that refers to it.
bool Flushed(FILE* f) { return std::fflush(f) == 0 && fsync(fileno(f)) == 0; }

bool WriteAt(FILE* f, uint64_t offset, const std::vector<uint8_t>& bytes)
{
    return std::fseek(f, long(offset), SEEK_SET) == 0 &&
           std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size() && Flushed(f);
}

// A fresh file replaces the old one whole, so a failure leaves the old one as it was.
bool ReplaceFile(const fs::path& path, const std::vector<uint8_t>& bytes)
{
    fs::path temp = path;
    temp += ".new";
    {
        File f = OpenFile(temp, "wb");
        if (!f || (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f.get()) != bytes.size()) ||
            !Flushed(f.get()))
            return false;
    }
    std::error_code error;
    fs::rename(temp, path, error);
    if (error)
        fs::remove(temp, error);
    return !error;
}

class Reader {
public:
    explicit Reader(std::vector<uint8_t> bytes) : mBytes(std::move(bytes)) {}
    size_t Left() const { return mBytes.size() - mAt; }
    size_t At() const { return mAt; }
    bool Bytes(void* out, size_t n)
    {
        if (Left() < n)
            return false;
        std::memcpy(out, mBytes.data() + mAt, n);
        mAt += n;
        return true;
    }
    bool U16(uint16_t& v)
    {
        uint8_t b[2];
        if (!Bytes(b, 2))
            return false;
        v = uint16_t(b[0] | (b[1] << 8));
        return true;
    }
    bool U32(uint32_t& v)
    {
        uint8_t b[4];
        if (!Bytes(b, 4))
            return false;
        v = uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
        return true;
    }

private:
    std::vector<uint8_t> mBytes;
    size_t mAt = 0;
};

std::optional<std::vector<uint8_t>> ReadWhole(const fs::path& path)
{
    std::error_code error;
    const uintmax_t size = fs::file_size(path, error);
    if (error || size > (uintmax_t(1) << 31))
        return std::nullopt;
    File f = OpenFile(path, "rb");
    if (!f)
        return std::nullopt;
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    if (size && std::fread(bytes.data(), 1, bytes.size(), f.get()) != bytes.size())
        return std::nullopt;
    return bytes;
}

// The smallest entry: a one-character path.
constexpr size_t kMinEntrySize = 2 + 2 + 4 + 4;

} // namespace

CThumbDatabase::CThumbDatabase(fs::path folder) : mFolder(std::move(folder)) {}

bool CThumbDatabase::Open()
{
    if (mOpen)
        return true;
    std::error_code error;
    fs::create_directories(mFolder, error);
    if (error || !fs::is_directory(mFolder, error))
        return false;
    if (fs::exists(IndexPath(), error) && fs::exists(StorePath(), error) && ReadIndex() && StoreMatchesIndex())
        mOpen = true;
    else
        mOpen = Reset();
    return mOpen;
}

bool CThumbDatabase::Reset()
{
    const bool wasOpen = mOpen;
    mOpen = false;
    mCount = 0;
    mSlots.clear();
    std::vector<uint8_t> index(std::begin(kMagic), std::end(kMagic));
    PutU16(index, kVersion);
    PutU16(index, kThumbWidth);
    PutU16(index, kThumbHeight);
    PutU32(index, 0);
    mIndexEnd = index.size();
    // The store first: a crash between the two leaves an index whose count the store
    // does not match, which the next opening starts afresh.
    const bool done = ReplaceFile(StorePath(), {}) && ReplaceFile(IndexPath(), index);
    mOpen = wasOpen && done;
    return done;
}

bool CThumbDatabase::ReadIndex()
{
    mSlots.clear();
    mCount = 0;
    std::optional<std::vector<uint8_t>> bytes = ReadWhole(IndexPath());
    if (!bytes)
        return false;
    Reader in(std::move(*bytes));
    char magic[6];
    uint16_t version, width, height;
    uint32_t count;
    if (!in.Bytes(magic, 6) || std::memcmp(magic, kMagic, 6) != 0 || !in.U16(version) || version != kVersion ||
        !in.U16(width) || !in.U16(height) || !in.U32(count))
        return false;
    // Thumbnails have one size; any other would not fit the slots written by this viewer.
    if (width != kThumbWidth || height != kThumbHeight || int32_t(count) < 0 || count > in.Left() / kMinEntrySize)
        return false;
    for (uint32_t k = 0; k < count; ++k) {
        uint16_t length;
        if (!in.U16(length) || length == 0 || in.Left() < size_t(length) * 2 + 8)
            return false;
        std::u16string path(length, u'\0');
        for (char16_t& c : path) {
            uint16_t unit = 0;
            in.U16(unit);
            c = char16_t(unit);
        }
        uint32_t offset = 0, copy = 0;
        in.U32(offset);
        in.U32(copy);
        // Each slot lies inside the store, on a slot boundary, or the index is not ours.
        if (offset % kSlotSize != 0 || offset / kSlotSize >= count)
            return false;
        mSlots[path] = offset;
    }
    // Bytes after the last entry would sit between it and the next one added.
    if (in.Left() != 0)
        return false;
    mCount = int32_t(count);
    mIndexEnd = in.At();
    return true;
}

bool CThumbDatabase::StoreMatchesIndex() const
{
    std::error_code error;
    const uintmax_t size = fs::file_size(StorePath(), error);
    return !error && size == uintmax_t(mCount) * kSlotSize;
}

bool CThumbDatabase::AppendEntry(const std::u16string& key, uint32_t offset)
{
    File f = OpenFile(IndexPath(), "r+b");
    if (!f)
        return false;
    std::vector<uint8_t> entry;
    PutU16(entry, uint16_t(key.size()));
    for (char16_t c : key)
        PutU16(entry, uint16_t(c));
    PutU32(entry, offset);
    PutU32(entry, offset);
    std::vector<uint8_t> count;
    PutU32(count, uint32_t(mCount + 1));
    // The entry before the count: until the count is written the entry is not counted.
    if (WriteAt(f.get(), mIndexEnd, entry) && WriteAt(f.get(), kCountOffset, count)) {
        mIndexEnd += entry.size();
        return true;
    }
    f.reset();
    std::error_code error;
    fs::resize_file(IndexPath(), mIndexEnd, error);
    return false;
}

bool CThumbDatabase::Store(const std::u16string& path, const Picture& picture)
{
    if (!mOpen || picture.IsNull() || picture.width != kThumbWidth || picture.height != kThumbHeight)
        return false;
    const std::u16string key = kestrel::thumbdb::PathKey(path);
    if (key.empty() || key.size() > 0xffff)
        return false;
    const auto found = mSlots.find(key);
    const bool isNew = found == mSlots.end();
    if (isNew && mCount >= int32_t(UINT32_MAX / kSlotSize))
        return false;
    const uint32_t offset = isNew ? uint32_t(mCount) * kSlotSize : found->second;

    std::vector<uint8_t> slot;
    slot.reserve(kSlotSize);
    for (uint32_t pixel : picture.pixels) {
        slot.push_back(kestrel::thumbnail::BlueOf(pixel));
        slot.push_back(kestrel::thumbnail::GreenOf(pixel));
        slot.push_back(kestrel::thumbnail::RedOf(pixel));
    }
    // The slot goes to the disk before an index entry names it.
    bool written;
    {
        File f = OpenFile(StorePath(), "r+b");
        written = f && WriteAt(f.get(), offset, slot);
    }
    if (written && (!isNew || AppendEntry(key, offset))) {
        if (isNew) {
            mSlots[key] = offset;
            ++mCount;
        }
        return true;
    }
    if (isNew) {
        std::error_code error;
        fs::resize_file(StorePath(), uintmax_t(mCount) * kSlotSize, error);
        if (error)
            mOpen = false; // let the next opening check the files again
    }
    return false;
}

bool CThumbDatabase::Contains(const std::u16string& path) const
{
    return mOpen && mSlots.count(kestrel::thumbdb::PathKey(path)) != 0;
}

std::optional<Picture> CThumbDatabase::Lookup(const std::u16string& path) const
{
    if (!mOpen)
        return std::nullopt;
    const auto found = mSlots.find(kestrel::thumbdb::PathKey(path));
    if (found == mSlots.end())
        return std::nullopt;
    File f = OpenFile(StorePath(), "rb");
    std::vector<uint8_t> slot(kSlotSize);
    // The store may have been cut short since it was opened: a short read gives nothing.
    if (!f || std::fseek(f.get(), long(found->second), SEEK_SET) != 0 ||
        std::fread(slot.data(), 1, slot.size(), f.get()) != slot.size())
        return std::nullopt;
    Picture picture;
    picture.width = kThumbWidth;
    picture.height = kThumbHeight;
    picture.pixels.resize(size_t(kThumbWidth) * kThumbHeight);
    for (size_t i = 0; i < picture.pixels.size(); ++i)
        picture.pixels[i] = kestrel::thumbnail::Rgb(slot[3 * i + 2], slot[3 * i + 1], slot[3 * i]);
    return picture;
}
