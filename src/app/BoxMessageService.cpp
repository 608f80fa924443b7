#include "BoxMessageService.h"
