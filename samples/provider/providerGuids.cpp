// The type library's identifiers, defined once for the whole module.
#include <initguid.h>

#include "sampleProvider_h.h"
