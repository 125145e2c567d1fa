#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>

#include "formats/ms3d_writer.h"
#include "formats/stl_writer.h"
#include "image_fixtures.h"
#include "nimbus/texture.h"
#include "temp_dir.h"

namespace {

using kestrel::test::TempDir;

struct CliRun {
    int exitCode = -1;
    std::string out;
};

CliRun RunShell(const std::string& command)
{
    CliRun r;
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

// Runs the command line with arguments and collects standard output (and error when asked).
CliRun Cli(const std::string& args, bool withErrors = false)
{
    return RunShell(std::string(KESTREL_CLI) + " " + args + (withErrors ? " 2>&1" : " 2>/dev/null"));
}

// Runs the command line and collects standard error alone.
CliRun CliErrors(const std::string& args) { return RunShell(std::string(KESTREL_CLI) + " " + args + " 2>&1 >/dev/null"); }

bool Has(const std::string& text, const std::string& piece) { return text.find(piece) != std::string::npos; }

class KestrelCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        ms3d_ = dir_.File("walker.ms3d");
        kestrel::test::WriteBytes(ms3d_, kestrel::test::ms3d::Write(kestrel::test::ms3d::SampleModel()));
        stl_ = dir_.File("terrain.stl");
        kestrel::test::WriteBytes(stl_, kestrel::test::stl::WriteBinary("terrain", kestrel::test::stl::Terrain(8)));
    }

    // The picture's pixels, and how many differ from the corner (background) colour.
    static size_t PixelsUnlikeBackground(const std::string& png, CTexture& picture)
    {
        picture.SetFileNameUtf8(png.c_str());
        if (!picture.LoadFromFile())
            return 0;
        const unsigned n = picture.mBpp / 8u;
        const uint8_t* corner = picture.mData.data() + (picture.mData.size() - n); // top-right
        size_t differing = 0;
        for (size_t i = 0; i + n <= picture.mData.size(); i += n)
            if (picture.mData[i] != corner[0] || picture.mData[i + 1] != corner[1] || picture.mData[i + 2] != corner[2])
                ++differing;
        return differing;
    }

    TempDir dir_;
    std::string ms3d_, stl_;
};

TEST_F(KestrelCli, InfoPrintsTheDocumentAsJson)
{
    const CliRun r = Cli("info " + ms3d_);
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_TRUE(Has(r.out, "\"kind\": \"model\""));
    EXPECT_TRUE(Has(r.out, "\"meshes\": 2"));
    EXPECT_TRUE(Has(r.out, "\"animated\": true"));
    EXPECT_TRUE(Has(r.out, "\"mesh_names\": [\"Body\", \"Tail\"]"));
    EXPECT_TRUE(Has(r.out, "\"sequence_names\": [\"<All frames>\"]"));
    EXPECT_TRUE(Has(r.out, "\"status\": \"Model loaded in "));

    const CliRun s = Cli("info " + stl_);
    ASSERT_EQ(s.exitCode, 0);
    EXPECT_TRUE(Has(s.out, "\"triangles\": 128"));

    CTexture image;
    image.mWidth = 6;
    image.mHeight = 4;
    image.mBpp = 24;
    image.InitPixelData();
    ASSERT_TRUE(image.SaveToFile(dir_.File("i.bmp").c_str(), SK_TEX_BMP));
    const CliRun i = Cli("info " + dir_.File("i.bmp"));
    ASSERT_EQ(i.exitCode, 0);
    EXPECT_TRUE(Has(i.out, "\"kind\": \"image\""));
    EXPECT_TRUE(Has(i.out, "\"width\": 6, \"height\": 4, \"bpp\": 24"));
}

// Whether every byte sequence of the text is well-formed UTF-8.
bool IsUtf8(const std::string& text)
{
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const size_t length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) >> 6) != 2)
                return false;
        i += length;
    }
    return true;
}

TEST_F(KestrelCli, InfoStaysValidJsonForNamesInOtherEncodings)
{
    auto model = kestrel::test::ms3d::SampleModel();
    model.groups[0].name = "Caf\xE9";         // Latin-1
    model.groups[1].name = "Caf\xC3\xA9\xED\xA0\x80"; // UTF-8, then an encoded surrogate
    const std::string path = dir_.File("names.ms3d");
    kestrel::test::WriteBytes(path, kestrel::test::ms3d::Write(model));
    const CliRun r = Cli("info " + path);
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_TRUE(IsUtf8(r.out));
    EXPECT_TRUE(Has(r.out, "\"mesh_names\": [\"Caf\\u00e9\", \"Caf\xC3\xA9\\u00ed\\u00a0\\u0080\"]")) << r.out;
}

TEST_F(KestrelCli, BadFilesAndArguments)
{
    CliRun r = Cli("info " + dir_.File("missing.ms3d"), true);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(Has(r.out, "Unable to load file!"));
    kestrel::test::WriteBytes(dir_.File("junk.stl"), std::vector<uint8_t>(100, 0x5A));
    r = Cli("info " + dir_.File("junk.stl"), true);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(Has(r.out, "Invalid or unsupported file!"));

    EXPECT_EQ(Cli("").exitCode, 2);
    EXPECT_EQ(Cli("info").exitCode, 2);
    EXPECT_EQ(Cli("frobnicate x").exitCode, 2);
    EXPECT_EQ(Cli("render " + ms3d_).exitCode, 2);
    EXPECT_EQ(Cli("render " + ms3d_ + " -o x.png --size 0x10").exitCode, 2);
    EXPECT_EQ(Cli("render " + ms3d_ + " -o x.png --mode 16").exitCode, 2);
    EXPECT_EQ(Cli("render " + ms3d_ + " -o x.png --rotation 10").exitCode, 2);
    EXPECT_EQ(Cli("render " + ms3d_ + " -o x.png --frame").exitCode, 2);
    EXPECT_EQ(Cli("render " + dir_.File("missing.ms3d") + " -o " + dir_.File("x.png")).exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(dir_.File("x.png")));
}

TEST_F(KestrelCli, RenderDrawsEveryMeshModeOverTheBackground)
{
    for (int mode : {1, 4, 5, 6, 7, 8, 9, 10, 11, 12}) {
        const std::string png = dir_.File("mode" + std::to_string(mode) + ".png");
        ASSERT_EQ(Cli("render " + stl_ + " -o " + png + " --size 160x120 --grid 0 --axes 0 --bbox 0 --mode " +
                      std::to_string(mode))
                      .exitCode,
                  0)
            << mode;
        CTexture picture;
        EXPECT_GT(PixelsUnlikeBackground(png, picture), 50u) << "mode " << mode;
        EXPECT_EQ(picture.mWidth, 160u);
    }
    // With the mesh off and nothing else drawn, the picture is the background alone.
    const std::string empty = dir_.File("off.png");
    ASSERT_EQ(Cli("render " + stl_ + " -o " + empty + " --size 160x120 --grid 0 --axes 0 --bbox 0 --mode 0").exitCode, 0);
    CTexture picture;
    PixelsUnlikeBackground(empty, picture);
    EXPECT_EQ(picture.mData[0], 192); // the default 3D background
}

TEST_F(KestrelCli, APosedFrameDiffersFromTheRestPose)
{
    const std::string rest = dir_.File("rest.png"), posed = dir_.File("posed.png");
    const std::string common = " --size 160x120 --grid 0 --axes 0 --bbox 0 --skeleton 1";
    ASSERT_EQ(Cli("render " + ms3d_ + " -o " + rest + common).exitCode, 0);
    ASSERT_EQ(Cli("render " + ms3d_ + " -o " + posed + common + " --frame 30").exitCode, 0);
    CTexture a, b;
    a.SetFileNameUtf8(rest.c_str());
    b.SetFileNameUtf8(posed.c_str());
    ASSERT_TRUE(a.LoadFromFile() && b.LoadFromFile());
    EXPECT_NE(a.mData, b.mData);
}

// RGB of a picture's pixel, x from the left and y from the top.
uint32_t TopDownPixel(const CTexture& picture, unsigned x, unsigned y)
{
    const unsigned n = picture.mBpp / 8u;
    const uint8_t* p = picture.mData.data() + (size_t(picture.mHeight - 1 - y) * picture.mWidth + x) * n;
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
}

TEST_F(KestrelCli, RenderDrawsTheConsoleOverTheTopOfTheScene)
{
    const std::string plain = dir_.File("plain.png"), withConsole = dir_.File("console.png");
    const std::string common = " --size 320x400";
    ASSERT_EQ(Cli("render " + stl_ + " -o " + plain + common).exitCode, 0);
    ASSERT_EQ(Cli("render --console " + stl_ + " -o " + withConsole + common).exitCode, 0);
    CTexture a, b;
    a.SetFileNameUtf8(plain.c_str());
    b.SetFileNameUtf8(withConsole.c_str());
    ASSERT_TRUE(a.LoadFromFile() && b.LoadFromFile());
    ASSERT_EQ(b.mWidth, 320u);
    ASSERT_EQ(b.mHeight, 400u);
    // The panel takes the top 326 rows; the scene below is untouched.
    constexpr unsigned kPanel = 326;
    for (unsigned y = kPanel; y < 400; y += 7)
        for (unsigned x = 0; x < 320; x += 5)
            ASSERT_EQ(TopDownPixel(a, x, y), TopDownPixel(b, x, y)) << x << "," << y;
    EXPECT_NE(TopDownPixel(a, 160, 100), TopDownPixel(b, 160, 100));
    EXPECT_EQ(TopDownPixel(b, 160, kPanel - 1 - 20), 0u); // the line above the prompt
    EXPECT_EQ(TopDownPixel(b, 0, 200), 0u);               // the left edge
    // Black text in the prompt's place and in the newest history line's.
    const auto darkIn = [&](unsigned x0, unsigned x1, unsigned y0, unsigned y1) {
        int dark = 0;
        for (unsigned y = kPanel - y1; y < kPanel - y0; ++y)
            for (unsigned x = x0; x < x1; ++x)
                dark += TopDownPixel(b, x, y) == 0;
        return dark;
    };
    EXPECT_GT(darkIn(8, 36, 7, 17), 30);
    EXPECT_GT(darkIn(8, 120, 30, 41), 60);
    EXPECT_EQ(darkIn(200, 310, 30, 320), 0); // the few lines are short

    // Left for a person to look at.
    const std::filesystem::path out =
        std::filesystem::path(KESTREL_CLI).parent_path().parent_path() / "test-output" / "cli";
    std::filesystem::create_directories(out);
    std::filesystem::copy_file(withConsole, out / "console.png", std::filesystem::copy_options::overwrite_existing);
}

TEST_F(KestrelCli, TheConsoleOptionTakesNoValue)
{
    const std::string png = dir_.File("image_console.png");
    CTexture image;
    image.mWidth = 40;
    image.mHeight = 20;
    image.mBpp = 24;
    image.InitPixelData();
    ASSERT_TRUE(image.SaveToFile(dir_.File("black.png").c_str(), SK_TEX_PNG));
    ASSERT_EQ(Cli("render " + dir_.File("black.png") + " --console -o " + png + " --size 120x90").exitCode, 0);
    CTexture picture;
    picture.SetFileNameUtf8(png.c_str());
    ASSERT_TRUE(picture.LoadFromFile());
    EXPECT_EQ(TopDownPixel(picture, 0, 45), 0u); // the left edge, through the whole short picture
    EXPECT_EQ(Cli("render " + dir_.File("black.png") + " -o " + png + " --console 1").exitCode, 2);
}

TEST_F(KestrelCli, RenderShowsImagesFittedOverTheBackdrop)
{
    CTexture image;
    image.mWidth = 40;
    image.mHeight = 20;
    image.mBpp = 32;
    image.InitPixelData(); // fully transparent: only the backdrop shows
    ASSERT_TRUE(image.SaveToFile(dir_.File("clear.png").c_str(), SK_TEX_PNG));
    const std::string png = dir_.File("clear_view.png");
    ASSERT_EQ(Cli("render " + dir_.File("clear.png") + " -o " + png + " --size 80x60").exitCode, 0);
    CTexture picture;
    picture.SetFileNameUtf8(png.c_str());
    ASSERT_TRUE(picture.LoadFromFile());
    const auto at = [&](uint32_t x, uint32_t y) { return picture.mData.data() + (size_t(y) * 80 + x) * 3; };
    // The image sits at (20, 20) .. (59, 39); its first backdrop cell is 224 grey.
    EXPECT_EQ(at(20, 20)[0], 224);
    EXPECT_EQ(at(28, 20)[0], 255);
    EXPECT_EQ(at(5, 5)[0], 255); // the 2D background, white
}

// Pipes would block an open for reading until a writer comes; every read refuses them at once,
// the model, its textures and the images alike.
TEST_F(KestrelCli, PipesAreRefusedWithoutWaiting)
{
    const std::string fifoModel = dir_.File("pipe.stl"), fifoImage = dir_.File("pipe.bmp");
    ASSERT_EQ(mkfifo(fifoModel.c_str(), 0600), 0);
    ASSERT_EQ(mkfifo(fifoImage.c_str(), 0600), 0);
    EXPECT_EQ(Cli("info '" + fifoModel + "'").exitCode, 1);
    EXPECT_EQ(Cli("convert '" + fifoImage + "' '" + dir_.File("out.png") + "'").exitCode, 1);
    // The sample model's texture is skin.tga beside it.
    ASSERT_EQ(mkfifo(dir_.File("skin.tga").c_str(), 0600), 0);
    EXPECT_EQ(Cli("render '" + ms3d_ + "' -o '" + dir_.File("textured.png") + "' --size 32x32").exitCode, 0);
}

TEST_F(KestrelCli, AFileWhoseNameIsNotUtf8Opens)
{
    const std::string odd = dir_.File("terr\xe4in\xff.stl");
    std::filesystem::copy_file(stl_, odd);
    const CliRun run = Cli("info '" + odd + "'");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(Has(run.out, "\"triangles\": 128")) << run.out;
}

std::string ReadAll(const std::string& path)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    std::string bytes;
    if (!f)
        return bytes;
    std::array<char, 4096> buffer;
    size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), f)) > 0)
        bytes.append(buffer.data(), n);
    std::fclose(f);
    return bytes;
}

mode_t ModeOf(const std::string& path)
{
    struct stat st{};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

// Writing over an existing file keeps what the user set up around it, and a refusal says why.
TEST_F(KestrelCli, ConvertKeepsReadOnlyFilesPermissionsLinksAndLongNames)
{
    namespace fs = std::filesystem;
    const std::string source = dir_.File("source.png");
    ASSERT_EQ(Cli("sample " + source).exitCode, 0);

    const std::string locked = dir_.File("locked.png");
    kestrel::test::WriteBytes(locked, {'k', 'e', 'e', 'p'});
    ASSERT_EQ(::chmod(locked.c_str(), 0444), 0);
    const CliRun refused = CliErrors("convert " + source + " " + locked + " --invert");
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(Has(refused.out, "Cannot write PNG image: " + locked + ": The file is read-only.")) << refused.out;
    EXPECT_EQ(ReadAll(locked), "keep");
    EXPECT_EQ(ModeOf(locked), mode_t(0444));

    const std::string secret = dir_.File("secret.png");
    kestrel::test::WriteBytes(secret, {'o', 'l', 'd'});
    ASSERT_EQ(::chmod(secret.c_str(), 0600), 0);
    ASSERT_EQ(Cli("convert " + source + " " + secret + " --grayscale").exitCode, 0);
    EXPECT_EQ(ReadAll(secret).substr(1, 3), "PNG");
    EXPECT_EQ(ModeOf(secret), mode_t(0600));

    const std::string longName = dir_.File(std::string(246, 'l') + ".bmp"); // 250 bytes
    ASSERT_EQ(Cli("convert " + source + " " + longName).exitCode, 0);
    EXPECT_EQ(ReadAll(longName).substr(0, 2), "BM");

    const std::string link = dir_.File("link.png");
    fs::create_symlink("secret.png", link);
    const std::string before = ReadAll(secret);
    ASSERT_EQ(Cli("convert " + source + " " + link + " --invert").exitCode, 0);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_NE(ReadAll(secret), before);
    EXPECT_EQ(ReadAll(secret).substr(1, 3), "PNG");
    EXPECT_EQ(ModeOf(secret), mode_t(0600));
    for (const auto& entry : fs::directory_iterator(dir_.Path()))
        EXPECT_NE(entry.path().filename().string().front(), '.') << "temporary file left: " << entry.path();
}

TEST_F(KestrelCli, RenderKeepsReadOnlyFilesPermissionsLinksAndLongNames)
{
    namespace fs = std::filesystem;
    const std::string common = " --size 32x24 --grid 0 --axes 0 --bbox 0";
    const std::string locked = dir_.File("locked.png");
    kestrel::test::WriteBytes(locked, {'k', 'e', 'e', 'p'});
    ASSERT_EQ(::chmod(locked.c_str(), 0444), 0);
    const CliRun refused = CliErrors("render " + stl_ + " -o " + locked + common);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(Has(refused.out, "Cannot write " + locked + ": The file is read-only.")) << refused.out;
    EXPECT_EQ(ReadAll(locked), "keep");

    const std::string secret = dir_.File("secret.png");
    kestrel::test::WriteBytes(secret, {'o', 'l', 'd'});
    ASSERT_EQ(::chmod(secret.c_str(), 0600), 0);
    const std::string link = dir_.File("link.png");
    fs::create_symlink("secret.png", link);
    ASSERT_EQ(Cli("render " + stl_ + " -o " + link + common).exitCode, 0);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadAll(secret).substr(1, 3), "PNG");
    EXPECT_EQ(ModeOf(secret), mode_t(0600));

    const std::string longName = dir_.File(std::string(246, 'r') + ".png"); // 250 bytes
    ASSERT_EQ(Cli("render " + stl_ + " -o " + longName + common).exitCode, 0);
    EXPECT_EQ(ReadAll(longName).substr(1, 3), "PNG");
}

} // namespace

namespace {

// A PNG written by the command line, its frame checked all round; bottom row first.
bool LoadFramed(const std::string& png, CTexture& picture)
{
    picture.SetFileNameUtf8(png.c_str());
    if (!picture.LoadFromFile() || picture.mBpp < 24)
        return false;
    const unsigned n = picture.mBpp / 8u;
    const auto grey = [&](uint32_t x, uint32_t y) {
        const uint8_t* p = picture.mData.data() + (size_t(y) * picture.mWidth + x) * n;
        return p[0] == 192 && p[1] == 192 && p[2] == 192;
    };
    for (uint32_t x = 0; x < picture.mWidth; ++x)
        if (!grey(x, 0) || !grey(x, picture.mHeight - 1))
            return false;
    for (uint32_t y = 0; y < picture.mHeight; ++y)
        if (!grey(0, y) || !grey(picture.mWidth - 1, y))
            return false;
    return true;
}

TEST_F(KestrelCli, ThumbnailWritesTheFramedPictureOfAModelOrAnImage)
{
    const std::string png = dir_.File("terrain_thumb.png");
    ASSERT_EQ(Cli("thumbnail " + stl_ + " -o " + png).exitCode, 0);
    CTexture picture;
    ASSERT_TRUE(LoadFramed(png, picture));
    EXPECT_EQ(picture.mWidth, 96u);
    EXPECT_EQ(picture.mHeight, 84u);
    // The gradient behind the model: its top-left corner darker than its bottom-left one.
    const auto red = [&](uint32_t x, uint32_t yFromTop) {
        return picture.mData[(size_t(picture.mHeight - 1 - yFromTop) * picture.mWidth + x) * (picture.mBpp / 8u)];
    };
    EXPECT_LT(red(2, 2), red(2, 81));

    const std::string half = dir_.File("terrain_half.png");
    ASSERT_EQ(Cli("thumbnail " + stl_ + " -o " + half + " --size 48x42").exitCode, 0);
    ASSERT_TRUE(LoadFramed(half, picture));
    EXPECT_EQ(picture.mWidth, 48u);
    EXPECT_EQ(picture.mHeight, 42u);

    // An image needs no context: 40 x 20 opaque black in the middle of white.
    CTexture image;
    image.mWidth = 40;
    image.mHeight = 20;
    image.mBpp = 24;
    image.InitPixelData();
    ASSERT_TRUE(image.SaveToFile(dir_.File("black.png").c_str(), SK_TEX_PNG));
    const std::string imageThumb = dir_.File("black_thumb.png");
    ASSERT_EQ(Cli("thumbnail " + dir_.File("black.png") + " -o " + imageThumb).exitCode, 0);
    ASSERT_TRUE(LoadFramed(imageThumb, picture));
    EXPECT_EQ(red(28, 32), 0);
    EXPECT_EQ(red(67, 51), 0);
    EXPECT_EQ(red(27, 32), 255);
    EXPECT_EQ(red(28, 52), 255);
}

// A model's texture shows in its thumbnail: made in the context that draws it.
TEST_F(KestrelCli, ThumbnailShowsTheModelsTexture)
{
    const auto greenPixels = [&](const std::string& png) {
        CTexture picture;
        EXPECT_TRUE(LoadFramed(png, picture));
        size_t n = 0;
        const size_t step = picture.mBpp / 8u;
        for (size_t i = 0; i + 2 < picture.mData.size(); i += step)
            n += picture.mData[i + 1] > 2 * picture.mData[i] + 20 && picture.mData[i + 1] > 2 * picture.mData[i + 2] + 20;
        return n;
    };
    const std::string plain = dir_.File("plain_thumb.png");
    ASSERT_EQ(Cli("thumbnail '" + ms3d_ + "' -o '" + plain + "'").exitCode, 0);
    CTexture skin;
    skin.mWidth = skin.mHeight = 8;
    skin.mBpp = 24;
    skin.InitPixelData();
    for (size_t i = 0; i < skin.mData.size(); i += 3)
        skin.mData[i + 1] = 255; // green
    ASSERT_TRUE(skin.SaveToFile(dir_.File("skin.tga").c_str(), SK_TEX_TGA));
    const std::string textured = dir_.File("textured_thumb.png");
    ASSERT_EQ(Cli("thumbnail '" + ms3d_ + "' -o '" + textured + "'").exitCode, 0);
    EXPECT_EQ(greenPixels(plain), 0u);
    EXPECT_GT(greenPixels(textured), 50u);
}

TEST_F(KestrelCli, ThumbnailRefusesBadSizesAndArguments)
{
    const std::string png = dir_.File("never.png");
    for (const char* size : {"2x84", "96x2", "4097x84", "96x5000", "2", "4097", "ax84", "0x0", "96x"}) {
        const CliRun r = CliErrors("thumbnail " + stl_ + " -o " + png + " --size " + size);
        EXPECT_EQ(r.exitCode, 2) << size;
        EXPECT_TRUE(Has(r.out, "--size takes WIDTHxHEIGHT or N (NxN), each side from 3 to 4096")) << size << ": " << r.out;
    }
    EXPECT_EQ(Cli("thumbnail " + stl_).exitCode, 2);
    EXPECT_EQ(Cli("thumbnail -o " + png).exitCode, 2);
    EXPECT_EQ(Cli("thumbnail " + stl_ + " " + ms3d_ + " -o " + png).exitCode, 2);
    EXPECT_EQ(Cli("thumbnail " + stl_ + " -o " + png + " --mode 1").exitCode, 2);
    EXPECT_EQ(Cli("thumbnail " + dir_.File("missing.stl") + " -o " + png).exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(png));
    // The smallest and largest sizes are taken.
    ASSERT_EQ(Cli("thumbnail " + stl_ + " -o " + png + " --size 3x3").exitCode, 0);
    CTexture picture;
    EXPECT_TRUE(LoadFramed(png, picture));
    EXPECT_TRUE(Has(Cli("--help").out, "kestrel-cli thumbnail FILE -o OUT.png [--size WxH|N]"));
}

// A file manager runs "kestrel-cli thumbnail --size %s %i %o": one number for a square,
// the output as the second file name.
TEST_F(KestrelCli, ThumbnailTakesAFileManagersArguments)
{
    const std::string png = dir_.File("manager.png");
    ASSERT_EQ(Cli("thumbnail --size 128 " + stl_ + " " + png).exitCode, 0);
    CTexture picture;
    ASSERT_TRUE(LoadFramed(png, picture));
    EXPECT_EQ(picture.mWidth, 128u);
    EXPECT_EQ(picture.mHeight, 128u);
    EXPECT_EQ(Cli("thumbnail " + stl_ + " " + png + " -o " + dir_.File("both.png")).exitCode, 2);
    EXPECT_EQ(Cli("thumbnail " + stl_ + " " + png + " " + dir_.File("third.png")).exitCode, 2);
}

// A thumbnailer never opens what could block it or exceed its budget.
TEST_F(KestrelCli, ThumbnailRefusesPipesAndHugeFilesWithoutOpeningThem)
{
    const std::string fifo = dir_.File("pipe.stl");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string png = dir_.File("never.png");
    CliRun r = CliErrors("thumbnail --size 64 " + fifo + " " + png);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(Has(r.out, "is not a regular file")) << r.out;

    const std::string huge = dir_.File("huge.stl");
    { std::ofstream(huge, std::ios::binary).put('s'); }
    std::filesystem::resize_file(huge, (uint64_t(512) << 20) + 1); // sparse: no disk used
    r = CliErrors("thumbnail --size 64 " + huge + " " + png);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(Has(r.out, "is larger than 512 MiB")) << r.out;
    EXPECT_FALSE(std::filesystem::exists(png));
}

} // namespace
