// Samples of the formats only the engine's parsers read: an MD2 model with its skin beside
// it, and the arm written as text by the MS3D ASCII exporter.
#include <fstream>

#include "formats/md2_afs_writer.h"
#include "formats/ms3d/ms3d_file.h"
#include "ms3d_ascii_export.h"
#include "ms3d_import.h"
#include "image_fixtures.h"
#include "sample_files.h"

namespace kestrel::samples {
namespace {

constexpr uint32_t kSkinSize = 64;

bool ReadBytes(const std::string& path, std::vector<uint8_t>& bytes)
{
    std::ifstream in(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return bool(in) || in.eof();
}

// Sandstone blocks: rows of bricks, offset every other row.
bool WriteSkin(const std::string& path)
{
    // The engine writes no PCX; the test writer makes one of three planes.
    test::RefImage t;
    t.width = t.height = kSkinSize;
    t.pixels.resize(size_t(kSkinSize) * kSkinSize * 3);
    for (uint32_t y = 0; y < kSkinSize; ++y)
        for (uint32_t x = 0; x < kSkinSize; ++x) {
            const uint32_t shifted = x + ((y / 8) % 2) * 8;
            const bool joint = y % 8 == 0 || shifted % 16 == 0;
            uint8_t* p = t.pixels.data() + (size_t(y) * kSkinSize + x) * 3;
            p[0] = joint ? 120 : uint8_t(200 + (x * 7 + y * 3) % 30);
            p[1] = joint ? 100 : uint8_t(170 + (x * 5 + y) % 20);
            p[2] = joint ? 80 : 110;
        }
    test::PcxOptions options;
    options.paletted = false;
    test::WriteBytes(path, test::MakePcx(t, options));
    std::ifstream written(path, std::ios::binary);
    return bool(written);
}

} // namespace

bool WritePyramidMd2(const std::string& folder)
{
    test::Md2Model m;
    // The skin names its place in the game's folders; the viewer finds it beside the model.
    m.skins = {"models/pyramid/skin.pcx"};
    m.skinWidth = m.skinHeight = int32_t(kSkinSize);
    // Quake's space has z up: four base corners and the apex.
    m.positions = {0, 0, 0, 200, 0, 0, 200, 200, 0, 0, 200, 0, 100, 100, 160};
    m.scale[0] = m.scale[1] = m.scale[2] = 0.01f;
    m.texCoords = {0, 0, 64, 0, 64, 64, 0, 64, 32, 32};
    // Each face clockwise seen from outside, as MD2 files hold them; texture corners as vertices.
    const int16_t faces[6][3] = {{4, 1, 0}, {4, 2, 1}, {4, 3, 2}, {4, 0, 3}, {2, 3, 0}, {1, 2, 0}};
    for (const auto& f : faces)
        m.triangles.insert(m.triangles.end(), {f[0], f[1], f[2], f[0], f[1], f[2]});
    std::ofstream out(folder + "/pyramid.md2", std::ios::binary | std::ios::trunc);
    const std::vector<uint8_t> bytes = test::WriteMd2(m);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out) && WriteSkin(folder + "/skin.pcx");
}

bool WriteArmText(const std::string& folder)
{
    std::vector<uint8_t> bytes;
    nimbus::ms3d::File file;
    if (!ReadBytes(folder + "/arm.ms3d", bytes) ||
        nimbus::ms3d::Parse(bytes.data(), bytes.size(), file) != nimbus::ms3d::ParseStatus::Ok)
        return false;
    skModel record;
    skModelInit(&record);
    CJobProgress progress;
    const bool ok = kestrel::shapebin::BuildModel(file, &record) &&
                    kestrel::ms3dascii::ExportMs3dAscii(&record, folder + "/arm.txt", {}, progress) ==
                        kestrel::ms3dascii::ExportResult::Written;
    skModelNullify(&record);
    return ok;
}

} // namespace kestrel::samples
