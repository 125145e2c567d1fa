#pragma once
#include <cstdint>
#include <vector>

#include "nimbus/export.h"
#include "nimbus/joint.h"
#include "nimbus/logger.h"
#include "nimbus/material.h"
#include "nimbus/matrix.h"
#include "nimbus/model_records.h"
#include "nimbus/model_stats.h"
#include "nimbus/timer.h"
#include "nimbus/vector3d.h"

class CRenderCache;
class CPlugIn;
struct skModel;

// The in-memory model: skinned meshes, materials, a joint skeleton with keyframes and
// named animation sequences. Loaders fill the arrays (after Unload); Finalize prepares
// the result for drawing and animation.
class NIMBUS_API CModel {
public:
    CModel();
    CModel(const CModel& other);
    CModel& operator=(const CModel& other);
    // Takes over the other model's content and GL objects without copying its arrays; the
    // other is left empty. A model read on a worker thread is handed over this way.
    CModel& operator=(CModel&& other) noexcept;
    virtual ~CModel();

    void Unload();
    bool Finalize(bool center, bool scale, float size);

    // Readers for library users; each empties the model first and the caller finalizes it.
    bool ImportMs3dFile(const char* path);
    bool ImportMs3dAsciiFile(const char* path);
    bool ImportMd2File(const char* path);
    // Divides an animated model's timeline into the named sequences of an ".afs" file.
    bool LoadAnimationSplitter(const char* path);

    // Runs a plug-in on the model: 1 when the model was rebuilt from the plug-in's record
    // (finalize it next), 0 when nothing was done, -1 when the plug-in threw, other values
    // are the plug-in's own results. The argument reaches the plug-in as its file name.
    char ProcessPlugIn(CPlugIn* plugIn, const char* argument, ...);
    char ProcessPlugIn(const char* libraryFile, const char* argument, ...);
    char ProcessPlugIn(const char16_t* libraryFile, const char* argument, ...);

    // Rendering.
    void Render();
    void Render(unsigned char mode, const unsigned char* color);
    void RenderPick();
    void RenderNormals(const unsigned char* pointColor, const unsigned char* lineColor, float length,
                       float pointSize);
    void RenderBBox(unsigned char mode, const unsigned char* color);
    void RenderSkeleton(unsigned char mode, const unsigned char* colorA, const unsigned char* colorB,
                        const unsigned char* colorC, float size);
    void RenderSimpleShadow();
    void ReloadTextures(bool load);
    // Builds what drawing needs from the arrays, without any GL, so that it can happen
    // where the model was read; solid: also what the default solid mode draws from.
    // Drawing builds whatever is missing itself.
    void PrepareDrawing(bool solid);
    void SetShader(const unsigned char* ramp);
    bool LoadShaderFromTextFile(const char* path);

    // Mesh flags: SK_MESH_SELECTED, SK_MESH_HIDDEN.
    void SetMeshFlag(int mesh, unsigned long flag, bool on);
    unsigned char GetMeshFlag(int mesh) const;

    SK_MODEL_STATS GetModelStats() const;
    SK_MESH_STATS GetMeshStats(int index) const;
    SK_JOINT_STATS GetJointStats(int index) const;
    SK_MATERIAL_STATS GetMaterialStats(int index) const;
    SK_ANILOOP_STATS GetLoopStats(int index) const;

    void EnableLogging(bool on) { mLogging = on; }
    void SetLogFile(const char* name) { mLogger.SetFile(name); }

    // Animation.
    void AniPlay(float startTime);
    void AniStop();
    void AniPause();
    void AniProgress(float speed);
    void AniSetTime(float time);
    void AniSetLoop(unsigned index, bool immediately);
    void AniEnablePriority(bool on) { mPriorityEnabled = on; }
    bool AniIsPlaying() const { return mPlaying; }
    bool AniIsPaused() const { return mPaused; }
    int AniGetLoopCount() const { return int(mSequences.size()); }
    int AniGetCurrentLoop() const { return mCurrentSequence; }
    const char* AniGetLoopName(int index) const;
    float AniGetCurrentTime() const { return mCurrentTime; }

    // Shared by all models; started when the library is loaded.
    static CTimer mTimer;

    static constexpr float kBoundsReset = 32000.0f;

    bool mAnimated;
    uint32_t mTotalFrames;
    int mCurrentSequence;
    int mQueuedSequence;
    bool mSwitchPending;
    float mCurrentTime; // frames
    float mFps;
    bool mPlaying;
    bool mPaused;
    bool mPriorityEnabled;
    float mLastTick;    // seconds of mTimer
    CMaterial mDefaultMaterial;
    CMatrix mScaleMatrix;
    CMatrix mCenterMatrix;
    CVector3d mBoundsMax;
    CVector3d mBoundsMin;
    CVector3d mCurBounds[2]; // maximum, minimum of the posed vertices
    CLogger mLogger;
    bool mLogging;
    unsigned char mCelRamp[256][3];
    unsigned int mRampTexture;
    unsigned int mDisplayList;
    std::vector<CMesh> mMeshes;
    std::vector<CMaterial> mMaterials;
    std::vector<CJoint> mJoints;
    std::vector<CAnimSequence> mSequences;
    std::vector<uint32_t> mReserved; // never filled; only counted

protected:
    // Copies the model into an exchange record, and rebuilds it from one.
    void MdlStructExport(skModel* record);
    bool MdlStructImport(skModel* record);
    // The same for a record thrown away afterwards: its meshes are emptied as they are
    // copied, so that a large model is not held twice.
    bool MdlStructTake(skModel* record);

    void Center();
    void Scale(float size);
    bool InitSkeleton();
    void AttachSkin();
    void UpdateSkin();
    void AniSyncTime();
    void BuildLists();

    // Bumped whenever the posed geometry may have changed; the renderer caches by them.
    // Loaders that edit the arrays of a finalized model must finalize it again.
    uint64_t mSkinSerial; // positions and normals
    uint64_t mBindSerial; // arrays, indices, flags of triangles

private:
    bool ImportRecord(skModel* record, bool release);
    void CopyFrom(const CModel& other);
    void CopySettings(const CModel& other);
    void ReleaseRampTexture();
    void ResetCurrentBounds();
    void ResetAnimationState();
    void PoseJoints(float time);
    void SequenceRange(float& start, float& end) const;
    void TakeQueuedSequence();
    // The corner arrays of the meshes, brought up to date with the current pose.
    CRenderCache& PreparedRenderCache();

    std::vector<float> mJointPalette; // scratch of UpdateSkin: 12 floats per joint
    CRenderCache* mRenderCache;
};
