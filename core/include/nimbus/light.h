#pragma once
#include "nimbus/export.h"

// Placeholder light; the viewer lights the scene itself.
class NIMBUS_API CLight {
public:
    CLight();
    CLight(const CLight& other);
    CLight& operator=(const CLight& other);
    virtual ~CLight();

    void Activate();
    void Render();
};
