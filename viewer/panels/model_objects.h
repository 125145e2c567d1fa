#pragma once
#include "objects_input.h"

class CModel;

namespace kestrel::panels {

// The objects tree's input read from a model through its statistics records.
ObjectsInput ObjectsFromModel(const CModel& model, doc::ViewMode viewMode);

} // namespace kestrel::panels
