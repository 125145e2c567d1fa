#include <algorithm>

#include "formats/md2/md2_file.h"
#include "model_file.h"
#include "nimbus/model.h"
#include "util/multibyte.h"

namespace {
// A zero or negative skin size would make every coordinate infinite; such files divide by 1.
float Divisor(int32_t size) { return size > 0 ? float(size) : 1.0f; }
} // namespace

bool CModel::ImportMd2File(const char* path)
{
    std::vector<uint8_t> bytes;
    if (!nimbus::readers::ReadModelFile(path, bytes))
        return false;
    nimbus::md2::File file;
    // A file that is not a usable MD2 leaves the current model alone.
    if (nimbus::md2::Parse(bytes.data(), bytes.size(), file) != nimbus::md2::ParseStatus::Ok)
        return false;
    std::vector<uint8_t>().swap(bytes); // frees them: assigning {} would keep the capacity
    Unload();

    CMesh& mesh = mMeshes.emplace_back();
    mesh.SetName("MD2 Frame");
    const size_t vertexCount = file.positions.size() / 3;
    mesh.mVertices.resize(vertexCount);
    mesh.mNormals.resize(vertexCount);
    mesh.mTriangles.resize(file.triangles.size());
    mesh.mTexCoords.resize(file.texCoords.size());
    mMaterials.resize(file.skins.size());
    CMaterialBatch& batch = mesh.mBatches.emplace_back();
    batch.mMaterial = file.skins.empty() ? -1 : 0;
    batch.mTriangles.resize(file.triangles.size());

    CMatrix ry, rz;
    ry.SetRotationDeg(0.0f, -90.0f, 0.0f);
    rz.SetRotationDeg(0.0f, 0.0f, -90.0f);
    const CMatrix turn = rz * ry;
    for (size_t i = 0; i < vertexCount; ++i) {
        float* p = mesh.mVertices[i].mLoadedPos;
        std::copy(&file.positions[i * 3], &file.positions[i * 3] + 3, p);
        turn.VectorRotate(p);
    }

    // Corners are stored in reverse order to turn the faces the engine's way.
    for (size_t k = 0; k < file.triangles.size(); ++k) {
        const nimbus::md2::Triangle& ft = file.triangles[k];
        CTriangle& t = mesh.mTriangles[k];
        for (int j = 0; j < 3; ++j) {
            t.mVertices[j] = ft.vertices[2 - j];
            t.mNormals[j] = ft.vertices[2 - j];
            t.mTexCoords[j] = ft.texCoords[2 - j];
        }
        t.mMaterial = 0;
        t.mSmoothingGroup = 1;
        t.mTextured = 1;
        batch.mTriangles[k] = uint32_t(k);
    }

    const float su = Divisor(file.skinWidth), sv = Divisor(file.skinHeight);
    for (size_t i = 0; i < file.texCoords.size(); ++i) {
        mesh.mTexCoords[i].mU = float(file.texCoords[i].s) / su;
        mesh.mTexCoords[i].mV = 1.0f - float(file.texCoords[i].t) / sv;
    }

    for (size_t k = 0; k < file.skins.size(); ++k) {
        skfCopyName(mMaterials[k].mName, file.skins[k].c_str());
        mMaterials[k].mDiffuseTex.mFileName = nimbus::MultiByteToWide(file.skins[k]);
    }

    // Vertex normals: the mean of the unnormalised face vectors around each vertex.
    std::vector<CVector3d> sum(vertexCount);
    std::vector<unsigned> uses(vertexCount, 0);
    for (const CTriangle& t : mesh.mTriangles) {
        const CVector3d p0(mesh.mVertices[size_t(t.mVertices[0])].mLoadedPos);
        const CVector3d p1(mesh.mVertices[size_t(t.mVertices[1])].mLoadedPos);
        const CVector3d p2(mesh.mVertices[size_t(t.mVertices[2])].mLoadedPos);
        const CVector3d face = (p0 - p1).Cross(p0 - p2);
        for (int32_t v : t.mVertices) {
            sum[size_t(v)] += face;
            ++uses[size_t(v)];
        }
    }
    for (size_t i = 0; i < vertexCount; ++i) {
        if (uses[i] == 0)
            continue;
        CVector3d n = sum[i];
        n /= float(uses[i]);
        n.Normalize();
        mesh.mNormals[i].mLoadedDir[0] = n.x;
        mesh.mNormals[i].mLoadedDir[1] = n.y;
        mesh.mNormals[i].mLoadedDir[2] = n.z;
    }
    return true;
}
