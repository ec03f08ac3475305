#pragma once

#include "qvzFillChildWnd.h"

class qvzGradientEditWnd : public qvzFillChildWnd {};
