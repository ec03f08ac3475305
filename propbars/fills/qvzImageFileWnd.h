#pragma once

#include "qvzFillChildWnd.h"

class qvzImageFileWnd : public qvzFillChildWnd {};
