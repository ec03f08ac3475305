// The board designer's one application object.
#include "qvzApp.h"

qvzApp theApp;
