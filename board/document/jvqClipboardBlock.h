// The block of the private clipboard format "JVQ_CLIPBOARD": an int32 count, then per
// object its int32 class code and its record. Read apart from the clipboard itself so that
// the same reader serves every build.
#pragma once

#include <vector>

#include "afx.h"

class jvqFileHeader;
class jvqObject;

// Reads every object of the block into made (recalculated, owned by the caller). The block
// may come from another process: on any damage nothing is kept and FALSE is returned.
// pHeader lends the record version context; its version is the same again afterwards.
BOOL jvqReadClipboardBlock(CFile* pFile, jvqFileHeader* pHeader, std::vector<jvqObject*>& made);
