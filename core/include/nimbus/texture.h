#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "nimbus/export.h"

enum ESkTexType : unsigned {
    SK_TEX_BMP = 1,
    SK_TEX_JPEG = 2,
    SK_TEX_TGA = 3,
    SK_TEX_PCX = 4,
    SK_TEX_CEL = 5,
    SK_TEX_PNG = 6,
    SK_TEX_TIFF = 7,
    SK_TEX_GIF = 8,
    SK_TEX_DDS = 9,
};

enum ESkTexFilter : uint8_t {
    SK_FILTER_NEAREST = 1,
    SK_FILTER_LINEAR = 2,
    SK_FILTER_MIPMAP = 3,
};

// Directions and axes of the edit operations.
enum : unsigned long {
    SK_ROTATE_CW = 1,
    SK_ROTATE_CCW = 2,
    SK_FLIP_VERTICAL = 4,
    SK_FLIP_HORIZONTAL = 8,
};

struct SkDecodedImage;

struct TOriginalData {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t bitsPerPixel = 0;
};

// A raster image: 8-bit R, G, B (, A) pixels, bottom row first, as OpenGL expects them.
class NIMBUS_API CTexture {
public:
    // The width, in UTF-16 units, of a texture name in the native format's records.
    static constexpr int kFileNameSize = 256;

    CTexture();
    // A copy has the pixels but no GL texture: a GL name has one owner, so that it is
    // deleted exactly once. Moving hands the name over.
    CTexture(const CTexture& other);
    CTexture& operator=(const CTexture& other);
    CTexture(CTexture&& other) noexcept;
    CTexture& operator=(CTexture&& other) noexcept;
    ~CTexture();

    // Loads the image named by mFileName; on failure the texture is left cleared.
    bool LoadFromFile();
    // The same, decoding the file as the format of `extension` (without the dot, any case)
    // whatever its name says: for files recognised by their content.
    bool LoadFromFileAs(const char* extension);
    bool SaveToFile(const char* path, ESkTexType type);
    bool SaveToFileW(const char16_t* path, ESkTexType type);

    void Clear();
    void InitPixelData();

    void ModGrayscale();
    void ModInvert();
    void ModNormalMap(float scale);
    void ModRotate(unsigned long direction);
    void ModFlip(unsigned long axis);

    TOriginalData& GetOriginalData() { return mOriginalData; }

    // Convenience setters for mFileName.
    void SetFileName(const char16_t* name);
    void SetFileNameUtf8(const char* name);
    std::string GetFileNameUtf8() const;

    std::vector<uint8_t> mData;
    uint8_t mFilter;
    uint8_t mBpp;
    // Held at its own length: a name is bounded only by the platform's path limit, and a
    // texture without one costs no more than an empty string.
    std::u16string mFileName;
    uint32_t mWidth;
    uint32_t mHeight;
    uint32_t mTexName;
    TOriginalData mOriginalData;

protected:
    bool LoadBMP();
    bool LoadJPG();
    bool LoadTGA();
    bool LoadPCX();
    bool LoadCEL();
    bool LoadPNG();
    bool LoadGIF();
    bool LoadTIF();
    bool LoadDDS();

    bool SaveBMP(const char* path);
    bool SaveJPG(const char* path);
    bool SaveTGA(const char* path);
    bool SavePCX(const char* path);
    bool SavePNG(const char* path);

private:
    // Reads the file by its full name, then by its bare name in the current folder.
    bool ReadSourceFile(std::vector<uint8_t>& bytes) const;
    // Clears, then runs the loader of an ESkTexType; false at once for 0.
    bool LoadAsType(int type);
    bool Adopt(SkDecodedImage& image);
};
