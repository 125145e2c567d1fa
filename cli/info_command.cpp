#include "info_command.h"

#include <cstdio>

#include "document_session.h"
#include "json_writer.h"

namespace kestrel::cli {
namespace {

std::vector<double> Vec(const CVector3d& v) { return {v.x, v.y, v.z}; }

void DescribeModel(const doc::Document& d, JsonObject& json)
{
    const SK_MODEL_STATS& s = d.stats;
    json.Integer("meshes", s.meshCount);
    json.Integer("vertices", s.totalVertices);
    json.Integer("triangles", s.totalTriangles);
    json.Integer("normals", s.totalNormals);
    json.Integer("texcoords", s.totalTexCoords);
    json.Integer("materials", s.materialCount);
    json.Integer("joints", s.jointCount);
    json.Integer("sequences", s.sequenceCount);
    json.Bool("animated", s.animated);
    json.Integer("frames", s.totalFrames);
    json.Number("fps", s.fps);
    json.Numbers("bounds_min", Vec(s.boundsMin));
    json.Numbers("bounds_max", Vec(s.boundsMax));
    json.Numbers("center", Vec(s.center));
    json.Number("scale", s.scale);
    std::vector<std::string> meshes, sequences;
    for (const CMesh& m : d.model.mMeshes)
        meshes.emplace_back(m.mName);
    for (const CAnimSequence& a : d.model.mSequences)
        sequences.emplace_back(a.mName);
    json.Strings("mesh_names", meshes);
    json.Strings("sequence_names", sequences);
}

} // namespace

int InfoCommand(const std::string& path, const std::string& plugInFolder)
{
    // Nothing is drawn, so no GL context: the counts do not depend on one.
    DocumentSession session(plugInFolder, path);
    const doc::OpenOutcome outcome = session.Open();
    if (!outcome.ok) {
        std::fprintf(stderr, "%s\n", outcome.status.c_str());
        return 1;
    }
    const doc::Document& d = session.Document();
    JsonObject json;
    json.String("file", path);
    json.String("kind", d.viewMode == doc::kImage ? "image" : "model");
    json.String("status", outcome.status);
    if (d.viewMode == doc::kImage) {
        json.Integer("width", d.image.mWidth);
        json.Integer("height", d.image.mHeight);
        json.Integer("bpp", d.image.mBpp);
    } else {
        DescribeModel(d, json);
        if (outcome.damaged)
            json.Bool("damaged", true);
    }
    std::printf("%s\n", json.Text().c_str());
    return 0;
}

} // namespace kestrel::cli
