#include <GL/gl.h>
#include <GL/glu.h>

#include <cstring>

#include "nimbus/scene_draw.h"

void skfReshapeViewport(int width, int height, bool ortho, float fovY)
{
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (ortho) {
        glOrtho(0, width, 0, height, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        return;
    }
    const int h = height == 0 ? 1 : height;
    gluPerspective(fovY, double(width) / double(h), 0.1, 1000.0);
    glMatrixMode(GL_MODELVIEW);
}

bool skfIsGLExtension(const char* name)
{
    if (!name || !name[0])
        return false;
    const char* list = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (!list)
        return false;
    const size_t length = std::strlen(name);
    for (const char* p = list; *p;) {
        while (*p == ' ')
            ++p;
        const char* end = p;
        while (*end && *end != ' ')
            ++end;
        if (size_t(end - p) == length && std::strncmp(p, name, length) == 0)
            return true;
        p = end;
    }
    return false;
}
