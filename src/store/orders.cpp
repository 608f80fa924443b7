#include "orders.h"
