#include "StatusClock.h"
