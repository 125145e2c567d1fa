#include "render/render_cache.h"

#include <algorithm>

#include "nimbus/model.h"
#include "render/shared_corners.h"

namespace nimbus::render {

namespace {
bool InRange(int32_t index, size_t count) { return index >= 0 && size_t(index) < count; }

bool SameShape(const CMesh& mesh, const MeshArrays& m)
{
    return m.vertexCount == mesh.mVertices.size() && m.triangleCount == mesh.mTriangles.size() &&
           m.normalCount == mesh.mNormals.size() && m.texCoordCount == mesh.mTexCoords.size();
}
} // namespace

void RenderCache::Prepare(const CModel& model, uint64_t bindSerial, uint64_t skinSerial)
{
    bool rebind = bindSerial != bindSerial_ || meshes_.size() != model.mMeshes.size();
    for (size_t i = 0; !rebind && i < meshes_.size(); ++i)
        rebind = !SameShape(model.mMeshes[i], meshes_[i]);
    if (rebind) {
        // The topology is made when a mode first asks for the corner arrays.
        meshes_.assign(model.mMeshes.size(), MeshArrays());
        for (size_t i = 0; i < meshes_.size(); ++i) {
            const CMesh& mesh = model.mMeshes[i];
            MeshArrays& m = meshes_[i];
            m.vertexCount = mesh.mVertices.size();
            m.triangleCount = mesh.mTriangles.size();
            m.normalCount = mesh.mNormals.size();
            m.texCoordCount = mesh.mTexCoords.size();
        }
        bindSerial_ = bindSerial;
    }
    if (rebind || skinSerial != skinSerial_) {
        for (MeshArrays& m : meshes_) {
            m.posed = false;
            m.shared.poseValid = false;
        }
        skinSerial_ = skinSerial;
    }
    model_ = &model;
}

MeshArrays& RenderCache::Mesh(size_t i)
{
    MeshArrays& m = meshes_[i];
    if (!m.topologyBuilt && model_ && i < model_->mMeshes.size()) {
        BuildTopology(model_->mMeshes[i], m);
        m.topologyBuilt = true;
    }
    if (!m.posed && model_ && i < model_->mMeshes.size()) {
        RefreshPose(model_->mMeshes[i], m);
        m.posed = true;
    }
    return m;
}

void RenderCache::BuildTopology(const CMesh& mesh, MeshArrays& m)
{
    m.vertexCount = mesh.mVertices.size();
    m.triangleCount = mesh.mTriangles.size();
    m.normalCount = mesh.mNormals.size();
    m.texCoordCount = mesh.mTexCoords.size();

    std::vector<int32_t> slotOf(mesh.mTriangles.size(), -1);
    bool anyTextured = false;
    for (uint32_t t = 0; t < mesh.mTriangles.size(); ++t) {
        const CTriangle& tri = mesh.mTriangles[t];
        if (!InRange(tri.mVertices[0], m.vertexCount) || !InRange(tri.mVertices[1], m.vertexCount) ||
            !InRange(tri.mVertices[2], m.vertexCount))
            continue;
        slotOf[t] = int32_t(m.triangles.size());
        m.triangles.push_back(t);
        anyTextured = anyTextured || tri.mTextured;
    }
    const size_t slots = m.triangles.size();
    m.edgeFlags.resize(slots * 3);
    for (size_t s = 0; s < slots; ++s)
        for (int c = 0; c < 3; ++c)
            m.edgeFlags[s * 3 + c] = mesh.mTriangles[m.triangles[s]].mEdgeFlags[c] ? GL_TRUE : GL_FALSE;

    for (const CMaterialBatch& b : mesh.mBatches) {
        MeshArrays::Batch batch;
        batch.material = b.mMaterial;
        batch.corners.reserve(b.mTriangles.size() * 3);
        for (uint32_t t : b.mTriangles) {
            if (t >= slotOf.size() || slotOf[t] < 0)
                continue;
            const GLuint first = GLuint(slotOf[t]) * 3;
            batch.corners.insert(batch.corners.end(), {first, first + 1, first + 2});
        }
        batch.contiguous = true;
        for (size_t k = 1; k < batch.corners.size() && batch.contiguous; ++k)
            batch.contiguous = batch.corners[k] == batch.corners[0] + k;
        m.batches.push_back(std::move(batch));
    }

    // Texture coordinates are only sent by the batched modes, and an untextured triangle
    // sends none: it keeps the coordinate last sent, in batch order.
    if (anyTextured) {
        m.texCoords.assign(slots * 6, 0.0f);
        float last[2] = {0, 0};
        for (const MeshArrays::Batch& batch : m.batches)
            for (size_t k = 0; k < batch.corners.size(); k += 3) {
                const GLuint slot = batch.corners[k] / 3;
                const CTriangle& tri = mesh.mTriangles[m.triangles[slot]];
                for (int c = 0; c < 3; ++c) {
                    if (tri.mTextured && InRange(tri.mTexCoords[c], m.texCoordCount)) {
                        last[0] = mesh.mTexCoords[size_t(tri.mTexCoords[c])].mU;
                        last[1] = mesh.mTexCoords[size_t(tri.mTexCoords[c])].mV;
                    }
                    m.texCoords[slot * 6 + c * 2] = last[0];
                    m.texCoords[slot * 6 + c * 2 + 1] = last[1];
                }
            }
    }
}

void RenderCache::RefreshPose(const CMesh& mesh, MeshArrays& m)
{
    const size_t slots = m.triangles.size();
    m.positions.resize(slots * 9);
    m.normals.resize(slots * 9);
    m.cornersValid = m.batchCornersValid = m.verticesValid = false;
    m.flatValid = false;
    m.shared.poseValid = false;
    for (size_t s = 0; s < slots; ++s) {
        const CTriangle& tri = mesh.mTriangles[m.triangles[s]];
        for (int c = 0; c < 3; ++c) {
            const float* p = mesh.mVertices[size_t(tri.mVertices[c])].mPos;
            GLfloat* dp = &m.positions[s * 9 + c * 3];
            dp[0] = p[0];
            dp[1] = p[1];
            dp[2] = p[2];
            GLfloat* dn = &m.normals[s * 9 + c * 3];
            if (InRange(tri.mNormals[c], m.normalCount)) {
                const float* n = mesh.mNormals[size_t(tri.mNormals[c])].mDir;
                dn[0] = n[0];
                dn[1] = n[1];
                dn[2] = n[2];
            } else {
                dn[0] = dn[1] = dn[2] = 0.0f;
            }
        }
    }
}

const Box& RenderCache::CornerBox(MeshArrays& m)
{
    if (!m.cornersValid) {
        m.corners = Box();
        for (size_t i = 0; i < m.positions.size(); i += 3)
            m.corners.Extend(&m.positions[i]);
        m.cornersValid = true;
    }
    return m.corners;
}

const Box& RenderCache::BatchBox(MeshArrays& m)
{
    if (!m.batchCornersValid) {
        m.batchCorners = Box();
        for (const MeshArrays::Batch& batch : m.batches)
            for (GLuint corner : batch.corners)
                m.batchCorners.Extend(&m.positions[size_t(corner) * 3]);
        m.batchCornersValid = true;
    }
    return m.batchCorners;
}

const Box& RenderCache::VertexBox(MeshArrays& m, const CMesh& mesh)
{
    if (!m.verticesValid) {
        m.vertices = Box();
        for (const CVertex& v : mesh.mVertices)
            m.vertices.Extend(v.mPos);
        m.verticesValid = true;
    }
    return m.vertices;
}

const GLfloat* RenderCache::FacingNormals(MeshArrays& m, const GLfloat* mv)
{
    const size_t n = m.normals.size();
    m.facingNormals.resize(n);
    const GLfloat* src = m.normals.data();
    GLfloat* dst = m.facingNormals.data();
    for (size_t i = 0; i < n; i += 3) {
        const float z = mv[2] * src[i] + mv[6] * src[i + 1] + mv[10] * src[i + 2];
        const float sign = z > 0.0f ? 1.0f : -1.0f;
        dst[i] = sign * src[i];
        dst[i + 1] = sign * src[i + 1];
        dst[i + 2] = sign * src[i + 2];
    }
    return dst;
}

const GLfloat* RenderCache::CelCoords(MeshArrays& m, const GLfloat* mv)
{
    const size_t corners = m.normals.size() / 3;
    m.celCoords.resize(corners);
    const GLfloat* src = m.normals.data();
    GLfloat* dst = m.celCoords.data();
    for (size_t i = 0; i < corners; ++i, src += 3) {
        const float s = mv[2] * src[0] + mv[6] * src[1] + mv[10] * src[2];
        dst[i] = s < 0.0f ? 0.0f : s;
    }
    return dst;
}

const GLfloat* RenderCache::FlatNormals(MeshArrays& m)
{
    if (!m.flatValid) {
        m.flatNormals.resize(m.normals.size());
        for (size_t s = 0; s + 9 <= m.normals.size(); s += 9)
            for (int a = 0; a < 3; ++a) {
                const float n = (m.normals[s + a] + m.normals[s + 3 + a] + m.normals[s + 6 + a]) * 0.33333334f;
                m.flatNormals[s + a] = m.flatNormals[s + 3 + a] = m.flatNormals[s + 6 + a] = n;
            }
        m.flatValid = true;
    }
    return m.flatNormals.data();
}

} // namespace nimbus::render

void CModel::PrepareDrawing(bool solid)
{
    UpdateSkin();
    CRenderCache& cache = PreparedRenderCache();
    if (solid)
        for (size_t i = 0; i < mMeshes.size(); ++i)
            nimbus::render::PreparedSharedCorners(mMeshes[i], cache.Entry(i));
}

CRenderCache& CModel::PreparedRenderCache()
{
    if (!mRenderCache)
        mRenderCache = new CRenderCache();
    mRenderCache->Prepare(*this, mBindSerial, mSkinSerial);
    return *mRenderCache;
}
