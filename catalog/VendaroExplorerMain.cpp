// The program's application object, and what runs before it: the display check and the
// private clipboard format.
#include "VendaroExplorerApp.h"

namespace {
struct CStaticStart {
    CStaticStart()
    {
        if (!CheckDisplayColors())
            ::ExitProcess(static_cast<UINT>(-1));
        RegisterVendaroClipboardFormat();
    }
} s_staticStart;
}  // namespace

CVendaroExplorerApp theApp;
