#include <benchmark/benchmark.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <string>
#include <vector>

#include "headless_gl.h"
#include "nimbus/model.h"

namespace {

class BenchModel : public CModel {
public:
    using CModel::InitSkeleton;
    using CModel::UpdateSkin;
};

// An n x n grid of quads on a wavy sheet (2 n^2 triangles) with per-vertex normals. With
// joints, each vertex leans on two neighbouring joints of a chain along x.
void BuildSheet(BenchModel& model, int n, int joints)
{
    CMesh mesh;
    mesh.SetName("sheet");
    const int side = n + 1;
    mesh.mVertices.resize(size_t(side) * side);
    mesh.mNormals.resize(mesh.mVertices.size());
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const size_t i = size_t(y) * side + x;
            const float px = float(x) / n * 2 - 1, py = float(y) / n * 2 - 1;
            const float pz = 0.05f * std::sin(px * 9) * std::cos(py * 7);
            CVertex& v = mesh.mVertices[i];
            if (joints > 0) {
                const float f = (px + 1) / 2 * float(joints - 1);
                const int j0 = std::min(int(f), joints - 2);
                const float w1 = f - float(j0);
                v.mWeights.resize(2);
                for (int k = 0; k < 2; ++k) {
                    v.mWeights[size_t(k)].mJoint = j0 + k;
                    v.mWeights[size_t(k)].mWeight = k ? w1 : 1 - w1;
                    v.mWeights[size_t(k)].mLoadedPos[0] = px;
                    v.mWeights[size_t(k)].mLoadedPos[1] = py;
                    v.mWeights[size_t(k)].mLoadedPos[2] = pz;
                }
            } else {
                v.mLoadedPos[0] = px;
                v.mLoadedPos[1] = py;
                v.mLoadedPos[2] = pz;
            }
            CNormal& normal = mesh.mNormals[i];
            CVector3d d(-0.45f * std::cos(px * 9) * std::cos(py * 7), 0.35f * std::sin(px * 9) * std::sin(py * 7), 1);
            d.Normalize();
            normal.mLoadedDir[0] = d.x;
            normal.mLoadedDir[1] = d.y;
            normal.mLoadedDir[2] = d.z;
        }
    mesh.mTriangles.resize(size_t(n) * n * 2);
    size_t t = 0;
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            const int a = y * side + x, b = a + 1, c = a + side + 1, d = a + side;
            const int quads[2][3] = {{a, b, c}, {a, c, d}};
            for (const auto& q : quads) {
                CTriangle& tri = mesh.mTriangles[t++];
                for (int k = 0; k < 3; ++k)
                    tri.mVertices[k] = tri.mNormals[k] = q[k];
            }
            mesh.mTriangles[t - 2].mEdgeFlags[2] = 0;
            mesh.mTriangles[t - 1].mEdgeFlags[0] = 0;
        }
    mesh.BuildMaterialBatches();
    model.mMeshes.push_back(std::move(mesh));

    if (joints > 0) {
        model.mJoints.resize(size_t(joints));
        for (int j = 0; j < joints; ++j) {
            CJoint& joint = model.mJoints[size_t(j)];
            joint.SetName(("j" + std::to_string(j)).c_str());
            if (j > 0)
                joint.SetParentName(("j" + std::to_string(j - 1)).c_str());
            joint.mInitPos = j == 0 ? CVector3d(-1, 0, 0) : CVector3d(2.0f / float(joints - 1), 0, 0);
            joint.mRotKeys = {CKeyFrame(1, CVector3d(0, 0, 0)), CKeyFrame(50, CVector3d(0.2f, 0, 0.05f)),
                              CKeyFrame(100, CVector3d(0, 0, 0))};
        }
        model.mAnimated = true;
        model.mTotalFrames = 100;
        model.mSequences.resize(1);
        model.mSequences[0].mStart = 1;
        model.mSequences[0].mEnd = 100;
    }
    model.Finalize(true, true, 1.0f);
}

bool SetUpView(benchmark::State& state)
{
    std::string why;
    if (!kestrel::test::HeadlessGl::Acquire(1280, 720, &why)) {
        state.SkipWithError(why.c_str());
        return false;
    }
    glViewport(0, 0, 1280, 720);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45, 1280.0 / 720.0, 0.1, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0, 0, -2.5f);
    glRotatef(-30, 1, 0, 0);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHT0);
    glClearColor(0.1f, 0.1f, 0.1f, 1);
    return true;
}

// The same triangles, positions and normals from ready-made arrays in one call.
struct ReadyArrays {
    std::vector<float> positions, normals;
    explicit ReadyArrays(const CModel& model)
    {
        for (const CMesh& mesh : model.mMeshes)
            for (const CTriangle& t : mesh.mTriangles)
                for (int k = 0; k < 3; ++k) {
                    const float* p = mesh.mVertices[size_t(t.mVertices[k])].mPos;
                    const float* n = mesh.mNormals[size_t(t.mNormals[k])].mDir;
                    positions.insert(positions.end(), p, p + 3);
                    normals.insert(normals.end(), n, n + 3);
                }
    }
    void Draw(bool lines) const
    {
        glPolygonMode(GL_FRONT_AND_BACK, lines ? GL_LINE : GL_FILL);
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(3, GL_FLOAT, 0, positions.data());
        if (!lines) {
            glEnableClientState(GL_NORMAL_ARRAY);
            glNormalPointer(GL_FLOAT, 0, normals.data());
        }
        glDrawArrays(GL_TRIANGLES, 0, GLsizei(positions.size() / 3));
        glDisableClientState(GL_VERTEX_ARRAY);
        glDisableClientState(GL_NORMAL_ARRAY);
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    }
};

constexpr int kMillionTriangles = 707; // 2 * 707^2 = 999,698 triangles

void BM_UpdateSkin(benchmark::State& state)
{
    BenchModel model;
    BuildSheet(model, 315, 16); // 316^2 = 99,856 vertices
    size_t influences = 0;
    for (const CVertex& v : model.mMeshes[0].mVertices)
        influences += v.mWeights.size();
    for (auto _ : state) {
        model.UpdateSkin();
        benchmark::DoNotOptimize(model.mMeshes[0].mVertices[0].mPos[0]);
    }
    state.SetItemsProcessed(int64_t(state.iterations() * influences));
    state.counters["influences/s"] =
        benchmark::Counter(double(state.iterations() * influences), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_UpdateSkin)->Unit(benchmark::kMillisecond);

// Parents found by name over a chain as deep as the argument.
void BM_InitSkeletonChain(benchmark::State& state)
{
    BenchModel model;
    const int depth = int(state.range(0));
    model.mJoints.resize(size_t(depth));
    for (int i = 0; i < depth; ++i) {
        model.mJoints[size_t(i)].SetName(("Joint" + std::to_string(i)).c_str());
        if (i)
            model.mJoints[size_t(i)].SetParentName(("Joint" + std::to_string(i - 1)).c_str());
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(model.InitSkeleton());
    state.SetItemsProcessed(int64_t(state.iterations()) * depth);
}
BENCHMARK(BM_InitSkeletonChain)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_RenderSolidStatic(benchmark::State& state)
{
    if (!SetUpView(state))
        return;
    BenchModel model;
    BuildSheet(model, kMillionTriangles, 0);
    glEnable(GL_LIGHTING);
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        model.Render();
        glFinish();
    }
    glDisable(GL_LIGHTING);
}
BENCHMARK(BM_RenderSolidStatic)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RenderWireframeStatic(benchmark::State& state)
{
    if (!SetUpView(state))
        return;
    BenchModel model;
    BuildSheet(model, kMillionTriangles, 0);
    const unsigned char white[3] = {255, 255, 255};
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        model.Render(6, white);
        glFinish();
    }
}
BENCHMARK(BM_RenderWireframeStatic)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RenderSolidAnimated(benchmark::State& state)
{
    if (!SetUpView(state))
        return;
    BenchModel model;
    BuildSheet(model, kMillionTriangles, 16);
    CTimer::SetManualClock(true);
    model.AniPlay(0);
    glEnable(GL_LIGHTING);
    for (auto _ : state) {
        CTimer::AdvanceManualClock(1.0 / 60);
        model.AniProgress(1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        model.Render();
        glFinish();
    }
    glDisable(GL_LIGHTING);
    CTimer::SetManualClock(false);
}
BENCHMARK(BM_RenderSolidAnimated)->Unit(benchmark::kMillisecond)->UseRealTime();

// The practical limit: one glDrawArrays over ready-made arrays, same state.
void BM_DrawArraysLimit(benchmark::State& state)
{
    if (!SetUpView(state))
        return;
    BenchModel model;
    BuildSheet(model, kMillionTriangles, 0);
    model.Render(); // material state as the solid rendering sets it
    const ReadyArrays arrays(model);
    const bool lines = state.range(0) == 1;
    if (lines) {
        glDisable(GL_LIGHTING);
        glColor3ub(255, 255, 255);
    }
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        arrays.Draw(lines);
        glFinish();
    }
    glDisable(GL_LIGHTING);
}
BENCHMARK(BM_DrawArraysLimit)->Arg(0)->Arg(1)->ArgName("lines")->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
