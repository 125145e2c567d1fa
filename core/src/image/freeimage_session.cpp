#include "freeimage_session.h"

#include <FreeImage.h>
#include <mutex>

namespace nimbus::image {
namespace {
std::mutex gMutex;
int gUsers = 0;

void SilenceFreeImage(FREE_IMAGE_FORMAT, const char*) {}
} // namespace

void AcquireFreeImage()
{
    std::lock_guard<std::mutex> lock(gMutex);
    if (gUsers++ == 0) {
        FreeImage_Initialise(FALSE);
        FreeImage_SetOutputMessage(SilenceFreeImage);
    }
}

void ReleaseFreeImage()
{
    std::lock_guard<std::mutex> lock(gMutex);
    if (gUsers > 0 && --gUsers == 0)
        FreeImage_DeInitialise();
}

} // namespace nimbus::image
