#pragma once

// The small windows around the main window: help, about and the spy list.
#include "app/tabout.h"
#include "app/thelp.h"
#include "app/tspylist.h"
