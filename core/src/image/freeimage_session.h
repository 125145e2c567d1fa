#pragma once

namespace nimbus::image {

// FreeImage keeps global plug-in tables; every texture holds one reference.
void AcquireFreeImage();
void ReleaseFreeImage();

} // namespace nimbus::image
