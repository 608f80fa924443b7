#include "frmAbout.h"
