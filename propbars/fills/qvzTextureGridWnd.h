#pragma once

#include "qvzFillChildWnd.h"

class qvzTextureGridWnd : public qvzFillChildWnd {};
