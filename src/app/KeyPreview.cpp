#include "KeyPreview.h"
