// Materials: colours, shininess, transparency and the four texture names.

#include <cstdlib>
#include <cstring>

#include "tessera/tessera.h"
#include "text_copy.h"

using namespace tessera;

namespace {

void SetColor(float* field, const float* rgba)
{
    if (rgba)
        std::memcpy(field, rgba, 4 * sizeof(float));
}

skColor GetColor(const float* field) { return skColor{field[0], field[1], field[2], field[3]}; }

constexpr skColor kNoColor{0.0f, 0.0f, 0.0f, 0.0f};

// Replaces a texture name with a copy cut as the fixed fields of the other names are; an
// empty name frees it. On exhausted memory the name is left unset.
void StoreTexture(char*& field, const char* bounded)
{
    std::free(field);
    field = nullptr;
    const size_t length = std::strlen(bounded);
    if (length == 0)
        return;
    field = static_cast<char*>(std::malloc(length + 1));
    if (field)
        std::memcpy(field, bounded, length + 1);
}

void SetTexture(char*& field, const char* name)
{
    char bounded[SK_TEXTURE_NAME_LENGTH];
    CopyText(bounded, sizeof(bounded), name);
    StoreTexture(field, bounded);
}

void SetTextureW(char*& field, const char16_t* name)
{
    char bounded[SK_TEXTURE_NAME_LENGTH];
    CopyWideText(bounded, sizeof(bounded), name);
    StoreTexture(field, bounded);
}

const char* TextureOf(const char* field) { return field ? field : ""; }

} // namespace

extern "C" {

void skMaterialSetName(skMaterial* material, const char* name)
{
    if (material)
        CopyText(material->name, sizeof(material->name), name);
}

const char* skMaterialGetName(const skMaterial* material) { return material ? material->name : nullptr; }

void skMaterialSetDoubleSided(skMaterial* material, uint8_t doubleSided)
{
    if (material)
        material->doubleSided = doubleSided;
}

uint8_t skMaterialGetDoubleSided(const skMaterial* material) { return material ? material->doubleSided : 0; }

void skMaterialSetAmbient(skMaterial* material, const float* rgba)
{
    if (material)
        SetColor(material->ambient, rgba);
}

skColor skMaterialGetAmbient(const skMaterial* material) { return material ? GetColor(material->ambient) : kNoColor; }

void skMaterialSetDiffuse(skMaterial* material, const float* rgba)
{
    if (material)
        SetColor(material->diffuse, rgba);
}

skColor skMaterialGetDiffuse(const skMaterial* material) { return material ? GetColor(material->diffuse) : kNoColor; }

void skMaterialSetSpecular(skMaterial* material, const float* rgba)
{
    if (material)
        SetColor(material->specular, rgba);
}

skColor skMaterialGetSpecular(const skMaterial* material)
{
    return material ? GetColor(material->specular) : kNoColor;
}

void skMaterialSetEmissive(skMaterial* material, const float* rgba)
{
    if (material)
        SetColor(material->emissive, rgba);
}

skColor skMaterialGetEmissive(const skMaterial* material)
{
    return material ? GetColor(material->emissive) : kNoColor;
}

void skMaterialSetShininess(skMaterial* material, float shininess)
{
    if (material)
        material->shininess = shininess;
}

float skMaterialGetShininess(const skMaterial* material) { return material ? material->shininess : 0.0f; }

void skMaterialSetTransparency(skMaterial* material, float transparency)
{
    if (material)
        material->transparency = transparency;
}

float skMaterialGetTransparency(const skMaterial* material) { return material ? material->transparency : 0.0f; }

void skMaterialSetTextureDiffuse(skMaterial* m, const char* name)
{
    if (m)
        SetTexture(m->textureDiffuse, name);
}

void skMaterialSetTextureBump(skMaterial* m, const char* name)
{
    if (m)
        SetTexture(m->textureBump, name);
}

void skMaterialSetTextureAlpha(skMaterial* m, const char* name)
{
    if (m)
        SetTexture(m->textureAlpha, name);
}

void skMaterialSetTextureReflect(skMaterial* m, const char* name)
{
    if (m)
        SetTexture(m->textureReflect, name);
}

void skMaterialSetTextureDiffuseW(skMaterial* m, const char16_t* name)
{
    if (m)
        SetTextureW(m->textureDiffuse, name);
}

void skMaterialSetTextureBumpW(skMaterial* m, const char16_t* name)
{
    if (m)
        SetTextureW(m->textureBump, name);
}

void skMaterialSetTextureAlphaW(skMaterial* m, const char16_t* name)
{
    if (m)
        SetTextureW(m->textureAlpha, name);
}

void skMaterialSetTextureReflectW(skMaterial* m, const char16_t* name)
{
    if (m)
        SetTextureW(m->textureReflect, name);
}

const char* skMaterialGetTextureDiffuse(const skMaterial* m) { return m ? TextureOf(m->textureDiffuse) : nullptr; }
const char* skMaterialGetTextureBump(const skMaterial* m) { return m ? TextureOf(m->textureBump) : nullptr; }
const char* skMaterialGetTextureAlpha(const skMaterial* m) { return m ? TextureOf(m->textureAlpha) : nullptr; }
const char* skMaterialGetTextureReflect(const skMaterial* m) { return m ? TextureOf(m->textureReflect) : nullptr; }

} // extern "C"
