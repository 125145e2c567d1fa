#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "thumb_database.h"

// The input is the index; its last byte chooses how many slots the store holds, so both
// a matching and a mismatched store are tried.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    namespace fs = std::filesystem;
    static const fs::path folder = fs::temp_directory_path() / ("thumbdb_fuzz_" + std::to_string(getpid()));
    fs::create_directories(folder);
    const size_t slots = size ? data[size - 1] % 4 : 0;
    {
        std::ofstream index(folder / "ThIndex.dat", std::ios::binary | std::ios::trunc);
        index.write(reinterpret_cast<const char*>(data), std::streamsize(size));
        std::ofstream store(folder / "ThStore.dat", std::ios::binary | std::ios::trunc);
        const size_t short_by = slots && size > 1 ? data[0] % 2 : 0;
        store << std::string(slots * kestrel::thumbdb::kSlotSize - short_by, '\0');
    }
    CThumbDatabase db(folder);
    if (db.Open()) {
        db.Lookup(u"/a");
        db.Lookup(u"/models/ship.ms3d");
        if (size > 2 && data[1] % 2) {
            kestrel::thumbnail::Picture picture;
            picture.width = kestrel::thumbdb::kThumbWidth;
            picture.height = kestrel::thumbdb::kThumbHeight;
            picture.pixels.assign(size_t(picture.width) * size_t(picture.height), 0xff102030u);
            db.Store(u"/b", picture);
            db.Lookup(u"/B");
        }
    }
    return 0;
}
