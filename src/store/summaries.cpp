#include "summaries.h"
