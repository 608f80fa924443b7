#include "customers.h"
