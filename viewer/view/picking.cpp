#include "picking.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <algorithm>

#include "nimbus/camera.h"
#include "nimbus/model.h"

namespace kestrel::view {

int NearestHit(const uint32_t* buffer, size_t bufferSize, int hits)
{
    int nearest = kNoHit;
    uint32_t nearestDepth = 0;
    size_t at = 0;
    // A record: name count, minimum depth, maximum depth, the names (top of the stack last).
    for (int record = 0; (hits < 0 || record < hits) && at + 3 <= bufferSize; ++record) {
        const uint32_t names = buffer[at];
        const uint32_t minDepth = buffer[at + 1];
        if (names > bufferSize - at - 3)
            break;
        if (names > 0 && (nearest == kNoHit || minDepth < nearestDepth)) {
            nearest = int(buffer[at + 3 + names - 1]);
            nearestDepth = minDepth;
        }
        at += 3 + names;
        if (hits < 0 && names == 0)
            break; // past the records GL wrote
    }
    return nearest;
}

int PickMesh(CModel& model, CCamera& camera, int x, int y)
{
    std::vector<GLuint> buffer(kSelectBufferSize, 0);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    const double aspect = double(viewport[2]) / double(std::max(viewport[3], 1));

    glSelectBuffer(GLsizei(buffer.size()), buffer.data());
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluPickMatrix(double(x), double(viewport[3] - y), 3.0, 3.0, viewport);
    gluPerspective(45.0, aspect, 0.1, 1000.0);
    glMatrixMode(GL_MODELVIEW);
    camera.Activate();
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(0);
    model.RenderPick();
    const GLint hits = glRenderMode(GL_RENDER);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);

    const int hit = NearestHit(buffer.data(), buffer.size(), hits);
    return hit >= 0 && size_t(hit) < model.mMeshes.size() ? hit : kNoHit;
}

void UpdateSelection(std::vector<int>& selection, int hit, bool additive,
                     const std::function<void(int mesh, bool selected)>& setSelected)
{
    if (!additive) {
        for (int mesh : selection)
            setSelected(mesh, false);
        selection.clear();
        if (hit != kNoHit) {
            selection.push_back(hit);
            setSelected(hit, true);
        }
        return;
    }
    if (hit == kNoHit)
        return;
    const auto found = std::find(selection.begin(), selection.end(), hit);
    if (found != selection.end()) {
        selection.erase(found);
        setSelected(hit, false);
    } else {
        selection.push_back(hit);
        setSelected(hit, true);
    }
}

} // namespace kestrel::view
