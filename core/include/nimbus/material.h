#pragma once
#include "nimbus/export.h"
#include "nimbus/texture.h"

class NIMBUS_API CMaterial {
public:
    static constexpr int kNameSize = 64;

    CMaterial();
    CMaterial(const CMaterial& other);
    CMaterial& operator=(const CMaterial& other);
    CMaterial(CMaterial&& other) noexcept;
    CMaterial& operator=(CMaterial&& other) noexcept;
    virtual ~CMaterial();

    // Applies colours, sidedness and the diffuse texture to the current GL context.
    void InitializeMaterial();
    // Creates the GL texture of the diffuse texture, loading the file first when asked.
    bool UploadTexture(bool load);

    char mName[kNameSize];
    bool mDoubleSided;
    float mAmbient[4];
    float mDiffuse[4];
    float mSpecular[4];
    float mEmissive[4];
    float mShininess;
    float mTransparency;
    CTexture mDiffuseTex;
    CTexture mBumpTex;
    CTexture mAlphaTex;
    CTexture mReflectionTex;

    // The face-culling state saved by the renderer; single-sided materials restore it.
    static unsigned char mIsCulling;
};
