#pragma once
#include <GL/gl.h>

#include <cstddef>
#include <cstdint>
#include <vector>

class CModel;
class CMesh;

namespace nimbus::render {

// An axis-aligned box grown point by point; empty until the first point.
struct Box {
    float max[3] = {-32000.0f, -32000.0f, -32000.0f};
    float min[3] = {32000.0f, 32000.0f, 32000.0f};

    void Extend(const float* p)
    {
        for (int a = 0; a < 3; ++a) {
            if (p[a] > max[a])
                max[a] = p[a];
            if (p[a] < min[a])
                min[a] = p[a];
        }
    }
    bool Empty() const { return max[0] < min[0]; }
};

// The batched triangles of a mesh with each corner that repeats (same vertex, normal and
// texture coordinate) sent once and drawn through an index list. A vertex shared by six
// triangles then goes through the pipeline about once instead of six times; the picture
// is the same, as each corner keeps its exact values.
struct SharedCorners {
    std::vector<uint32_t> vertexOf; // the mesh vertex of each shared corner
    std::vector<int32_t> normalOf;  // its mesh normal; -1 sends a zero normal
    std::vector<GLfloat> positions; // 3 per shared corner, of the current pose
    std::vector<GLfloat> normals;   // 3 per shared corner
    std::vector<GLfloat> texCoords; // 2 per shared corner; empty when untextured
    std::vector<std::vector<GLuint>> batches; // per material batch of the mesh
    std::vector<int32_t> materials;           // the material of each batch
    bool built = false;
    bool poseValid = false;
};

// The triangles of one mesh as separate corners, in triangle order, ready for GL vertex
// arrays. Triangles with a vertex index outside the mesh are left out.
struct MeshArrays {
    size_t vertexCount = 0, triangleCount = 0, normalCount = 0, texCoordCount = 0;
    std::vector<uint32_t> triangles;  // the source triangle of each slot
    std::vector<GLfloat> positions;   // 9 per slot
    std::vector<GLfloat> normals;     // 9 per slot; zero where the normal index is bad
    std::vector<GLfloat> texCoords;   // 6 per slot; empty when no triangle is textured
    std::vector<GLboolean> edgeFlags; // 3 per slot
    std::vector<GLfloat> flatNormals; // 9 per slot, built on first use
    bool flatValid = false;
    struct Batch {
        int32_t material;
        std::vector<GLuint> corners;  // corner indices into the arrays, in batch order
        bool contiguous = false;      // corners run up by one: drawn without the index list
    };
    std::vector<Batch> batches;
    // Boxes of the current pose, gathered on first use: every drawn corner, the corners
    // of the batched triangles, every vertex.
    Box corners, batchCorners, vertices;
    bool cornersValid = false, batchCornersValid = false, verticesValid = false;
    bool posed = false; // positions and normals follow the current pose
    bool topologyBuilt = false;

    // The solid mode's indexed form, built on first use from the mesh itself, so that the
    // solid mode never makes the corner arrays at all.
    SharedCorners shared;

    // Scratch filled per frame.
    std::vector<GLfloat> facingNormals;
    std::vector<GLfloat> celCoords;

    GLsizei CornerCount() const { return GLsizei(triangles.size() * 3); }
};

class RenderCache {
public:
    // Rebuilds the topology when the bind serial changed since the last call; after a new
    // pose, each mesh's corner arrays are refreshed when next asked for. The model must
    // outlive the use of what Prepare returns.
    void Prepare(const CModel& model, uint64_t bindSerial, uint64_t skinSerial);
    // A mesh with its corner arrays in the current pose.
    MeshArrays& Mesh(size_t i);
    // A mesh's entry with its counts, but with neither corner arrays nor their topology
    // made: what the solid mode's shared corners are kept in.
    MeshArrays& Entry(size_t i) { return meshes_[i]; }

    // Corner normals turned to face the viewer under the given model-view matrix.
    static const GLfloat* FacingNormals(MeshArrays& m, const GLfloat* modelView);
    // One ramp coordinate per corner: the eye-space z of the corner normal, not below 0.
    static const GLfloat* CelCoords(MeshArrays& m, const GLfloat* modelView);
    static const GLfloat* FlatNormals(MeshArrays& m);

    static const Box& CornerBox(MeshArrays& m);
    static const Box& BatchBox(MeshArrays& m);
    static const Box& VertexBox(MeshArrays& m, const CMesh& mesh);

private:
    void BuildTopology(const CMesh& mesh, MeshArrays& m);
    void RefreshPose(const CMesh& mesh, MeshArrays& m);

    std::vector<MeshArrays> meshes_;
    const CModel* model_ = nullptr;
    uint64_t bindSerial_ = ~uint64_t(0);
    uint64_t skinSerial_ = ~uint64_t(0);
};

} // namespace nimbus::render

// The model holds the cache through this name.
class CRenderCache : public nimbus::render::RenderCache {};
