#include <cmath>
#include <fstream>

#include "formats/bvh_writer.h"
#include "formats/md2_afs_writer.h"
#include "formats/ms3d_writer.h"
#include "formats/off_writer.h"
#include "formats/stl_writer.h"
#include "formats/studio3ds_writer.h"
#include "sample_files.h"

namespace kestrel::samples {
namespace {

bool Save(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
}

bool SaveText(const std::string& path, const std::string& text)
{
    return Save(path, std::vector<uint8_t>(text.begin(), text.end()));
}

// A box of 8 vertices and 12 triangles from y0 to y1, bound to one joint.
void AddBox(test::ms3d::Model& m, float half, float y0, float y1, int8_t joint, uint8_t group)
{
    const uint16_t base = uint16_t(m.vertices.size());
    for (int i = 0; i < 8; ++i)
        m.vertices.push_back({(i & 1) ? half : -half, (i & 2) ? y1 : y0, (i & 4) ? half : -half, joint});
    static const int quads[6][4] = {{0, 1, 3, 2}, {4, 6, 7, 5}, {0, 4, 5, 1}, {2, 3, 7, 6}, {0, 2, 6, 4}, {1, 5, 7, 3}};
    static const float normals[6][3] = {{0, 0, -1}, {0, 0, 1}, {0, -1, 0}, {0, 1, 0}, {-1, 0, 0}, {1, 0, 0}};
    test::ms3d::Group& g = m.groups[group];
    for (int q = 0; q < 6; ++q)
        for (int half2 = 0; half2 < 2; ++half2) {
            test::ms3d::Triangle t;
            const int* c = quads[q];
            // Counter-clockwise seen from outside, the way the face normal points.
            const int corners[3] = {c[0], half2 ? c[3] : c[2], half2 ? c[2] : c[1]};
            for (int k = 0; k < 3; ++k) {
                t.v[k] = uint16_t(base + corners[k]);
                for (int a = 0; a < 3; ++a)
                    t.normals[k][a] = normals[q][a];
                t.s[k] = (corners[k] & 1) ? 1.0f : 0.0f;
                t.t[k] = (corners[k] & 2) ? 0.0f : 1.0f;
            }
            t.smoothing = uint8_t(q + 1);
            t.group = group;
            g.triangles.push_back(uint16_t(m.triangles.size()));
            m.triangles.push_back(t);
        }
}

} // namespace

bool WriteAnimatedArm(const std::string& folder)
{
    test::ms3d::Model m;
    m.groups.resize(3);
    const char* names[3] = {"Base", "Middle", "Tip"};
    for (int i = 0; i < 3; ++i) {
        m.groups[size_t(i)].name = names[i];
        m.groups[size_t(i)].material = int8_t(i % 2);
        AddBox(m, 0.3f - 0.06f * float(i), 2.0f * float(i), 2.0f * float(i) + 1.9f, int8_t(i), uint8_t(i));
    }
    test::ms3d::Material metal;
    metal.name = "Metal";
    metal.diffuse[0] = 0.55f, metal.diffuse[1] = 0.6f, metal.diffuse[2] = 0.7f;
    test::ms3d::Material paint;
    paint.name = "Paint";
    paint.diffuse[0] = 0.85f, paint.diffuse[1] = 0.45f, paint.diffuse[2] = 0.1f;
    m.materials = {metal, paint};
    m.fps = 24;
    m.totalFrames = 90;
    // Three joints up the arm: frames 1-30 wave the tip, 31-60 bend the middle, 61-90 turn the base.
    for (int j = 0; j < 3; ++j) {
        test::ms3d::Joint joint;
        joint.name = names[j];
        joint.parent = j ? names[j - 1] : "";
        joint.position[1] = j ? 2.0f : 0.0f;
        for (int f = 0; f <= 90; f += 5) {
            const float phase = float(f) / 30.0f * 6.2831853f;
            float angle = 0;
            if (j == 2 && f <= 30)
                angle = 0.8f * std::sin(phase);
            if (j == 1 && f > 30 && f <= 60)
                angle = 0.6f * std::sin(phase);
            test::ms3d::Key key;
            key.time = float(f) / m.fps;
            if (j == 0 && f > 60)
                key.value[1] = 1.2f * std::sin(phase);
            else
                key.value[2] = angle;
            joint.rotationKeys.push_back(key);
        }
        m.joints.push_back(joint);
    }
    return Save(folder + "/arm.ms3d", test::ms3d::Write(m)) &&
           Save(folder + "/arm.afs", test::WriteAfs({{"Wave", 1, 30, 1}, {"Bend", 31, 60, 1}, {"Turn", 61, 90, 2}}));
}

bool WriteTexturedCrate(const std::string& folder)
{
    test::studio3ds::Material wood;
    wood.name = "Wood";
    wood.diffuse = {255, 255, 255};
    wood.texture = "crate.tga";
    test::studio3ds::Mesh box = test::studio3ds::Cube(true);
    box.name = "Crate";
    // One texture coordinate per corner of the shared-vertex cube.
    box.uv.clear();
    for (size_t i = 0; i < box.positions.size() / 3; ++i) {
        box.uv.push_back(box.positions[i * 3] > 0 ? 1.0f : 0.0f);
        box.uv.push_back(box.positions[i * 3 + 2] > 0 ? 1.0f : 0.0f);
    }
    test::studio3ds::FaceMaterial all{"Wood", {}};
    for (size_t f = 0; f < box.faces.size(); ++f)
        all.faces.push_back(uint16_t(f));
    box.faceMaterials = {all};
    return Save(folder + "/crate.3ds", test::studio3ds::Write({wood}, {box}));
}

bool WriteTerrainStl(const std::string& folder)
{
    return Save(folder + "/terrain.stl", test::stl::WriteBinary("Kestrel sample terrain", test::stl::Terrain(48)));
}

bool WriteTileOff(const std::string& folder)
{
    return SaveText(folder + "/tiles.off", test::off::Write(test::off::QuadsAndPentagons(12)));
}

bool WriteWalkBvh(const std::string& folder)
{
    using test::bvh::Node;
    const auto leg = [](const char* name, float x) {
        Node hip;
        hip.name = name;
        hip.offset[0] = x;
        hip.channels = {"Zrotation", "Xrotation", "Yrotation"};
        Node knee;
        knee.name = std::string(name) + "Knee";
        knee.offset[1] = -4.5f;
        knee.channels = {"Zrotation", "Xrotation", "Yrotation"};
        knee.children.push_back(test::bvh::EndSite(0, -4.5f, 0.5f));
        hip.children.push_back(knee);
        return hip;
    };
    Node root;
    root.name = "Hips";
    root.channels = {"Xposition", "Yposition", "Zposition", "Zrotation", "Xrotation", "Yrotation"};
    root.children = {leg("Left", 1.0f), leg("Right", -1.0f)};
    Node spine;
    spine.name = "Spine";
    spine.offset[1] = 1.0f;
    spine.channels = {"Zrotation", "Xrotation", "Yrotation"};
    spine.children.push_back(test::bvh::EndSite(0, 5.0f, 0));
    root.children.push_back(spine);

    std::vector<std::vector<float>> frames;
    for (int f = 0; f < 40; ++f) {
        const float s = std::sin(float(f) / 40.0f * 6.2831853f);
        const float c = std::cos(float(f) / 40.0f * 6.2831853f);
        frames.push_back({0, 9.0f + 0.2f * c * c, float(f) * 0.25f, 0, 0, 0, // hips
                          0, 30 * s, 0, 0, std::max(0.0f, -40 * s), 0,         // left hip, knee
                          0, -30 * s, 0, 0, std::max(0.0f, 40 * s), 0,         // right hip, knee
                          2 * s, 5, 0});                                       // spine
    }
    return SaveText(folder + "/walk.bvh", test::bvh::Write(root, frames, 1.0f / 30.0f));
}

} // namespace kestrel::samples
