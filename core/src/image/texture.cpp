#include "nimbus/texture.h"

#include <GL/gl.h>
#include <cstring>

#include "codecs.h"
#include "freeimage_session.h"
#include "nimbus/path.h"
#include "util/file_io.h"
#include "util/utf16.h"

using nimbus::image::ImageView;

CTexture::CTexture()
    : mFilter(SK_FILTER_MIPMAP), mBpp(0), mWidth(0), mHeight(0), mTexName(0)
{
    nimbus::image::AcquireFreeImage();
}

CTexture::CTexture(const CTexture& other)
    : mData(other.mData),
      mFilter(other.mFilter),
      mBpp(other.mBpp),
      mFileName(other.mFileName),
      mWidth(other.mWidth),
      mHeight(other.mHeight),
      mTexName(0),
      mOriginalData(other.mOriginalData)
{
    nimbus::image::AcquireFreeImage();
}

CTexture::CTexture(CTexture&& other) noexcept
    : mData(std::move(other.mData)),
      mFilter(other.mFilter),
      mBpp(other.mBpp),
      mFileName(std::move(other.mFileName)),
      mWidth(other.mWidth),
      mHeight(other.mHeight),
      mTexName(other.mTexName),
      mOriginalData(other.mOriginalData)
{
    other.mTexName = 0;
    nimbus::image::AcquireFreeImage();
}

CTexture& CTexture::operator=(CTexture&& other) noexcept
{
    if (this == &other)
        return *this;
    if (mTexName != 0) {
        const GLuint name = mTexName;
        glDeleteTextures(1, &name);
    }
    mData = std::move(other.mData);
    mFilter = other.mFilter;
    mBpp = other.mBpp;
    mFileName = std::move(other.mFileName);
    mWidth = other.mWidth;
    mHeight = other.mHeight;
    mTexName = other.mTexName;
    mOriginalData = other.mOriginalData;
    other.mTexName = 0;
    return *this;
}

CTexture& CTexture::operator=(const CTexture& other)
{
    if (this == &other)
        return *this;
    // The old GL texture shows the old pixels; it goes, and the copy uploads its own.
    if (mTexName != 0) {
        const GLuint name = mTexName;
        glDeleteTextures(1, &name);
        mTexName = 0;
    }
    mData = other.mData;
    mFilter = other.mFilter;
    mBpp = other.mBpp;
    mFileName = other.mFileName;
    mWidth = other.mWidth;
    mHeight = other.mHeight;
    mOriginalData = other.mOriginalData;
    return *this;
}

CTexture::~CTexture()
{
    Clear();
    nimbus::image::ReleaseFreeImage();
}

void CTexture::Clear()
{
    if (mTexName != 0) {
        const GLuint name = mTexName;
        glDeleteTextures(1, &name);
    }
    mData.clear();
    mData.shrink_to_fit();
    mFilter = SK_FILTER_MIPMAP;
    mBpp = 0;
    mWidth = 0;
    mHeight = 0;
    mTexName = 0;
}

void CTexture::InitPixelData()
{
    const uint64_t bytes = uint64_t(mBpp) * mWidth * mHeight / 8;
    if (bytes > nimbus::image::kMaxPixelBytes)
        return; // never allocate an absurd buffer; the caller sees the old size
    mData.resize(size_t(bytes), 0);
}

void CTexture::SetFileName(const char16_t* name)
{
    mFileName = name ? std::u16string(name) : std::u16string();
}

void CTexture::SetFileNameUtf8(const char* name)
{
    SetFileName(nimbus::Utf8ToUtf16(name).c_str());
}

std::string CTexture::GetFileNameUtf8() const { return nimbus::Utf16ToUtf8(mFileName.c_str()); }

namespace {
// The upper-case extension after the last dot of the last path component.
std::u16string UpperExtension(const std::u16string& fileName)
{
    const size_t slash = fileName.find_last_of(u"/\\");
    const size_t dot = fileName.rfind(u'.');
    if (dot == std::u16string::npos || (slash != std::u16string::npos && dot < slash))
        return {};
    std::u16string e = fileName.substr(dot + 1);
    for (char16_t& c : e)
        if (c >= u'a' && c <= u'z')
            c = char16_t(c - u'a' + u'A');
    return e;
}

int TypeFromUpperExtension(const std::u16string& e)
{
    if (e.empty())
        return 0;
    if (e == u"DDS") return SK_TEX_DDS;
    if (e == u"GIF") return SK_TEX_GIF;
    if (e == u"TIFF") return SK_TEX_TIFF;
    if (e == u"PNG") return SK_TEX_PNG;
    if (e == u"CEL" || e == u"PIC") return SK_TEX_CEL;
    if (e == u"PCX") return SK_TEX_PCX;
    if (e == u"TGA") return SK_TEX_TGA;
    if (e == u"JPG" || e == u"JPEG") return SK_TEX_JPEG;
    if (e == u"BMP" || e == u"DIB") return SK_TEX_BMP;
    return 0;
}

int TypeFromExtension(const std::u16string& fileName) { return TypeFromUpperExtension(UpperExtension(fileName)); }
} // namespace

bool CTexture::LoadFromFile()
{
    if (mFileName.empty())
        return false;
    return LoadAsType(TypeFromExtension(mFileName));
}

bool CTexture::LoadFromFileAs(const char* extension)
{
    if (mFileName.empty() || !extension)
        return false;
    std::u16string e;
    for (const char* c = extension; *c; ++c)
        e.push_back(char16_t(*c >= 'a' && *c <= 'z' ? *c - 'a' + 'A' : uint8_t(*c)));
    return LoadAsType(TypeFromUpperExtension(e));
}

bool CTexture::LoadAsType(int type)
{
    if (type == 0)
        return false;
    Clear();
    bool ok = false;
    switch (type) {
    case SK_TEX_BMP: ok = LoadBMP(); break;
    case SK_TEX_JPEG: ok = LoadJPG(); break;
    case SK_TEX_TGA: ok = LoadTGA(); break;
    case SK_TEX_PCX: ok = LoadPCX(); break;
    case SK_TEX_CEL: ok = LoadCEL(); break;
    case SK_TEX_PNG: ok = LoadPNG(); break;
    case SK_TEX_TIFF: ok = LoadTIF(); break;
    case SK_TEX_GIF: ok = LoadGIF(); break;
    case SK_TEX_DDS: ok = LoadDDS(); break;
    }
    if (!ok)
        Clear();
    return ok;
}

bool CTexture::ReadSourceFile(std::vector<uint8_t>& bytes) const
{
    if (nimbus::ReadWholeFile(GetFileNameUtf8(), bytes, nimbus::image::kMaxFileBytes))
        return true;
    const size_t slash = mFileName.find_last_of(u"/\\");
    if (slash == std::u16string::npos)
        return false; // already a bare name
    const std::u16string bare = mFileName.substr(slash + 1);
    return nimbus::ReadWholeFile(nimbus::Utf16ToUtf8(bare.c_str()), bytes, nimbus::image::kMaxFileBytes);
}

bool CTexture::Adopt(SkDecodedImage& image)
{
    if (image.width == 0 || image.height == 0 || (image.bpp != 24 && image.bpp != 32) ||
        image.pixels.size() != size_t(image.width) * image.height * (image.bpp / 8))
        return false;
    mWidth = image.width;
    mHeight = image.height;
    mBpp = image.bpp;
    mData = std::move(image.pixels);
    return true;
}

#define NIMBUS_LOAD_FROM_BYTES(Method, Decoder)                    \
    bool CTexture::Method()                                        \
    {                                                              \
        std::vector<uint8_t> bytes;                                \
        if (!ReadSourceFile(bytes))                                \
            return false;                                          \
        SkDecodedImage image;                                      \
        if (!nimbus::image::Decoder(bytes.data(), bytes.size(), image)) \
            return false;                                          \
        return Adopt(image);                                       \
    }

NIMBUS_LOAD_FROM_BYTES(LoadBMP, DecodeBmp)
NIMBUS_LOAD_FROM_BYTES(LoadJPG, DecodeJpeg)
NIMBUS_LOAD_FROM_BYTES(LoadTGA, DecodeTga)
NIMBUS_LOAD_FROM_BYTES(LoadPCX, DecodePcx)
NIMBUS_LOAD_FROM_BYTES(LoadCEL, DecodeCel)
NIMBUS_LOAD_FROM_BYTES(LoadPNG, DecodePng)
#undef NIMBUS_LOAD_FROM_BYTES

// TIFF is recognised by its extension so that callers can list it, but never decoded.
bool CTexture::LoadTIF() { return false; }

// GIF and DDS files are opened by their full name only.
bool CTexture::LoadGIF()
{
    std::vector<uint8_t> bytes;
    SkDecodedImage image;
    return nimbus::ReadWholeFile(GetFileNameUtf8(), bytes, nimbus::image::kMaxFileBytes) &&
           nimbus::image::DecodeGif(bytes.data(), bytes.size(), image) && Adopt(image);
}

bool CTexture::LoadDDS()
{
    std::vector<uint8_t> bytes;
    SkDecodedImage image;
    return nimbus::ReadWholeFile(GetFileNameUtf8(), bytes, nimbus::image::kMaxFileBytes) &&
           nimbus::image::DecodeDds(bytes.data(), bytes.size(), image) && Adopt(image);
}

bool CTexture::SaveToFile(const char* path, ESkTexType type)
{
    switch (type) {
    case SK_TEX_BMP: return SaveBMP(path);
    case SK_TEX_JPEG: return SaveJPG(path);
    case SK_TEX_TGA: return SaveTGA(path);
    case SK_TEX_PCX: return SavePCX(path);
    case SK_TEX_PNG: return SavePNG(path);
    default: return false;
    }
}

bool CTexture::SaveToFileW(const char16_t*, ESkTexType) { return false; }

namespace {
template <typename Encoder>
bool SaveWith(const CTexture& tex, const char* path, Encoder encode)
{
    if (!path || !*path || (tex.mBpp != 24 && tex.mBpp != 32) ||
        tex.mData.size() < size_t(tex.mWidth) * tex.mHeight * (tex.mBpp / 8))
        return false;
    const ImageView view{tex.mWidth, tex.mHeight, tex.mBpp, tex.mData.data()};
    std::vector<uint8_t> file;
    if (!encode(view, file))
        return false;
    return nimbus::WriteFileAtomically(path, file.data(), file.size());
}
} // namespace

bool CTexture::SaveBMP(const char* path) { return SaveWith(*this, path, nimbus::image::EncodeBmp); }
bool CTexture::SaveJPG(const char* path) { return SaveWith(*this, path, nimbus::image::EncodeJpeg); }
bool CTexture::SaveTGA(const char* path) { return SaveWith(*this, path, nimbus::image::EncodeTga); }
bool CTexture::SavePNG(const char* path) { return SaveWith(*this, path, nimbus::image::EncodePng); }
bool CTexture::SavePCX(const char*) { return false; }
