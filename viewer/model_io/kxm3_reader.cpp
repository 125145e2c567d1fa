#include <algorithm>
#include <cstring>

#include "kxm3_chunks.h"
#include "kxm3_format.h"
#include "nimbus/model.h"

namespace kestrel::kxm3 {
namespace {

// Records are created from a count only as far as the chunk could hold them, so a count
// that lies never allocates more than the file's size allows.
size_t Plausible(uint32_t count, const ChunkReader& in, size_t minRecordSize)
{
    return std::min<size_t>(count, in.Remaining() / minRecordSize);
}

class Reader {
public:
    explicit Reader(CModel& model) : model_(model) {}

    ReadResult Run(const uint8_t* data, size_t size)
    {
        model_.Unload();
        if (!IsNativeHeader(data, size))
            return Empty();
        ChunkReader file(data + kHeaderSize, size - kHeaderSize);
        uint16_t id = 0;
        ChunkReader root(nullptr, 0);
        if (!file.NextChild(id, root) || id != kRoot || !file.AtEnd())
            return Empty();
        while (!root.AtEnd()) {
            ChunkReader peek = root;
            uint16_t childId = 0;
            ChunkReader payload(nullptr, 0);
            if (!root.NextChild(childId, payload)) {
                if (root.Remaining() >= kChunkHeaderSize)
                    damaged_ = true; // the chunk would end beyond the root
                break;
            }
            switch (childId) {
            case kMeshes: Meshes(payload); break;
            case kMaterials: Materials(payload); break;
            case kSkeleton: Skeleton(payload); break;
            case kContainer:
                // Its chunks continue at top level.
                root = peek;
                root.SkipHeader();
                break;
            default: return Empty();
            }
        }
        Conclude();
        return damaged_ ? ReadResult::Partial : ReadResult::Complete;
    }

private:
    ReadResult Empty()
    {
        model_.Unload();
        return ReadResult::Emptied;
    }

    // Walks a container's children; a child that does not fit ends the container.
    template <typename Visit>
    void Children(ChunkReader& in, Visit visit)
    {
        uint16_t id = 0;
        ChunkReader payload(nullptr, 0);
        while (!in.AtEnd()) {
            if (!in.NextChild(id, payload)) {
                damaged_ = true;
                return;
            }
            visit(id, payload);
        }
    }

    void Check(const ChunkReader& in)
    {
        if (!in.Ok())
            damaged_ = true;
    }

    void Meshes(ChunkReader& in)
    {
        const uint32_t count = in.U32();
        model_.mMeshes.resize(Plausible(count, in, kChunkHeaderSize));
        size_t next = 0;
        Children(in, [&](uint16_t id, ChunkReader& payload) {
            if (id == kMesh && next < model_.mMeshes.size())
                Mesh(payload, model_.mMeshes[next++]);
        });
        Check(in);
    }

    void Mesh(ChunkReader& in, CMesh& mesh)
    {
        Children(in, [&](uint16_t id, ChunkReader& p) {
            switch (id) {
            case kMeshName: p.Text8(mesh.mName, sizeof(mesh.mName)); break;
            case kMeshFlags: mesh.mFlags = p.U8(); break;
            case kMeshVertices: Vertices(p, mesh); break;
            case kMeshNormals: Normals(p, mesh); break;
            case kMeshTexCoords: TexCoords(p, mesh); break;
            case kMeshTriangles: Triangles(p, mesh); break;
            default: break;
            }
            Check(p);
        });
        DropBrokenTriangles(mesh);
        // Batches are not stored: the shaded modes draw by them, so they come from the triangles.
        mesh.BuildMaterialBatches();
    }

    void Vertices(ChunkReader& in, CMesh& mesh)
    {
        const uint32_t count = in.U32();
        mesh.mVertices.resize(Plausible(count, in, 16));
        for (CVertex& v : mesh.mVertices) {
            in.Raw(v.mLoadedPos, 12);
            std::copy(v.mLoadedPos, v.mLoadedPos + 3, v.mPos);
            const uint32_t weights = in.U32();
            if (!in.Fits(weights, 20)) {
                damaged_ = true;
                return;
            }
            v.mWeights.resize(weights);
            for (CVertexWeight& w : v.mWeights) {
                in.F32s(w.mLoadedPos, 3);
                w.mJoint = in.I32();
                w.mWeight = in.F32();
            }
        }
    }

    void Normals(ChunkReader& in, CMesh& mesh)
    {
        const uint32_t count = in.U32();
        mesh.mNormals.resize(Plausible(count, in, 12));
        for (CNormal& n : mesh.mNormals) {
            in.F32s(n.mLoadedDir, 3);
            std::copy(n.mLoadedDir, n.mLoadedDir + 3, n.mDir);
        }
    }

    void TexCoords(ChunkReader& in, CMesh& mesh)
    {
        const uint32_t count = in.U32();
        mesh.mTexCoords.resize(Plausible(count, in, 8));
        for (CTexCoord& t : mesh.mTexCoords) {
            t.mU = in.F32();
            t.mV = in.F32();
        }
    }

    void Triangles(ChunkReader& in, CMesh& mesh)
    {
        const uint32_t count = in.U32();
        mesh.mTriangles.resize(Plausible(count, in, 42));
        for (CTriangle& t : mesh.mTriangles) {
            uint8_t record[kTriangleRecordSize];
            in.Raw(record, sizeof(record));
            std::memcpy(t.mVertices, record, 12);
            std::memcpy(t.mNormals, record + 12, 12);
            std::memcpy(t.mTexCoords, record + 24, 12);
            const uint8_t flags = record[36];
            for (int k = 0; k < 3; ++k)
                if (!(flags & (1u << k)))
                    t.mEdgeFlags[k] = 0;
            if (flags & 8)
                t.mTextured = 1;
            std::memcpy(&t.mMaterial, record + 37, 4);
            t.mSmoothingGroup = record[41];
        }
    }

    // A triangle that names a vertex, normal or coordinate the mesh does not have would send
    // the renderer outside its arrays; such triangles are dropped and the file counts as damaged.
    void DropBrokenTriangles(CMesh& mesh)
    {
        const auto bad = [&](const CTriangle& t) {
            for (int k = 0; k < 3; ++k) {
                if (t.mVertices[k] < 0 || size_t(t.mVertices[k]) >= mesh.mVertices.size())
                    return true;
                if (t.mNormals[k] < -1 || (t.mNormals[k] >= 0 && size_t(t.mNormals[k]) >= mesh.mNormals.size()))
                    return true;
                if (t.mTexCoords[k] < -1 ||
                    (t.mTexCoords[k] >= 0 && size_t(t.mTexCoords[k]) >= mesh.mTexCoords.size()))
                    return true;
            }
            return false;
        };
        const size_t before = mesh.mTriangles.size();
        mesh.mTriangles.erase(std::remove_if(mesh.mTriangles.begin(), mesh.mTriangles.end(), bad),
                              mesh.mTriangles.end());
        if (mesh.mTriangles.size() != before)
            damaged_ = true;
    }

    void Materials(ChunkReader& in)
    {
        const uint32_t count = in.U32();
        model_.mMaterials.resize(Plausible(count, in, kChunkHeaderSize));
        size_t next = 0;
        Children(in, [&](uint16_t id, ChunkReader& payload) {
            if (id == kMaterial && next < model_.mMaterials.size())
                Material(payload, model_.mMaterials[next++]);
        });
        Check(in);
    }

    void Material(ChunkReader& in, CMaterial& m)
    {
        Children(in, [&](uint16_t id, ChunkReader& p) {
            switch (id) {
            case kMaterialName: p.Text8(m.mName, sizeof(m.mName)); break;
            case kAmbient: p.F32s(m.mAmbient, 4); break;
            case kDiffuse: p.F32s(m.mDiffuse, 4); break;
            case kSpecular: p.F32s(m.mSpecular, 4); break;
            case kEmissive: p.F32s(m.mEmissive, 4); break;
            case kShininess: m.mShininess = p.F32(); break;
            case kTransparency: m.mTransparency = p.F32(); break;
            case kDoubleSided: m.mDoubleSided = p.U8() != 0; break;
            case kDiffuseMap: p.Text16(m.mDiffuseTex.mFileName, kMaxTextureNameUnits); break;
            case kBumpMap: p.Text16(m.mBumpTex.mFileName, kMaxTextureNameUnits); break;
            case kAlphaMap: p.Text16(m.mAlphaTex.mFileName, kMaxTextureNameUnits); break;
            case kReflectionMap: p.Text16(m.mReflectionTex.mFileName, kMaxTextureNameUnits); break;
            default: break;
            }
            Check(p);
        });
    }

    void Skeleton(ChunkReader& in)
    {
        Children(in, [&](uint16_t id, ChunkReader& p) {
            switch (id) {
            case kTotalFrames: model_.mTotalFrames = p.U32(); break;
            case kFramesPerSecond: model_.mFps = p.F32(); break;
            case kJoints: Joints(p); break;
            case kLoops: Loops(p); break;
            default: break;
            }
            Check(p);
        });
    }

    void Joints(ChunkReader& in)
    {
        const uint32_t count = in.U32();
        model_.mJoints.resize(Plausible(count, in, kChunkHeaderSize));
        size_t next = 0;
        Children(in, [&](uint16_t id, ChunkReader& payload) {
            if (id == kJoint && next < model_.mJoints.size())
                Joint(payload, model_.mJoints[next++]);
        });
    }

    static void Vector(ChunkReader& in, CVector3d& v)
    {
        v.x = in.F32();
        v.y = in.F32();
        v.z = in.F32();
    }

    void Keys(ChunkReader& in, std::vector<CKeyFrame>& keys)
    {
        const uint32_t count = in.U32();
        keys.resize(Plausible(count, in, 16));
        for (CKeyFrame& k : keys) {
            Vector(in, k.mValue);
            k.mTime = in.F32();
        }
    }

    void Joint(ChunkReader& in, CJoint& j)
    {
        Children(in, [&](uint16_t id, ChunkReader& p) {
            switch (id) {
            case kJointName: p.Text8(j.mName, sizeof(j.mName)); break;
            case kJointParent: p.Text8(j.mParentName, sizeof(j.mParentName)); break;
            case kJointPosition: Vector(p, j.mInitPos); break;
            case kJointRotation: Vector(p, j.mInitRot); break;
            case kPositionKeys: Keys(p, j.mPosKeys); break;
            case kRotationKeys: Keys(p, j.mRotKeys); break;
            default: break;
            }
            Check(p);
        });
    }

    void Loops(ChunkReader& in)
    {
        const uint32_t count = in.U32();
        model_.mSequences.resize(Plausible(count, in, kChunkHeaderSize));
        size_t next = 0;
        Children(in, [&](uint16_t id, ChunkReader& payload) {
            if (id != kLoop || next >= model_.mSequences.size())
                return;
            CAnimSequence& s = model_.mSequences[next++];
            Children(payload, [&](uint16_t field, ChunkReader& p) {
                switch (field) {
                case kLoopName: p.Text8(s.mName, sizeof(s.mName)); break;
                case kLoopStart: s.mStart = p.F32(); break;
                case kLoopEnd: s.mEnd = p.F32(); break;
                case kLoopPriority: s.mPriority = p.U16(); break;
                default: break;
                }
                Check(p);
            });
        });
    }

    // The animated state is not stored; keys imply it.
    void Conclude()
    {
        model_.mAnimated = std::any_of(model_.mJoints.begin(), model_.mJoints.end(),
                                       [](const CJoint& j) { return !j.mPosKeys.empty() || !j.mRotKeys.empty(); });
        model_.mCurrentSequence = 0;
    }

    CModel& model_;
    bool damaged_ = false;
};

} // namespace

ReadResult Read(const uint8_t* data, size_t size, CModel& model) { return Reader(model).Run(data, size); }

} // namespace kestrel::kxm3
