#pragma once
#include "nimbus/export.h"

// Scene helpers drawn into the current GL context. Colours are three RGB bytes; a null
// colour selects the default.

// Frames per second, measured over about a second; call once per drawn frame.
NIMBUS_API float skfGetFPS();
NIMBUS_API void skfReshapeViewport(int width, int height, bool ortho, float fovY);
NIMBUS_API bool skfIsGLExtension(const char* name);
NIMBUS_API void skfRenderAxes(const float* origin, const unsigned char* colorX, const unsigned char* colorY,
                              const unsigned char* colorZ);
// Modes: 1 lines, 2 checker, 3 transparent checker.
NIMBUS_API void skfRenderGrid(unsigned char mode, const unsigned char* colorA, const unsigned char* colorB,
                              float height, unsigned int cells, float cellSize);
// Modes: 1 corner brackets, 2 wireframe, 3 solid.
NIMBUS_API void skfRenderBBox(const float* maximum, const float* minimum, unsigned char mode,
                              const unsigned char* color, float size);
