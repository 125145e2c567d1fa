#pragma once
#include <FreeImage.h>

namespace nimbus::image {

// FreeImage's functions that the codecs call, from the library loaded on first use: most
// runs decode nothing it serves (GIF and block-compressed DDS), and loading it with the
// twenty libraries it brings costs more than opening a small model.
struct FreeImageApi {
    decltype(&FreeImage_Initialise) Initialise;
    decltype(&FreeImage_DeInitialise) DeInitialise;
    decltype(&FreeImage_SetOutputMessage) SetOutputMessage;
    decltype(&FreeImage_FIFSupportsReading) FIFSupportsReading;
    decltype(&FreeImage_OpenMemory) OpenMemory;
    decltype(&FreeImage_CloseMemory) CloseMemory;
    decltype(&FreeImage_LoadFromMemory) LoadFromMemory;
    decltype(&FreeImage_Unload) Unload;
    decltype(&FreeImage_HasPixels) HasPixels;
    decltype(&FreeImage_GetImageType) GetImageType;
    decltype(&FreeImage_GetWidth) GetWidth;
    decltype(&FreeImage_GetHeight) GetHeight;
    decltype(&FreeImage_GetBPP) GetBPP;
    decltype(&FreeImage_GetColorType) GetColorType;
    decltype(&FreeImage_GetPalette) GetPalette;
    decltype(&FreeImage_GetColorsUsed) GetColorsUsed;
    decltype(&FreeImage_IsTransparent) IsTransparent;
    decltype(&FreeImage_GetTransparentIndex) GetTransparentIndex;
    decltype(&FreeImage_GetScanLine) GetScanLine;
};

// FreeImage keeps global plug-in tables; every texture holds one reference, and the tables
// are set up the first time a decode needs them and freed when the last texture goes.
void AcquireFreeImage();
void ReleaseFreeImage();

// The library, loaded and set up; null when it cannot be loaded, and then no format it serves
// can be read. Call between Acquire and Release.
const FreeImageApi* UseFreeImage();

} // namespace nimbus::image
