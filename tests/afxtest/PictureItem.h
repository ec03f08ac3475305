// An embedded item the tests can make without any server: a static picture (a black
// 200 x 100 enhanced metafile) through the default handler and its cache.
#pragma once

#include "afxole.h"

inline BOOL MakePictureItem(COleClientItem* pItem) {
  HDC hMeta = ::CreateEnhMetaFile(NULL, NULL, NULL, NULL);
  const RECT all = {0, 0, 200, 100};
  ::FillRect(hMeta, &all, (HBRUSH)::GetStockObject(BLACK_BRUSH));
  COleDataSource* src = new COleDataSource;
  STGMEDIUM m = {};
  m.tymed = TYMED_ENHMF;
  m.hEnhMetaFile = ::CloseEnhMetaFile(hMeta);
  src->CacheData(CF_ENHMETAFILE, &m);
  COleDataObject data;
  data.Attach(src->GetDataObject(), FALSE);
  const BOOL ok = pItem->CreateStaticFromData(&data, OLERENDER_FORMAT, CF_ENHMETAFILE);
  data.Release();
  src->InternalRelease();
  return ok;
}
