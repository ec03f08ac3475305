// The browser's application object for its window tests: InitInstance is not run, each test
// sets the members it needs.
#include "VendaroExplorerApp.h"

CVendaroExplorerApp theApp;
