#pragma once
// Defaults of new elements and release of what an element owns.

#include "segmented_array.h"

namespace tessera {

template <> struct Element<skGroup> { static void Init(skGroup*); static void Release(skGroup*); };
template <> struct Element<skVertex> { static void Init(skVertex*); static void Release(skVertex*); };
template <> struct Element<skTriangle> { static void Init(skTriangle*); static void Release(skTriangle*) {} };
template <> struct Element<skNormal> { static void Init(skNormal*); static void Release(skNormal*) {} };
template <> struct Element<skTCoord> { static void Init(skTCoord*); static void Release(skTCoord*) {} };
template <> struct Element<skMaterial> { static void Init(skMaterial*); static void Release(skMaterial*); };
template <> struct Element<skJoint> { static void Init(skJoint*); static void Release(skJoint*); };
template <> struct Element<skKeyFrame> { static void Init(skKeyFrame*); static void Release(skKeyFrame*) {} };
template <> struct Element<skLoop> { static void Init(skLoop*); static void Release(skLoop*) {} };

void InitWeight(skWeight* weight);

} // namespace tessera
