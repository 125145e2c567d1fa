// Model conversion from the command line: every sample into every format and back, the
// export options, and the failures a user meets.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>

#include "image_fixtures.h"
#include "nimbus/texture.h"
#include "sample_files.h"
#include "temp_dir.h"

namespace {

using kestrel::test::TempDir;

struct CliResult {
    int exitCode = -1;
    std::string out;
};

// Runs the command line; standard error joins the output when asked.
CliResult Cli(const std::string& args, bool withErrors = false)
{
    CliResult r;
    const std::string command = std::string(KESTREL_CLI) + " " + args + (withErrors ? " 2>&1" : " 2>/dev/null");
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return r;
    std::array<char, 4096> buffer;
    size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        r.out.append(buffer.data(), n);
    const int status = pclose(pipe);
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

bool Has(const std::string& text, const std::string& piece) { return text.find(piece) != std::string::npos; }

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

using Counts = std::map<std::string, long>;

// The whole-number fields of `info`'s JSON.
Counts Info(const std::string& path)
{
    const CliResult r = Cli("info '" + path + "'");
    EXPECT_EQ(r.exitCode, 0) << path;
    Counts counts;
    for (const char* key : {"meshes", "vertices", "triangles", "normals", "texcoords", "materials", "joints",
                            "sequences", "frames"}) {
        const std::string tag = std::string("\"") + key + "\": ";
        const size_t at = r.out.find(tag);
        if (at != std::string::npos)
            counts[key] = std::strtol(r.out.c_str() + at + tag.size(), nullptr, 10);
    }
    return counts;
}

class ModelConvert : public ::testing::Test {
protected:
    void SetUp() override
    {
        using namespace kestrel::samples;
        const std::string folder = dir_.Path().string();
        ASSERT_TRUE(WriteImages(folder) && WriteAnimatedArm(folder) && WriteTexturedCrate(folder) &&
                    WriteTerrainStl(folder) && WriteTileOff(folder) && WriteWalkBvh(folder) &&
                    WritePyramidMd2(folder) && WriteArmText(folder));
    }
    TempDir dir_;
};

TEST_F(ModelConvert, EverySampleReadsBackWithTheCountsItsFormatHolds)
{
    struct Target {
        const char* extension;
        const char* options;
        std::vector<std::string> kept; // the counts the format carries over
    };
    const std::vector<std::string> all = {"meshes",   "vertices", "triangles", "normals", "texcoords",
                                          "materials", "joints",   "sequences", "frames"};
    // STL holds triangles only (vertices are welded anew); MS3D ASCII holds one texture
    // coordinate per vertex and no sequences of its own.
    const std::vector<Target> targets = {
        {"stl", "", {"triangles"}},
        {"stl", " --ascii", {"triangles"}},
        {"stla", "", {"triangles"}},
        {"txt", "", {"meshes", "vertices", "triangles", "normals", "materials", "joints", "frames"}},
        {"kxm3", "", all},
    };
    for (const char* sample :
         {"arm.ms3d", "crate.3ds", "terrain.stl", "tiles.off", "walk.bvh", "pyramid.md2", "arm.txt"}) {
        const Counts source = Info(dir_.File(sample));
        ASSERT_FALSE(source.empty()) << sample;
        for (const Target& t : targets) {
            SCOPED_TRACE(std::string(sample) + " -> " + t.extension + t.options);
            const std::string out = dir_.File(std::string("out.") + t.extension);
            std::filesystem::remove(out);
            const CliResult r = Cli("convert " + dir_.File(sample) + " " + out + t.options, true);
            if (source.at("triangles") == 0 && std::string(t.extension).rfind("stl", 0) == 0) {
                // A skeleton alone has nothing an STL file can hold.
                EXPECT_EQ(r.exitCode, 1);
                EXPECT_TRUE(Has(r.out, "Nothing to export")) << r.out;
                EXPECT_FALSE(std::filesystem::exists(out));
                continue;
            }
            ASSERT_EQ(r.exitCode, 0) << r.out;
            EXPECT_TRUE(Has(r.out, "Wrote " + out)) << r.out;
            const Counts back = Info(out);
            for (const std::string& key : t.kept)
                EXPECT_EQ(back.at(key), source.at(key)) << key;
            if (std::string(t.extension) == "stl") {
                const std::string bytes = ReadAll(out);
                const bool ascii = std::string(t.options) == " --ascii";
                EXPECT_EQ(bytes.rfind("solid", 0) == 0, ascii);
                if (!ascii)
                    EXPECT_EQ(bytes.size(), 84u + 50u * size_t(source.at("triangles")));
            }
        }
    }
}

TEST_F(ModelConvert, TheExportOptionsLeaveOutWhatTheyName)
{
    const std::string arm = dir_.File("arm.ms3d"), out = dir_.File("arm_out.txt");
    ASSERT_EQ(Cli("convert " + arm + " " + out + " --no-skeleton").exitCode, 0);
    Counts c = Info(out);
    EXPECT_EQ(c.at("joints"), 0);
    EXPECT_EQ(c.at("meshes"), 3);
    EXPECT_EQ(c.at("frames"), 0);

    ASSERT_EQ(Cli("convert " + arm + " " + out + " --no-animation --no-materials").exitCode, 0);
    c = Info(out);
    EXPECT_EQ(c.at("joints"), 3);
    EXPECT_EQ(c.at("materials"), 0);
    EXPECT_EQ(c.at("sequences"), 0);
    EXPECT_TRUE(Has(ReadAll(out), "Frames: 1\nFrame: 1\n"));

    const std::string before = ReadAll(out);
    const CliResult none = Cli("convert " + arm + " " + out + " --no-meshes --no-materials --no-skeleton", true);
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(Has(none.out, "No export options selected")) << none.out;
    EXPECT_EQ(ReadAll(out), before);
}

TEST_F(ModelConvert, FailuresSayWhyAndLeaveTheTarget)
{
    const std::string arm = dir_.File("arm.ms3d");
    // Options that the output's format has no use for are usage errors.
    EXPECT_EQ(Cli("convert " + arm + " x.txt --ascii").exitCode, 2);
    EXPECT_EQ(Cli("convert " + arm + " x.stl --no-skeleton").exitCode, 2);
    EXPECT_EQ(Cli("convert " + arm + " x.stlb --ascii").exitCode, 2);
    EXPECT_EQ(Cli("convert " + arm + " x.stl --ascii --binary").exitCode, 2);
    EXPECT_EQ(Cli("convert " + arm + " x.kxm3 --frobnicate").exitCode, 2);
    EXPECT_EQ(Cli("convert " + arm + " x.kxm3 y.kxm3 z").exitCode, 2);

    CliResult r = Cli("convert " + dir_.File("missing.ms3d") + " " + dir_.File("x.kxm3"), true);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(Has(r.out, "Unable to load file!")) << r.out;
    r = Cli("convert " + dir_.File("wheel.png") + " " + dir_.File("x.stl"), true);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(Has(r.out, "Not a model: ")) << r.out;
    // A text file that is no model is refused by the MS3D ASCII importer.
    const std::string notes = dir_.File("notes.txt");
    const std::string text = "Notes on the model, not the model.\n";
    kestrel::test::WriteBytes(notes, std::vector<uint8_t>(text.begin(), text.end()));
    r = Cli("convert " + notes + " " + dir_.File("x.kxm3"), true);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(Has(r.out, "Invalid or unsupported file!")) << r.out;
    EXPECT_FALSE(std::filesystem::exists(dir_.File("x.kxm3")));

    // A read-only target keeps its bytes and the reason is told.
    const std::string locked = dir_.File("locked.stl");
    kestrel::test::WriteBytes(locked, {'k', 'e', 'e', 'p'});
    ASSERT_EQ(::chmod(locked.c_str(), 0444), 0);
    r = Cli("convert " + arm + " " + locked, true);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(Has(r.out, "Cannot write " + locked + ": The file is read-only.")) << r.out;
    EXPECT_EQ(ReadAll(locked), "keep");
    r = Cli("convert " + arm + " " + dir_.File("no/such/folder/x.txt"), true);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(Has(r.out, "Cannot write ")) << r.out;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.Path()))
        EXPECT_NE(entry.path().filename().string().front(), '.') << "temporary file left: " << entry.path();
}

TEST_F(ModelConvert, ARelativeOutputIsBesideTheCaller)
{
    // Opening makes the model's folder current; the output stays where the user named it.
    TempDir here;
    kestrel::test::CurrentDirScope scope(here.Path());
    ASSERT_EQ(Cli("convert " + dir_.File("pyramid.md2") + " pyramid.kxm3").exitCode, 0);
    EXPECT_TRUE(std::filesystem::exists(here.Path() / "pyramid.kxm3"));
    EXPECT_FALSE(std::filesystem::exists(dir_.File("pyramid.kxm3")));
    EXPECT_EQ(Info((here.Path() / "pyramid.kxm3").string()).at("materials"), 1);
}

// Pixels whose red clearly exceeds their blue: the sandstone skin, not the grey default
// material or the blue-grey floor.
size_t WarmPixels(const std::string& png)
{
    CTexture picture;
    picture.SetFileNameUtf8(png.c_str());
    if (!picture.LoadFromFile())
        return 0;
    const unsigned n = picture.mBpp / 8u;
    size_t warm = 0;
    for (size_t i = 0; i + n <= picture.mData.size(); i += n)
        warm += picture.mData[i] >= picture.mData[i + 2] + 12 ? 1 : 0;
    return warm;
}

TEST_F(ModelConvert, TheMd2SkinBesideTheModelIsDrawn)
{
    const std::string args = " --size 96x96 --grid 0 --axes 0 --bbox 0 --rotation -30,30 -o ";
    const std::string skinned = dir_.File("skinned.png"), plain = dir_.File("plain.png");
    ASSERT_EQ(Cli("render " + dir_.File("pyramid.md2") + args + skinned).exitCode, 0);
    std::filesystem::remove(dir_.File("skin.pcx"));
    ASSERT_EQ(Cli("render " + dir_.File("pyramid.md2") + args + plain).exitCode, 0);
    EXPECT_GT(WarmPixels(skinned), 500u);
    EXPECT_LT(WarmPixels(plain), 50u);
}

} // namespace
