#include "nimbus/light.h"

CLight::CLight() = default;
CLight::CLight(const CLight&) {}
CLight& CLight::operator=(const CLight&) { return *this; }
CLight::~CLight() = default;
void CLight::Activate() {}
void CLight::Render() {}
