// Every bar class of the property-bar table that this area builds.
#pragma once

#include "qvzArcToolBars.h"
#include "qvzImageToolBar.h"
#include "qvzLineToolBar.h"
#include "qvzPlainToolBars.h"
#include "qvzRectToolBars.h"
#include "qvzSelectToolBar.h"
