#include <algorithm>
#include <unordered_map>

#include "formats/ms3d/ms3d_file.h"
#include "model_file.h"
#include "nimbus/model.h"
#include "util/multibyte.h"

namespace {

void CopyColour(float* dst, const float* src) { std::copy(src, src + 4, dst); }

void BuildMesh(const nimbus::ms3d::File& file, const nimbus::ms3d::Group& group, CMesh& mesh)
{
    mesh.SetName(group.name.c_str());
    const size_t n = group.triangles.size();
    mesh.mTriangles.resize(n);
    mesh.mNormals.resize(3 * n);
    mesh.mTexCoords.resize(3 * n);
    // Each file vertex enters the mesh once, in order of first reference.
    std::unordered_map<uint16_t, int32_t> meshIndex;
    for (size_t k = 0; k < n; ++k) {
        const nimbus::ms3d::Triangle& ft = file.triangles[group.triangles[k]];
        CTriangle& t = mesh.mTriangles[k];
        for (int j = 0; j < 3; ++j) {
            const uint16_t fileVertex = ft.vertices[j];
            auto [it, added] = meshIndex.emplace(fileVertex, int32_t(mesh.mVertices.size()));
            if (added) {
                const nimbus::ms3d::Vertex& fv = file.vertices[fileVertex];
                CVertex& v = mesh.mVertices.emplace_back();
                if (fv.joint == -1) {
                    std::copy(fv.position, fv.position + 3, v.mLoadedPos);
                } else {
                    // Skinned vertices keep their rest position only in their influence.
                    CVertexWeight& w = v.mWeights.emplace_back();
                    std::copy(fv.position, fv.position + 3, w.mLoadedPos);
                    w.mJoint = fv.joint;
                    w.mWeight = 1.0f;
                }
            }
            const size_t slot = 3 * k + size_t(j);
            t.mVertices[j] = it->second;
            t.mNormals[j] = int32_t(slot);
            t.mTexCoords[j] = int32_t(slot);
            std::copy(ft.normals[j], ft.normals[j] + 3, mesh.mNormals[slot].mLoadedDir);
            mesh.mTexCoords[slot].mU = ft.s[j];
            mesh.mTexCoords[slot].mV = 1.0f - ft.t[j];
        }
        t.mSmoothingGroup = ft.smoothingGroup;
        t.mTextured = 1;
        t.mMaterial = group.material;
    }
    CMaterialBatch& batch = mesh.mBatches.emplace_back();
    batch.mMaterial = group.material;
    batch.mTriangles.resize(n);
    for (size_t k = 0; k < n; ++k)
        batch.mTriangles[k] = uint32_t(k);
}

void BuildMaterial(const nimbus::ms3d::Material& fm, CMaterial& m)
{
    skfCopyName(m.mName, fm.name.c_str());
    CopyColour(m.mAmbient, fm.ambient);
    CopyColour(m.mDiffuse, fm.diffuse);
    CopyColour(m.mSpecular, fm.specular);
    CopyColour(m.mEmissive, fm.emissive);
    m.mShininess = fm.shininess;
    m.mTransparency = fm.transparency;
    m.mDiffuseTex.mFileName = nimbus::MultiByteToWide(fm.texture);
    m.mAlphaTex.mFileName = nimbus::MultiByteToWide(fm.alphaMap);
}

} // namespace

bool CModel::ImportMs3dFile(const char* path)
{
    std::vector<uint8_t> bytes;
    if (!nimbus::readers::ReadModelFile(path, bytes))
        return false;
    Unload();
    nimbus::ms3d::File file;
    if (nimbus::ms3d::Parse(bytes.data(), bytes.size(), file) != nimbus::ms3d::ParseStatus::Ok)
        return false;
    std::vector<uint8_t>().swap(bytes); // frees them: assigning {} would keep the capacity

    mMeshes.resize(file.groups.size());
    for (size_t g = 0; g < file.groups.size(); ++g)
        BuildMesh(file, file.groups[g], mMeshes[g]);
    mMaterials.resize(file.materials.size());
    for (size_t i = 0; i < file.materials.size(); ++i)
        BuildMaterial(file.materials[i], mMaterials[i]);

    mFps = file.framesPerSecond;
    mCurrentTime = file.currentTime;
    bool animated = false;
    mJoints.resize(file.joints.size());
    for (size_t i = 0; i < file.joints.size(); ++i) {
        const nimbus::ms3d::Joint& fj = file.joints[i];
        CJoint& j = mJoints[i];
        j.SetName(fj.name.c_str());
        j.SetParentName(fj.parentName.c_str());
        j.mInitRot = CVector3d(fj.rotation);
        j.mInitPos = CVector3d(fj.position);
        // Key times are stored in seconds and kept in frames.
        for (const nimbus::ms3d::Key& k : fj.rotationKeys)
            j.mRotKeys.emplace_back(k.time * file.framesPerSecond, CVector3d(k.value));
        for (const nimbus::ms3d::Key& k : fj.positionKeys)
            j.mPosKeys.emplace_back(k.time * file.framesPerSecond, CVector3d(k.value));
        animated = animated || !fj.rotationKeys.empty() || !fj.positionKeys.empty();
    }

    if (animated) {
        mAnimated = true;
        mTotalFrames = uint32_t(std::max(file.totalFrames, 0));
        mCurrentSequence = 0;
        CAnimSequence& all = mSequences.emplace_back();
        all.SetName("<All frames>");
        all.mStart = 1.0f;
        all.mEnd = float(mTotalFrames);
        all.mPriority = 0;
    } else {
        mTotalFrames = 0;
    }
    return true;
}
