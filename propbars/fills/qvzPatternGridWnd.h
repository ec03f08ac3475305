#pragma once

#include "qvzFillChildWnd.h"

class qvzPatternGridWnd : public qvzFillChildWnd {};
