#pragma once
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "picture.h"

namespace kestrel::thumbdb {

// Index file: "KX3TDB", version, width, height, entry count, then the entries in the
// order their slots were added. Store file: one slot of blue-green-red pixels per entry.
inline constexpr char kIndexName[] = "ThIndex.dat";
inline constexpr char kStoreName[] = "ThStore.dat";
inline constexpr char kMagic[6] = {'K', 'X', '3', 'T', 'D', 'B'};
inline constexpr uint16_t kVersion = 1;
inline constexpr uint16_t kThumbWidth = 96;
inline constexpr uint16_t kThumbHeight = 84;
inline constexpr uint32_t kSlotSize = uint32_t(kThumbWidth) * kThumbHeight * 3;
inline constexpr uint32_t kIndexHeaderSize = 16;
inline constexpr uint32_t kCountOffset = 12;

} // namespace kestrel::thumbdb

// The per-user thumbnails of files opened before: a path (keyed in lower case) names a
// fixed-size slot in the store file. Slots are never removed; a path stored again reuses
// its slot. Damaged files are not read partly: both are started afresh.
class CThumbDatabase {
public:
    // The files live in the per-user data folder (thumb_folder.cpp).
    CThumbDatabase();
    // The files live in `folder`.
    explicit CThumbDatabase(std::filesystem::path folder);

    bool Open();
    bool Reset();
    bool Store(const std::u16string& path, const kestrel::thumbnail::Picture& picture);
    std::optional<kestrel::thumbnail::Picture> Lookup(const std::u16string& path) const;
    // Whether a thumbnail is stored for the path, without reading it.
    bool Contains(const std::u16string& path) const;

    bool IsOpen() const { return mOpen; }
    int32_t EntryCount() const { return mCount; }
    std::filesystem::path IndexPath() const { return mFolder / kestrel::thumbdb::kIndexName; }
    std::filesystem::path StorePath() const { return mFolder / kestrel::thumbdb::kStoreName; }

private:
    bool ReadIndex();
    bool StoreMatchesIndex() const;
    bool AppendEntry(const std::u16string& key, uint32_t offset);

    std::filesystem::path mFolder;
    bool mOpen = false;
    int32_t mCount = 0;
    uint64_t mIndexEnd = 0; // where the next entry goes
    std::map<std::u16string, uint32_t> mSlots;
};
