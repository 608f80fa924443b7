#include "formutil.h"
