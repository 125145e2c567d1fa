/* The exchange header must stay usable from C. */
#include "tessera/tessera.h"

int tessera_c_header_check(void);

int tessera_c_header_check(void)
{
    skModel model;
    skModelInit(&model);
    skGroup* group = skModelAddGroup(&model);
    const int ok = group != NULL && skModelGetGroupCount(&model) == 1;
    skModelNullify(&model);
    return ok;
}
