// Debian's native lhasa keeps its headers in a versioned folder.
#pragma once
#include <liblhasa-1.0/lhasa.h>
