// The sample as a program of its own: the framework library supplies WinMain.
#include "SampleApp.h"

CSampleApp theApp;
