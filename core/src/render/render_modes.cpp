#include <GL/gl.h>

#include "nimbus/model.h"
#include "nimbus/scene_draw.h"
#include "render/array_draw.h"
#include "render/render_cache.h"
#include "render/selection.h"
#include "render/shared_corners.h"

using namespace nimbus::render;

namespace {
const unsigned char kWhite[3] = {255, 255, 255};
const unsigned char kRed[3] = {255, 0, 0};

// Modes 5 and 7: each batch with its material, lit, normals turned towards the viewer.
void DrawShadedBatches(CModel& model, const CMesh& mesh, MeshArrays& m, GLenum polygonMode, bool edges)
{
    GLfloat mv[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, mv);
    CornerData data;
    data.normals = RenderCache::FacingNormals(m, mv);
    data.texCoords = m.texCoords.empty() ? nullptr : m.texCoords.data();
    data.edgeFlags = edges;
    for (const MeshArrays::Batch& batch : m.batches) {
        BatchMaterial(model, batch.material).InitializeMaterial();
        glDisable(GL_CULL_FACE);
        glEnable(GL_LIGHTING);
        glPolygonMode(GL_FRONT_AND_BACK, polygonMode);
        glPointSize(1.0f);
        glLineWidth(1.0f);
        if (mesh.mFlags & SK_MESH_SELECTED)
            SetSelectedEmission();
        DrawBatch(m, batch, data);
    }
}

// Modes 4 and 6: unlit points or lines in one colour.
void DrawPlain(const MeshArrays& m, GLenum polygonMode, const unsigned char* colour, bool edges)
{
    glPolygonMode(GL_FRONT_AND_BACK, polygonMode);
    glPointSize(1.0f);
    glLineWidth(1.0f);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    glColor3ubv(colour);
    CornerData data;
    data.edgeFlags = edges;
    DrawTriangles(m, data);
}

// Modes 8 and 9: the default material, lit, without textures.
void DrawLit(CModel& model, const CMesh& mesh, MeshArrays& m, bool flat)
{
    glEnable(GL_LIGHTING);
    model.mDefaultMaterial.InitializeMaterial();
    if (mesh.mFlags & SK_MESH_SELECTED)
        SetSelectedEmission();
    CornerData data;
    data.normals = flat ? RenderCache::FlatNormals(m) : m.normals.data();
    DrawTriangles(m, data);
}

void DrawCel(const CModel& model, const CMesh& mesh, MeshArrays& m)
{
    GLfloat mv[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, mv);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_1D, model.mRampTexture);
    glEnable(GL_TEXTURE_1D);
    glColor3ubv(mesh.mFlags & SK_MESH_SELECTED ? kRed : kWhite);
    CornerData data;
    data.rampCoords = RenderCache::CelCoords(m, mv);
    DrawTriangles(m, data);
    glDisable(GL_TEXTURE_1D);
}

// Back-face edges in black: with front faces culled they show as the silhouette.
void DrawOutline(const MeshArrays& m)
{
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_FRONT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
    glEnable(GL_LINE_SMOOTH);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glLineWidth(2.0f);
    glDepthFunc(GL_LEQUAL);
    glColor3ub(0, 0, 0);
    DrawTriangles(m, CornerData());
    glPopAttrib();
}
} // namespace

void CModel::Render(unsigned char mode, const unsigned char* color)
{
    UpdateSkin();
    CMaterial::mIsCulling = glIsEnabled(GL_CULL_FACE) ? 1 : 0;
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    ScopedClientArrays arrays;
    CRenderCache& cache = PreparedRenderCache();
    const unsigned char* colour = color ? color : kWhite;

    for (size_t i = 0; i < mMeshes.size(); ++i) {
        const CMesh& mesh = mMeshes[i];
        if (mesh.mFlags & SK_MESH_HIDDEN)
            continue;
        MeshArrays& m = cache.Mesh(i);
        const bool selected = mesh.mFlags & SK_MESH_SELECTED;
        const unsigned char* meshColour = selected ? kRed : colour;
        // Which corners the selection box spans.
        enum { kDrawnCorners, kBatchCorners, kVertices } boxOf = kDrawnCorners;
        switch (mode) {
        case 1:
        case 2:
        case 3:
            boxOf = kVertices;
            if (!selected) {
                const Box& box = RenderCache::VertexBox(m, mesh);
                if (!box.Empty())
                    skfRenderBBox(box.max, box.min, 2, colour, 0.0f);
            }
            break;
        case 4:
            DrawPlain(m, GL_POINT, meshColour, false);
            break;
        case 5:
            DrawShadedBatches(*this, mesh, m, GL_POINT, false);
            boxOf = kBatchCorners;
            break;
        case 6:
            DrawPlain(m, GL_LINE, meshColour, true);
            break;
        case 7:
            DrawShadedBatches(*this, mesh, m, GL_LINE, true);
            boxOf = kBatchCorners;
            break;
        case 8:
        case 9:
            DrawLit(*this, mesh, m, mode == 8);
            break;
        case 10:
        case 11:
            DrawCel(*this, mesh, m);
            if (mode == 11)
                DrawOutline(m);
            break;
        default:
            // Nothing is drawn, but a selected mesh still shows where it is.
            boxOf = kVertices;
            break;
        }
        if (selected)
            DrawSelectionBox(boxOf == kVertices        ? RenderCache::VertexBox(m, mesh)
                             : boxOf == kBatchCorners ? RenderCache::BatchBox(m)
                                                      : RenderCache::CornerBox(m));
    }
    glPopAttrib();
}

void CModel::Render()
{
    UpdateSkin();
    CMaterial::mIsCulling = glIsEnabled(GL_CULL_FACE) ? 1 : 0;
    glEnable(GL_LIGHTING);
    ScopedClientArrays arrays;
    CRenderCache& cache = PreparedRenderCache();

    for (size_t i = 0; i < mMeshes.size(); ++i) {
        const CMesh& mesh = mMeshes[i];
        if (mesh.mFlags & SK_MESH_HIDDEN)
            continue;
        const SharedCorners& shared = PreparedSharedCorners(mesh, cache.Entry(i));
        for (size_t b = 0; b < shared.batches.size(); ++b) {
            nimbus::render::BatchMaterial(*this, shared.materials[b]).InitializeMaterial();
            if (mesh.mFlags & SK_MESH_SELECTED)
                SetSelectedEmission();
            DrawSharedBatch(shared, b);
        }
        if (mesh.mFlags & SK_MESH_SELECTED)
            DrawSelectionBox(RenderCache::BatchBox(cache.Mesh(i)));
    }
    if (CMaterial::mIsCulling)
        glEnable(GL_CULL_FACE);
    else
        glDisable(GL_CULL_FACE);
}
