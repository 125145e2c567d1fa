#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "path_key.h"
#include "thumb_database.h"
#include "thumb_folder.h"
#include <cstdlib>

namespace {

namespace fs = std::filesystem;
using kestrel::thumbnail::Picture;
using kestrel::thumbnail::Rgb;
using Bytes = std::vector<uint8_t>;

constexpr size_t kSlot = 96 * 84 * 3;

Bytes ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const fs::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

const Bytes kEmptyIndex = {'K', 'X', '3', 'T', 'D', 'B', 1, 0, 96, 0, 84, 0, 0, 0, 0, 0};

// Every pixel different, so a swapped channel or row shows.
Picture Pattern(uint8_t seed)
{
    Picture p;
    p.width = 96;
    p.height = 84;
    for (int y = 0; y < 84; ++y)
        for (int x = 0; x < 96; ++x)
            p.pixels.push_back(Rgb(uint8_t(x + seed), uint8_t(y * 3 + seed), uint8_t(x ^ y)));
    return p;
}

class ThumbDatabase : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = fs::temp_directory_path() / ("thumbdb_" + std::to_string(std::random_device{}()));
        folder = root / "Halvard" / "Kestrel3";
    }
    void TearDown() override { fs::remove_all(root); }

    // A database with `paths` stored, then the files as they are left.
    void Fill(const std::vector<std::u16string>& paths)
    {
        CThumbDatabase db(folder);
        ASSERT_TRUE(db.Open());
        uint8_t seed = 0;
        for (const auto& p : paths)
            ASSERT_TRUE(db.Store(p, Pattern(seed++)));
    }
    void ExpectOpensAfresh()
    {
        CThumbDatabase db(folder);
        ASSERT_TRUE(db.Open());
        EXPECT_EQ(db.EntryCount(), 0);
        EXPECT_FALSE(db.Lookup(u"/models/a.ms3d"));
        EXPECT_EQ(ReadBytes(folder / "ThIndex.dat"), kEmptyIndex);
        EXPECT_EQ(fs::file_size(folder / "ThStore.dat"), 0u);
    }

    fs::path root, folder;
};

TEST_F(ThumbDatabase, FirstOpenCreatesTheFolderAndEmptyFiles)
{
    CThumbDatabase db(folder);
    EXPECT_FALSE(db.Lookup(u"/x"));
    ASSERT_TRUE(db.Open());
    EXPECT_TRUE(db.IsOpen());
    EXPECT_EQ(ReadBytes(folder / "ThIndex.dat"), kEmptyIndex);
    EXPECT_EQ(fs::file_size(folder / "ThStore.dat"), 0u);
    EXPECT_FALSE(db.Lookup(u"/models/a.ms3d"));
}

TEST_F(ThumbDatabase, OneEntryIsLaidOutByteForByte)
{
    Fill({u"/M/\u00c4b"});
    Bytes expected = {'K', 'X', '3', 'T', 'D', 'B', 1, 0, 96, 0, 84, 0, 1, 0, 0, 0,
                      5, 0, '/', 0, 'm', 0, '/', 0, 0xe4, 0, 'b', 0, // "/m/äb", lower case, UTF-16
                      0, 0, 0, 0, 0, 0, 0, 0};                // offset 0, twice
    EXPECT_EQ(ReadBytes(folder / "ThIndex.dat"), expected);

    const Bytes store = ReadBytes(folder / "ThStore.dat");
    ASSERT_EQ(store.size(), kSlot);
    const Picture p = Pattern(0);
    // Top row first, blue, green, red.
    for (size_t i : {size_t(0), size_t(1), size_t(96), size_t(96 * 84 - 1)}) {
        EXPECT_EQ(store[3 * i], kestrel::thumbnail::BlueOf(p.pixels[i])) << i;
        EXPECT_EQ(store[3 * i + 1], kestrel::thumbnail::GreenOf(p.pixels[i])) << i;
        EXPECT_EQ(store[3 * i + 2], kestrel::thumbnail::RedOf(p.pixels[i])) << i;
    }
}

TEST_F(ThumbDatabase, StoredPicturesComeBackAfterReopening)
{
    Fill({u"/a", u"/b", u"/c"});
    const Bytes index = ReadBytes(folder / "ThIndex.dat");
    EXPECT_EQ(index[12], 3);
    // Consecutive slots: the offsets of the second and third entries.
    const size_t second = 16 + 14 + 2 + 4; // after the first entry, its length and path
    EXPECT_EQ(index[second] | index[second + 1] << 8 | index[second + 2] << 16, int(kSlot));
    EXPECT_EQ(fs::file_size(folder / "ThStore.dat"), 3 * kSlot);

    CThumbDatabase db(folder);
    ASSERT_TRUE(db.Open());
    EXPECT_EQ(db.EntryCount(), 3);
    for (uint8_t k = 0; k < 3; ++k) {
        const auto got = db.Lookup(std::u16string(u"/") + char16_t(u'a' + k));
        ASSERT_TRUE(got);
        EXPECT_EQ(got->pixels, Pattern(k).pixels);
    }
    EXPECT_FALSE(db.Lookup(u"/d"));
}

TEST_F(ThumbDatabase, APathInAnotherCaseReusesItsSlot)
{
    CThumbDatabase db(folder);
    ASSERT_TRUE(db.Open());
    ASSERT_TRUE(db.Store(u"/Models/Ship.MS3D", Pattern(1)));
    const Bytes index = ReadBytes(folder / "ThIndex.dat");
    ASSERT_TRUE(db.Store(u"/models/ship.ms3d", Pattern(2)));
    EXPECT_EQ(ReadBytes(folder / "ThIndex.dat"), index);
    EXPECT_EQ(fs::file_size(folder / "ThStore.dat"), kSlot);
    EXPECT_EQ(db.Lookup(u"/MODELS/SHIP.ms3d")->pixels, Pattern(2).pixels);
    EXPECT_EQ(kestrel::thumbdb::PathKey(u"/\u0416\u00c9Z"), u"/\u0436\u00e9z");
}

TEST_F(ThumbDatabase, PicturesOfAnotherSizeAreRefused)
{
    CThumbDatabase db(folder);
    ASSERT_TRUE(db.Open());
    EXPECT_FALSE(db.Store(u"/a", kestrel::thumbnail::Picture{}));
    Picture small;
    small.width = small.height = 2;
    small.pixels.assign(4, 0xff000000u);
    EXPECT_FALSE(db.Store(u"/a", small));
    EXPECT_EQ(db.EntryCount(), 0);
}

// Each kind of damage: both files start afresh.
TEST_F(ThumbDatabase, DamagedFilesStartAfresh)
{
    const fs::path indexPath = folder / "ThIndex.dat", storePath = folder / "ThStore.dat";
    struct Damage {
        const char* what;
        void (*apply)(Bytes& index, Bytes& store);
    };
    const Damage damages[] = {
        {"magic", [](Bytes& i, Bytes&) { i[0] = 'J'; }},
        {"version 2", [](Bytes& i, Bytes&) { i[6] = 2; }},
        {"width", [](Bytes& i, Bytes&) { i[8] = 95; }},
        {"height", [](Bytes& i, Bytes&) { i[10] = 85; }},
        {"negative count", [](Bytes& i, Bytes&) { i[15] = 0x80; }},
        {"count beyond the file", [](Bytes& i, Bytes& s) { i[12] = 3; s.resize(3 * kSlot); }},
        {"huge count", [](Bytes& i, Bytes&) { i[12] = i[13] = i[14] = 0xff; i[15] = 0x7f; }},
        {"header cut", [](Bytes& i, Bytes&) { i.resize(14); }},
        {"entry cut", [](Bytes& i, Bytes&) { i.pop_back(); }},
        {"path length 0", [](Bytes& i, Bytes&) { i[16] = i[17] = 0; }},
        {"path length beyond the file", [](Bytes& i, Bytes&) { i[17] = 0xff; }},
        // The second entry's offset (bytes 36 to 39): slot 2 of a two-slot store.
        {"slot beyond the store", [](Bytes& i, Bytes&) { i[36] = 0; i[37] = 0xbd; }},
        // 24064: inside the store but not on a slot boundary.
        {"slot off its boundary", [](Bytes& i, Bytes&) { i[36] = 0; }},
        {"bytes after the entries", [](Bytes& i, Bytes&) { i.push_back(0); }},
        {"store a byte short", [](Bytes&, Bytes& s) { s.pop_back(); }},
        {"store a byte long", [](Bytes&, Bytes& s) { s.push_back(0); }},
        {"store empty", [](Bytes&, Bytes& s) { s.clear(); }},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.what);
        fs::remove_all(root);
        Fill({u"/a", u"/b"});
        Bytes index = ReadBytes(indexPath), store = ReadBytes(storePath);
        damage.apply(index, store);
        WriteBytes(indexPath, index);
        WriteBytes(storePath, store);
        ExpectOpensAfresh();
    }
    for (const fs::path& missing : {indexPath, storePath}) {
        fs::remove_all(root);
        Fill({u"/a"});
        fs::remove(missing);
        ExpectOpensAfresh();
    }
}

TEST_F(ThumbDatabase, ResetEmptiesBothFiles)
{
    Fill({u"/a", u"/b"});
    CThumbDatabase db(folder);
    ASSERT_TRUE(db.Open());
    ASSERT_TRUE(db.Reset());
    EXPECT_TRUE(db.IsOpen());
    EXPECT_FALSE(db.Lookup(u"/a"));
    EXPECT_EQ(ReadBytes(folder / "ThIndex.dat"), kEmptyIndex);
    EXPECT_EQ(fs::file_size(folder / "ThStore.dat"), 0u);
    EXPECT_FALSE(fs::exists(folder / "ThIndex.dat.new"));
    ASSERT_TRUE(db.Store(u"/c", Pattern(3)));
    EXPECT_EQ(db.EntryCount(), 1);
}

TEST_F(ThumbDatabase, AStoreCutShortAfterOpeningGivesNoPicture)
{
    Fill({u"/a", u"/b"});
    CThumbDatabase db(folder);
    ASSERT_TRUE(db.Open());
    fs::resize_file(folder / "ThStore.dat", kSlot + 10);
    EXPECT_TRUE(db.Lookup(u"/a"));
    EXPECT_FALSE(db.Lookup(u"/b"));
}

TEST_F(ThumbDatabase, AFolderThatCannotBeMadeLeavesItClosed)
{
    fs::create_directories(root);
    WriteBytes(root / "Halvard", {1});
    CThumbDatabase db(folder);
    EXPECT_FALSE(db.Open());
    EXPECT_FALSE(db.Store(u"/a", Pattern(0)));
}

TEST_F(ThumbDatabase, TheDefaultFolderIsInTheUsersDataFolder)
{
    const char* old = std::getenv("XDG_DATA_HOME");
    const std::string saved = old ? old : "";
    setenv("XDG_DATA_HOME", root.c_str(), 1);
    EXPECT_EQ(kestrel::thumbdb::DefaultThumbFolder(), folder);
    CThumbDatabase db;
    EXPECT_TRUE(db.Open());
    EXPECT_TRUE(fs::exists(folder / "ThIndex.dat"));
    if (old)
        setenv("XDG_DATA_HOME", saved.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
}

} // namespace
