#include "SingleInstance.h"
