#include "MaskedLineEdit.h"
