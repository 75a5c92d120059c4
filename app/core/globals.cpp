#include "app/core/globals.h"

TGlobalVars GlobalVars;
