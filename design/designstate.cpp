#include "design/designstate.h"

DesignState designState;
