#include "adjustments.h"
