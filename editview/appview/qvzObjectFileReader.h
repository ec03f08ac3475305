// The reader of object files (".qzl"): favourites, palette shapes and the catalogue-paste
// layout. The writer is the view's (qvzView::WriteObjectFile); both keep one layout.
#pragma once

#include "afx.h"

class CDib;
class jvqDocument;
class jvqObject;

// Reads the object, its name and comment and its thumbnail (NULL when the file has none).
// Pictures of the record go into the document's image pool. A failed read hands out no
// object and no thumbnail; the caller owns what it gets.
BOOL ReadObjectFile(LPCTSTR lpszPath, jvqObject** ppObject, jvqDocument* pDocument,
                    CString* pName, CString* pComment, CDib** ppThumbnail);
