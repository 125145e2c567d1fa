#include <algorithm>

#include "formats/ms3d_ascii/ms3d_ascii_file.h"
#include "model_file.h"
#include "nimbus/model.h"
#include "util/multibyte.h"

namespace {

void BuildMesh(const nimbus::ms3d_ascii::Mesh& fm, CMesh& mesh)
{
    mesh.SetName(fm.name.c_str());
    mesh.mVertices.resize(fm.vertices.size());
    mesh.mTexCoords.resize(fm.vertices.size());
    for (size_t i = 0; i < fm.vertices.size(); ++i) {
        const nimbus::ms3d_ascii::Vertex& fv = fm.vertices[i];
        CVertex& v = mesh.mVertices[i];
        // Unlike the binary reader, every vertex keeps its position.
        std::copy(fv.position, fv.position + 3, v.mLoadedPos);
        if (fv.joint != -1) {
            CVertexWeight& w = v.mWeights.emplace_back();
            std::copy(fv.position, fv.position + 3, w.mLoadedPos);
            w.mJoint = fv.joint;
            w.mWeight = 1.0f;
        }
        mesh.mTexCoords[i].mU = fv.u;
        mesh.mTexCoords[i].mV = 1.0f - fv.v;
    }
    mesh.mNormals.resize(fm.normals.size());
    for (size_t i = 0; i < fm.normals.size(); ++i)
        std::copy(fm.normals[i].xyz, fm.normals[i].xyz + 3, mesh.mNormals[i].mLoadedDir);
    mesh.mTriangles.resize(fm.triangles.size());
    CMaterialBatch& batch = mesh.mBatches.emplace_back();
    batch.mMaterial = fm.material;
    batch.mTriangles.resize(fm.triangles.size());
    for (size_t k = 0; k < fm.triangles.size(); ++k) {
        const nimbus::ms3d_ascii::Triangle& ft = fm.triangles[k];
        CTriangle& t = mesh.mTriangles[k];
        for (int j = 0; j < 3; ++j) {
            t.mVertices[j] = ft.vertices[j];
            t.mNormals[j] = ft.normals[j];
            t.mTexCoords[j] = ft.vertices[j];
        }
        t.mMaterial = fm.material;
        t.mSmoothingGroup = uint8_t(ft.smoothingGroup & 0xFF);
        t.mTextured = 1;
        batch.mTriangles[k] = uint32_t(k);
    }
}

void SetTextureName(CTexture& texture, const std::string& name)
{
    texture.mFileName = nimbus::MultiByteToWide(name);
}

void BuildMaterial(const nimbus::ms3d_ascii::Material& fm, CMaterial& m)
{
    skfCopyName(m.mName, fm.name.c_str());
    std::copy(fm.ambient, fm.ambient + 4, m.mAmbient);
    std::copy(fm.diffuse, fm.diffuse + 4, m.mDiffuse);
    std::copy(fm.specular, fm.specular + 4, m.mSpecular);
    std::copy(fm.emissive, fm.emissive + 4, m.mEmissive);
    m.mShininess = fm.shininess;
    m.mTransparency = fm.transparency;
    SetTextureName(m.mDiffuseTex, fm.texture);
    SetTextureName(m.mAlphaTex, fm.alphaMap);
}

} // namespace

bool CModel::ImportMs3dAsciiFile(const char* path)
{
    std::vector<uint8_t> bytes;
    if (!nimbus::readers::ReadModelFile(path, bytes))
        return false;
    Unload();
    nimbus::ms3d_ascii::File file;
    if (!nimbus::ms3d_ascii::Parse(reinterpret_cast<const char*>(bytes.data()), bytes.size(), file))
        return false;
    std::vector<uint8_t>().swap(bytes); // frees them: assigning {} would keep the capacity

    mMeshes.resize(file.meshes.size());
    for (size_t i = 0; i < file.meshes.size(); ++i)
        BuildMesh(file.meshes[i], mMeshes[i]);
    mMaterials.resize(file.materials.size());
    for (size_t i = 0; i < file.materials.size(); ++i)
        BuildMaterial(file.materials[i], mMaterials[i]);
    bool animated = false;
    mJoints.resize(file.joints.size());
    for (size_t i = 0; i < file.joints.size(); ++i) {
        const nimbus::ms3d_ascii::Joint& fj = file.joints[i];
        CJoint& j = mJoints[i];
        j.SetName(fj.name.c_str());
        // A parent name longer than the file's 32-character limit names no joint.
        j.SetParentName(fj.parentName.size() > 32 ? "" : fj.parentName.c_str());
        j.mInitPos = CVector3d(fj.position);
        j.mInitRot = CVector3d(fj.rotation);
        for (const nimbus::ms3d_ascii::Key& k : fj.positionKeys)
            j.mPosKeys.emplace_back(k.frame, CVector3d(k.value));
        for (const nimbus::ms3d_ascii::Key& k : fj.rotationKeys)
            j.mRotKeys.emplace_back(k.frame, CVector3d(k.value));
        animated = animated || !fj.positionKeys.empty() || !fj.rotationKeys.empty();
    }

    mTotalFrames = uint32_t(std::max(file.frames, 0));
    if (animated) {
        mAnimated = true;
        mCurrentSequence = 0;
        CAnimSequence& all = mSequences.emplace_back();
        all.SetName("<All frames>");
        all.mStart = 1.0f;
        all.mEnd = float(mTotalFrames);
    } else {
        mTotalFrames = 0;
    }
    return true;
}
