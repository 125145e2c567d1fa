#include "tessera/tessera.h"
