#include "nimbus/model.h"

// Constructed when the library is loaded, so model time counts from then.
CTimer CModel::mTimer;
