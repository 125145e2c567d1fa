#include "animation_step.h"

#include "nimbus/model.h"

namespace kestrel::scene {

void AdvanceAnimation(CModel& model, float speed) { model.AniProgress(speed); }

} // namespace kestrel::scene
