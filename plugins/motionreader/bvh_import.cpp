#include "bvh_import.h"

#include <cmath>
#include <cstring>

#include "bvh_rotation.h"

namespace kestrel::bvh {
namespace {

bool IsRotation(Channel c) { return c >= Channel::Xrotation; }

// The root's position in frame f: its offset moved by the change of its position
// channels since frame 0, so that the first key lies exactly at the offset.
void RootPosition(const File& file, const Joint& root, size_t f, float out[3])
{
    std::memcpy(out, root.offset, sizeof(root.offset));
    for (size_t i = 0; i < root.channels.size(); ++i) {
        if (IsRotation(root.channels[i]))
            continue;
        const size_t at = root.firstValue + i;
        out[int(root.channels[i])] += file.Frame(f)[at] - file.Frame(0)[at];
    }
}

void Rotation(const File& file, const Joint& joint, size_t f, float out[3])
{
    Channel axes[3];
    float degrees[3];
    int n = 0;
    for (size_t i = 0; i < joint.channels.size() && n < 3; ++i)
        if (IsRotation(joint.channels[i])) {
            axes[n] = joint.channels[i];
            degrees[n++] = file.Frame(f)[joint.firstValue + i];
        }
    if (n < 3) {
        out[0] = out[1] = out[2] = 0.0f;
        return;
    }
    EngineEulers(axes, degrees, out);
}

bool AddJoint(const File& file, const Joint& joint, skModel* model)
{
    skJoint* record = skModelAddJoint(model);
    if (!record)
        return false;
    skJointSetName(record, joint.name.c_str());
    skJointSetParentName(record, joint.parentName.c_str());
    skJointSetInitialPosition(record, joint.offset);
    const int32_t frames = file.frameCount;
    if (!skJointPosKeyArrayResize(record, frames, 0) || !skJointRotKeyArrayResize(record, frames, 0))
        return false;
    const bool root = !joint.endSite && joint.channels.size() == 6;
    for (int32_t f = 0; f < frames; ++f) {
        float value[3] = {0, 0, 0};
        if (root)
            RootPosition(file, joint, size_t(f), value);
        skKeyFrame* position = skJointGetPositionKey(record, f);
        skKeyFrameSetTime(position, float(f + 1));
        skKeyFrameSetValue(position, value);

        value[0] = value[1] = value[2] = 0.0f;
        if (!joint.endSite)
            Rotation(file, joint, size_t(f), value);
        skKeyFrame* rotation = skJointGetRotationKey(record, f);
        skKeyFrameSetTime(rotation, float(f + 1));
        skKeyFrameSetValue(rotation, value);
    }
    return true;
}

} // namespace

bool BuildModel(const File& file, skModel* model)
{
    skModelSetAnimationLength(model, file.frameCount);
    // A frame time that is not positive would give no usable rate: keep the default.
    if (file.frameTime > 0.0f && std::isfinite(1.0f / file.frameTime))
        skModelSetFPS(model, 1.0f / file.frameTime);
    for (const Joint& joint : file.joints)
        if (!AddJoint(file, joint, model))
            return false;
    skLoop loop{};
    std::strcpy(loop.name, "<All frames>");
    loop.startTime = 1.0f;
    loop.endTime = float(skModelGetAnimationLength(model));
    loop.priority = 0;
    return skModelAddLoopV(model, &loop) != nullptr;
}

} // namespace kestrel::bvh
