#include "render/selection.h"

#include <GL/gl.h>

#include "nimbus/scene_draw.h"

namespace nimbus::render {

void SetSelectedEmission()
{
    static const GLfloat red[4] = {1, 0, 0, 0};
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, red);
}

void DrawSelectionBox(const Box& box)
{
    // A mesh that drew no corner has no box; its reset values would span the whole scene.
    if (box.Empty())
        return;
    static const unsigned char orange[3] = {255, 127, 0};
    skfRenderBBox(box.max, box.min, 1, orange, 0.33f);
}

CMaterial& BatchMaterial(CModel& model, int32_t index)
{
    if (index >= 0 && size_t(index) < model.mMaterials.size())
        return model.mMaterials[size_t(index)];
    return model.mDefaultMaterial;
}

} // namespace nimbus::render
