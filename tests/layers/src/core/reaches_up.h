// Crosses: the core includes the presenter layer above it.
#include "core/slots.h"
#include "front/layout.h"
