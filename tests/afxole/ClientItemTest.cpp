// Embedded items under Wine without a server of ours: a static picture item goes through
// the default handler and its cache, which is enough to make, clone, save and reload items.
// Wine cannot draw it (no handler registered for the picture classes) and its
// OleCreateFromFile refuses a file whose type has no class (MK_E_INVALIDEXTENSION) rather
// than wrapping it in a package.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "afxarch.h"
#include "afxole.h"

namespace {

class TestOleDoc : public COleDocument {
 public:
  TestOleDoc() { EnableCompoundFile(); }
};

class CountingItem : public COleClientItem {
  DECLARE_SERIAL(CountingItem)
 public:
  CountingItem(COleDocument* pDoc = NULL) : COleClientItem(pDoc) {}
  void OnChange(OLE_NOTIFICATION nCode, DWORD dwParam) override { m_codes.push_back(nCode); }
  std::vector<int> m_codes;
};
IMPLEMENT_SERIAL(CountingItem, COleClientItem, 0)

CString TempFile(const char* name, const char* text) {
  char dir[MAX_PATH];
  ::GetTempPath(MAX_PATH, dir);
  CString path = CString(dir) + name;
  if (text) {
    FILE* f = fopen(path, "wb");
    fputs(text, f);
    fclose(f);
  } else {
    ::DeleteFile(path);
  }
  return path;
}

LPSTORAGE NewFileStorage(const CString& path) {
  WCHAR w[MAX_PATH];
  ::MultiByteToWideChar(CP_ACP, 0, path, -1, w, MAX_PATH);
  LPSTORAGE p = NULL;
  ::StgCreateDocfile(w, STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_CREATE, 0, &p);
  return p;
}

// The item list written into a memory file, the items' storages into the root.
std::string StoreItems(COleDocument& doc, LPSTORAGE pRoot) {
  CMemFile f;
  {
    CArchive ar(&f, CArchive::store);
    ar.m_pDocument = &doc;
    doc.m_lpRootStg = pRoot;
    doc.Serialize(ar);
    ar.Close();
    doc.m_lpRootStg = NULL;
  }
  std::string s((size_t)f.GetLength(), '\0');
  f.SeekToBegin();
  f.Read(&s[0], (UINT)s.size());
  return s;
}

bool LoadItems(COleDocument& doc, LPSTORAGE pRoot, const std::string& bytes) {
  CMemFile f((BYTE*)bytes.data(), (UINT)bytes.size());
  CArchive ar(&f, CArchive::load);
  ar.m_pDocument = &doc;
  doc.m_lpRootStg = pRoot;
  bool ok = true;
  try {
    doc.Serialize(ar);
    ar.Close();
  } catch (CException* e) {
    e->Delete();
    ar.Abort();
    ok = false;
  }
  doc.m_lpRootStg = NULL;
  return ok;
}

}  // namespace

TEST(OleClientItem, PictureItemCloneSaveAndReload) {
  TestOleDoc doc;
  // A red picture offered as an enhanced metafile.
  HDC hMeta = ::CreateEnhMetaFile(NULL, NULL, NULL, NULL);
  HBRUSH red = ::CreateSolidBrush(RGB(255, 0, 0));
  const RECT all = {0, 0, 200, 100};
  ::FillRect(hMeta, &all, red);
  ::DeleteObject(red);
  HENHMETAFILE hEmf = ::CloseEnhMetaFile(hMeta);
  COleDataSource* src = new COleDataSource;
  STGMEDIUM m = {};
  m.tymed = TYMED_ENHMF;
  m.hEnhMetaFile = hEmf;
  src->CacheData(CF_ENHMETAFILE, &m);
  COleDataObject data;
  data.Attach(src->GetDataObject(), FALSE);
  CountingItem* item = new CountingItem(&doc);
  EXPECT_FALSE(item->CreateFromData(&data));  // a picture alone is no embeddable object
  ASSERT_TRUE(item->CreateStaticFromData(&data, OLERENDER_FORMAT, CF_ENHMETAFILE));
  data.Release();
  src->InternalRelease();
  EXPECT_FALSE(item->IsBlank());
  EXPECT_EQ(OT_STATIC, item->GetType());
  EXPECT_EQ((UINT)COleClientItem::loadedState, item->GetItemState());
  EXPECT_EQ(1u, item->m_dwItemNumber);

  CountingItem* clone = new CountingItem(&doc);
  ASSERT_TRUE(clone->CreateCloneFrom(item));
  EXPECT_EQ(2u, clone->m_dwItemNumber);
  EXPECT_EQ(2, doc.GetItemCount());


  const CString path = TempFile("qvz_ole_items.stg", NULL);
  LPSTORAGE root = NewFileStorage(path);
  ASSERT_NE(nullptr, root);
  const std::string bytes = StoreItems(doc, root);
  root->Commit(STGC_DEFAULT);
  // Count, the class tag with its name, then three words per item.
  ASSERT_GE(bytes.size(), 4u + 2 + 2 + 2 + strlen("CountingItem") + 12 + 2 + 12);
  EXPECT_EQ(2, (int)(unsigned char)bytes[0]);

  TestOleDoc back;
  ASSERT_TRUE(LoadItems(back, root, bytes));
  ASSERT_EQ(2, back.GetItemCount());
  POSITION pos = back.GetStartPosition();
  COleClientItem* r1 = back.GetNextClientItem(pos);
  COleClientItem* r2 = back.GetNextClientItem(pos);
  EXPECT_TRUE(r1->IsKindOf(RUNTIME_CLASS(CountingItem)));
  EXPECT_EQ(1u, r1->m_dwItemNumber);
  EXPECT_EQ(2u, r2->m_dwItemNumber);
  EXPECT_FALSE(r1->IsBlank());
  EXPECT_EQ(OT_STATIC, r2->GetType());
  EXPECT_EQ(3u, back.m_dwNextItemNumber);

  // A storage missing from the file, a count beyond the stream, or a list read without a
  // file storage: the read fails and leaves no item behind.
  for (int c = 0; c < 3; c++) {
    SCOPED_TRACE(c);
    std::string bad = bytes;
    LPSTORAGE stg = root;
    if (c == 0) root->DestroyElement(L"Embedding 2");
    if (c == 1) bad[0] = 100;
    if (c == 2) stg = NULL;
    TestOleDoc fail;
    EXPECT_FALSE(LoadItems(fail, stg, bad));
    EXPECT_EQ(0, fail.GetItemCount());
  }
  root->Release();

  // A name that is not a readable file makes no item and keeps no storage.
  CountingItem* missing = new CountingItem(&doc);
  EXPECT_FALSE(missing->CreateFromFile(TempFile("qvz_ole_missing.txt", NULL)));
  EXPECT_TRUE(missing->IsBlank());
  missing->Delete();
  EXPECT_EQ(2, doc.GetItemCount());
  clone->Delete();
  EXPECT_EQ(1, doc.GetItemCount());
}

TEST(OleApp, LockCountAndInit) {
  EXPECT_TRUE(AfxOleInit());  // again: already started
  const LONG n = AfxOleGetLockCount();
  AfxOleLockApp();
  EXPECT_FALSE(AfxOleCanExitApp());
  AfxOleUnlockApp();
  EXPECT_EQ(n, AfxOleGetLockCount());
  EXPECT_TRUE(AfxOleCanExitApp());
}
