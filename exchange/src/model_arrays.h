#pragma once
// The arrays of an exchange record, kept behind one pointer so that skModel stays
// within the host's allocation.

#include "tessera/records.h"

struct skModelArrays {
    skArray groups;
    skArray materials;
    skArray joints;
    skArray loops;
};

namespace tessera {

// The record's arrays, allocated on first use; null when memory is exhausted.
skModelArrays* EnsureArrays(skModel* model);

} // namespace tessera
