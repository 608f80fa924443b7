#include "stats.h"
