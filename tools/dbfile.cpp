#include "dbfile.h"
