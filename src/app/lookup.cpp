#include "lookup.h"
