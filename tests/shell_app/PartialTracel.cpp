// A scene library lacking "Vxi_RTGetBkColor", for the test of a library missing an entry.
#include <windows.h>

extern "C" {
BOOL WINAPI Vxi_RTFileOpen(const char*) { return FALSE; }
void WINAPI Vxi_RayTraceFileClose(void) {}
int WINAPI Vxi_RTGetViewCount(void) { return 0; }
BOOL WINAPI Vxi_RTGetViewName(int, char*) { return FALSE; }
BOOL WINAPI Vxi_RTGetBkImgFile(char*) { return FALSE; }
}
