// Boards of pictures through the document under Wine: files, failed saves and opens, and
// pictures on the real clipboard.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>

#include "../board_pictures/PictureFixture.h"
#include "DocumentTestApp.h"
#include "afxarch.h"
#include "jvqBoard.h"
#include "jvqBoardStream.h"
#include "jvqFileHeader.h"
#include "jvqCompoundFile.h"
#include "jvqImageFileList.h"
#include "jvqImageFill.h"
#include "jvqImageObject.h"
#include "JpegImage.h"
#include "PngImage.h"
#include "TiffImage.h"
#include "jvqImagePool.h"
#include "jvqObjectDefaults.h"
#include "jvqViewMapping.h"
#include "jvqPage.h"
#include "jvqRectObject.h"
#include "jvqPatternFill.h"
#include "jvqTextureFill.h"
#include "qvzDocument.h"

namespace {

std::string Slurp(const CString& path) {
  std::ifstream f((LPCTSTR)path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

void Spit(const CString& path, const std::string& bytes) {
  std::ofstream f((LPCTSTR)path, std::ios::binary | std::ios::trunc);
  f.write(bytes.data(), (std::streamsize)bytes.size());
}

// A new document whose page shows one picture twice.
template <class D = qvzDocument>
std::unique_ptr<D> PictureDocument() {
  std::unique_ptr<D> d(new D);
  d->OnNewDocument();
  jvqImagePool* pool = d->GetImagePool();
  jvqImageObject* a = new jvqImageObject(pool, NULL, NULL);
  EXPECT_TRUE(a->SetPicture(pool, MakePicture(64, 48, 3937), FALSE));
  const RECT r = {100, 100, 500, 400};
  a->SetRect(&r, NULL, 0x311);
  jvqPage* page = d->m_pBoard->GetPage(0);
  page->AddChild(a);
  jvqObject* b = a->Clone();
  const SIZE dx = {600, 0};
  b->Offset(&dx);
  page->AddChild(b);
  return d;
}

class PictureDocumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char szTemp[MAX_PATH];
    ::GetTempPath(MAX_PATH, szTemp);
    dir = CString(szTemp) + "qvz_picture_doc_test\\";
    ::CreateDirectory(dir, NULL);
    TestApp()->m_messages.clear();
  }
  CString Path(const char* name) { return dir + name; }
  CString dir;
};

}  // namespace

TEST_F(PictureDocumentTest, SavedPicturesOpenAsOneEntryWithTwoReferences) {
  std::unique_ptr<qvzDocument> d = PictureDocument();
  const CString path = Path("two.vqd");
  ASSERT_TRUE(d->OnSaveDocument(path));
  qvzDocument e;
  e.OnNewDocument();
  ASSERT_TRUE(e.OnOpenDocument(path));
  ASSERT_EQ(1, e.GetImagePool()->GetCount());
  EXPECT_EQ(2, e.GetImagePool()->GetAt(0)->GetRefCount());
  jvqObject* p = e.m_pBoard->GetPage(0)->GetChild(0);
  ASSERT_EQ(JVQ_OBJ_IMAGE, p->GetClassCode());
  EXPECT_EQ(CSize(64, 48), static_cast<jvqImageObject*>(p)->GetImageFill()->GetImage()->GetDimensions());
  // Saved again, the same bytes.
  const CString again = Path("again.vqd");
  ASSERT_TRUE(e.OnSaveDocument(again));
  qvzDocument f;
  f.OnNewDocument();
  ASSERT_TRUE(f.OnOpenDocument(again));
  EXPECT_EQ(1, f.GetImagePool()->GetCount());
  // A reset empties the pool.
  f.ResetContents();
  EXPECT_EQ(0, f.GetImagePool()->GetCount());
}

TEST_F(PictureDocumentTest, FailedPoolSaveKeepsTheOldFileAndTheModifiedFlag) {
  // The framework document saves beside the target, so only the pool needs the
  // temporary folder.
  std::unique_ptr<jvqDocument> d = PictureDocument<jvqDocument>();
  const CString path = Path("keep.vqd");
  ASSERT_TRUE(d->OnSaveDocument(path));
  const std::string before = Slurp(path);
  d->SetModifiedFlag(TRUE);
  // The pool's temporary files cannot be made.
  char tmp[MAX_PATH], temp[MAX_PATH];
  ::GetEnvironmentVariable("TMP", tmp, MAX_PATH);
  ::GetEnvironmentVariable("TEMP", temp, MAX_PATH);
  ::SetEnvironmentVariable("TMP", "Z:\\no such folder\\at all");
  ::SetEnvironmentVariable("TEMP", "Z:\\no such folder\\at all");
  TestApp()->m_messages.clear();
  const BOOL bSaved = d->OnSaveDocument(path);
  // The application's document copies through that folder first: it fails and says so.
  std::unique_ptr<qvzDocument> q = PictureDocument();
  const size_t nBefore = TestApp()->m_messages.size();
  EXPECT_FALSE(q->OnSaveDocument(Path("other.vqd")));
  EXPECT_EQ(nBefore + 1, TestApp()->m_messages.size());
  TestApp()->m_messages.resize(nBefore);
  ::SetEnvironmentVariable("TMP", tmp);
  ::SetEnvironmentVariable("TEMP", temp);
  EXPECT_FALSE(bSaved);
  EXPECT_EQ(1u, TestApp()->m_messages.size());
  EXPECT_EQ(before, Slurp(path));
  EXPECT_TRUE(d->IsModified());
}

TEST_F(PictureDocumentTest, CorruptPoolBlockFailsTheOpenAndChangesNothing) {
  std::unique_ptr<qvzDocument> d = PictureDocument();
  jvqFileHeader h;
  h.m_pImagePool = d->GetImagePool();
  CMemFile m;
  {
    CArchive ar(&m, CArchive::store);
    jvqBoardStream::Write(ar, &h, d->m_pBoard, NULL);
    ar.Close();
  }
  const std::string good = BytesOf(m);
  // The block: version 91530, two records, the first with id 1.
  const std::string head("\x8A\x65\x01\x00\x02\x00\x00\x00\x01\x00\x00\x00", 12);
  const size_t at = good.find(head);
  ASSERT_NE(std::string::npos, at);
  qvzDocument e;
  e.OnNewDocument();
  jvqBoard* before = e.m_pBoard;
  e.SetModifiedFlag(TRUE);
  std::string count = good, length = good, picture = good;
  count[at + 5] = 0x7F;                      // more records than bytes
  length[at + 15] = 0x7F;                    // a record longer than the file
  for (size_t i = at + 24; i < at + 60; i++) picture[i] = (char)0xEE;  // data that does not expand
  for (const std::string& bad : {count, length, picture}) {
    const CString path = Path("broken.vqd");
    Spit(path, bad);
    TestApp()->m_messages.clear();
    EXPECT_FALSE(e.OnOpenDocument(path));
    EXPECT_EQ(1u, TestApp()->m_messages.size());
    EXPECT_EQ(before, e.m_pBoard);
    EXPECT_TRUE(e.IsModified());
    EXPECT_EQ(0, e.GetImagePool()->GetCount());
  }
  // Records of older files that embed their pictures: a picture or a texture longer than
  // the bytes left fails the open the same way.
  const RECT tr = {100, 900, 500, 1200};
  jvqRectObject* textured = new jvqRectObject(&tr, NULL, 0x311);
  jvqTextureFill* tf = new jvqTextureFill;
  tf->m_pImage = MakePicture(6, 6);
  textured->SetFill(tf);
  d->m_pBoard->GetPage(0)->AddChild(textured);
  h.m_nVersion = 91100;
  CMemFile m2;
  {
    CArchive ar(&m2, CArchive::store);
    jvqBoardStream::Write(ar, &h, d->m_pBoard, NULL);
    ar.Close();
  }
  const std::string old = BytesOf(m2);
  const std::string image("\x00\x00\x09\x00", 4), texture("\x00\x00\x20\x00\x01\x00\x00\x00", 8);
  ASSERT_NE(std::string::npos, old.find(image));
  ASSERT_NE(std::string::npos, old.find(texture));
  std::string embedded = old, ownTexture = old;
  embedded[old.find(image) + 7] = 0x7F;
  ownTexture[old.find(texture) + 11] = 0x7F;
  for (const std::string& bad : {embedded, ownTexture}) {
    const CString path = Path("broken old.vqd");
    Spit(path, bad);
    TestApp()->m_messages.clear();
    EXPECT_FALSE(e.OnOpenDocument(path));
    EXPECT_EQ(1u, TestApp()->m_messages.size());
    EXPECT_EQ(before, e.m_pBoard);
    EXPECT_EQ(0, e.GetImagePool()->GetCount());
  }
  // The flat streams themselves open.
  const CString old91100 = Path("flat old.vqd");
  Spit(old91100, old);
  ASSERT_TRUE(e.OnOpenDocument(old91100));
  EXPECT_EQ(2, e.GetImagePool()->GetCount());
  const CString path = Path("flat.vqd");
  Spit(path, good);
  ASSERT_TRUE(e.OnOpenDocument(path));
  EXPECT_EQ(1, e.GetImagePool()->GetCount());
}

TEST_F(PictureDocumentTest, CopiedPictureOffersBitmapFormatsAndBitmapsPasteAsPictures) {
  std::unique_ptr<qvzDocument> d = PictureDocument();
  jvqObjectArray sel;
  sel.m_bOwns = FALSE;
  sel.Add(d->m_pBoard->GetPage(0)->GetChild(0));
  d->CopyObjectsToClipboard(sel);
  EXPECT_TRUE(::IsClipboardFormatAvailable(theClipboardFormat));
  EXPECT_TRUE(::IsClipboardFormatAvailable(CF_DIB));
  EXPECT_TRUE(::IsClipboardFormatAvailable(CF_BITMAP));

  // A bitmap another program put there.
  std::unique_ptr<CDibImage> p(MakePicture(30, 20));
  ASSERT_TRUE(::OpenClipboard(NULL));
  ::EmptyClipboard();
  ASSERT_TRUE(p->SetClipboard());
  ::CloseClipboard();
  EXPECT_TRUE(d->CanPaste());
  const int before = d->GetImagePool()->GetCount();
  // The picture lands at the centre of the view.
  jvqObjectDefaults* defaults = jvqObjectDefaults::GetObjectDefaults();
  jvqViewMapping* pOldView = defaults->GetDefaultView();
  jvqViewMapping view;
  view.m_dZoom = 100;
  view.m_nClientWidth = 400;
  view.m_nClientHeight = 300;
  defaults->SetDefaultView(&view);
  jvqObjectArray out;
  const BOOL bPasted = d->PasteObjects(out);
  defaults->SetDefaultView(pOldView);
  ASSERT_TRUE(bPasted);
  ASSERT_EQ(1, out.GetCount());
  ASSERT_EQ(JVQ_OBJ_IMAGE, out.GetAt(0)->GetClassCode());
  EXPECT_EQ(before + 1, d->GetImagePool()->GetCount());
  EXPECT_EQ(CSize(30, 20), static_cast<jvqImageObject*>(out.GetAt(0))->GetImageFill()->GetImage()->GetDimensions());
  RECT centre = {200, 150, 200, 150};
  view.RectToLogical(&centre);
  POINT c;
  out.GetAt(0)->GetCenter(&c);
  EXPECT_NEAR(centre.left, c.x, 1);
  EXPECT_NEAR(centre.top, c.y, 1);

  // An enhanced metafile pastes as a picture that never turns.
  HDC hEmf = ::CreateEnhMetaFile(NULL, NULL, NULL, NULL);
  ::Rectangle(hEmf, 0, 0, 300, 200);
  HENHMETAFILE emf = ::CloseEnhMetaFile(hEmf);
  ASSERT_TRUE(::OpenClipboard(NULL));
  ::EmptyClipboard();
  ::SetClipboardData(CF_ENHMETAFILE, emf);
  ::CloseClipboard();
  jvqObjectArray meta;
  ASSERT_TRUE(d->PasteObjects(meta));
  ASSERT_EQ(1, meta.GetCount());
  jvqImageObject* m = static_cast<jvqImageObject*>(meta.GetAt(0));
  EXPECT_EQ(nullptr, m->GetImageFill()->GetImage()->GetBI());
  EXPECT_EQ(3, m->GetEditFlags());
  m->SetRotation(30);
  EXPECT_EQ(0.0, m->m_dRotation);
  EXPECT_EQ(before + 2, d->GetImagePool()->GetCount());

  // A DIB whose header lies: the message, and nothing is added.
  HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, 64);
  BYTE* q = (BYTE*)::GlobalLock(h);
  memset(q, 0, 64);
  q[0] = 40;
  q[4] = 0x10;
  q[5] = 0x27;  // 10000 x 10000 pixels in 64 bytes
  q[8] = 0x10;
  q[9] = 0x27;
  q[12] = 1;
  q[14] = 24;
  ::GlobalUnlock(h);
  ASSERT_TRUE(::OpenClipboard(NULL));
  ::EmptyClipboard();
  ::SetClipboardData(CF_DIB, h);
  ::CloseClipboard();
  TestApp()->m_messages.clear();
  jvqObjectArray none;
  EXPECT_FALSE(d->PasteObjects(none));
  EXPECT_EQ(0, none.GetCount());
  EXPECT_EQ(1u, TestApp()->m_messages.size());
  EXPECT_EQ(before + 2, d->GetImagePool()->GetCount());
}

// The "Contents" stream of a saved board.
static std::string ContentsOf(const CString& path) {
  std::unique_ptr<CFile> f(jvqCompoundFile::OpenContents(path));
  if (!f) return std::string();
  std::string s((size_t)f->GetLength(), '\0');
  if (!s.empty()) f->Read(&s[0], (UINT)s.size());
  return s;
}

// Pictures of every format inserted from files (one shown twice, one kept only by undo) and
// pattern and texture fills, written at every version of the format, opened and saved again:
// rasters come back as DIBs and metafiles as metafiles, and from the pool version on each
// picture stands once in the pool; what older versions embedded moves into the pool.
TEST_F(PictureDocumentTest, PicturesOfEveryFormatAtEveryVersion) {
  std::unique_ptr<CDibImage> src(MakePicture(40, 30, 3937));
  CMemFile mem;
  src->Write(&mem);
  const DWORD n = (DWORD)mem.GetLength();
  auto writeAs = [&](CDibImage* p, const CString& path) {
    mem.SeekToBegin();
    EXPECT_TRUE(p->Read(&mem, n));
    EXPECT_TRUE(p->Write(path)) << (LPCTSTR)path;
    delete p;
  };
  const CString jpg = Path("photo.jpeg"), png = Path("photo.png"), tif = Path("photo.tiff"), bmp = Path("photo.bmp"),
                plain = Path("plain.bmp"), emf = Path("plan.emf"), wmf = Path("plan.wmf");
  writeAs(new CJpegImage, jpg);
  writeAs(new CPngImage, png);
  writeAs(new CTiffImage, tif);
  writeAs(new CDibImage, bmp);
  std::unique_ptr<CDibImage> noResolution(MakePicture(20, 10));
  ASSERT_TRUE(noResolution->Write(plain));
  HDC hEmf = ::CreateEnhMetaFile(NULL, emf, NULL, NULL);
  ::Rectangle(hEmf, 0, 0, 200, 100);
  ::DeleteEnhMetaFile(::CloseEnhMetaFile(hEmf));
  HDC hWmf = ::CreateMetaFile(wmf);
  ::SetWindowOrgEx(hWmf, 0, 0, NULL);
  ::SetWindowExtEx(hWmf, 300, 200, NULL);
  ::Rectangle(hWmf, 0, 0, 300, 200);
  ::DeleteMetaFile(::CloseMetaFile(hWmf));

  const CString files[] = {jpg, png, tif, bmp, plain, emf, wmf};
  const int kFiles = 7;
  qvzDocument d;
  d.OnNewDocument();
  jvqViewMapping* view = jvqObjectDefaults::GetObjectDefaults()->GetDefaultView();
  jvqViewMapping own;
  if (view == NULL) view = &own;
  jvqPage* page = d.m_pBoard->GetPage(0);
  for (const CString& path : files) {
    jvqImageObject* o = new jvqImageObject(d.GetImagePool(), path, view);
    ASSERT_TRUE(o->GetImageFill() && o->GetImageFill()->GetImage()) << (LPCTSTR)path;
    page->AddChild(o);
  }
  RECT b;
  page->GetChild(3)->GetBoundRect(&b);
  EXPECT_EQ(101, b.right - b.left);  // 40 pixels at 100 dpi
  page->GetChild(4)->GetBoundRect(&b);
  EXPECT_EQ(25, b.right - b.left);  // 20 pixels without a resolution: 1.27 units each
  // Metafiles take their size through the view and never turn.
  for (int i : {5, 6}) {
    jvqImageObject* meta = static_cast<jvqImageObject*>(page->GetChild(i));
    const CSize dims = meta->GetImageFill()->GetImage()->GetDimensions();
    SIZE want = {dims.cx, dims.cy};
    view->SizeToLogical(&want);
    meta->GetBoundRect(&b);
    EXPECT_EQ(want.cx, b.right - b.left) << i;
    EXPECT_EQ(want.cy, b.bottom - b.top) << i;
    EXPECT_EQ(3, meta->GetEditFlags()) << i;
    meta->SetRotation(30);
    EXPECT_EQ(0.0, meta->m_dRotation) << i;
  }
  jvqObject* twice = page->GetChild(3)->Clone();
  const SIZE dx = {600, 0};
  twice->Offset(&dx);
  page->AddChild(twice);
  jvqImageObject* undoOnly = new jvqImageObject(d.GetImagePool(), NULL, view);
  ASSERT_TRUE(undoOnly->SetPicture(d.GetImagePool(), MakePicture(12, 12), FALSE));
  undoOnly->m_dwState &= ~JVQ_STATE_ALIVE;
  page->AddChild(undoOnly);
  const RECT r = {100, 800, 900, 1200};
  jvqRectObject* pattern = new jvqRectObject(&r, NULL, 0x311);
  jvqImageFileList none;
  jvqPatternFill* pf = new jvqPatternFill;
  pf->SetPattern(&none, 3, 0xFFFFFF, 0x0000FF);
  jvqPatternFill::SetLibrary(NULL);
  pattern->SetFill(pf);
  page->AddChild(pattern);
  jvqRectObject* texture = new jvqRectObject(&r, NULL, 0x311);
  jvqTextureFill* tf = new jvqTextureFill(plain);
  ASSERT_TRUE(tf->m_pImage);
  // A texture keeps only what reads back as a DIB: a metafile is refused as unreadable.
  for (const CString& meta : {emf, wmf}) {
    jvqTextureFill refused;
    EXPECT_EQ(nullptr, refused.SetFile(meta)) << (LPCTSTR)meta;
    EXPECT_EQ(nullptr, refused.m_pImage);
  }
  texture->SetFill(tf);
  page->AddChild(texture);
  ASSERT_EQ(kFiles + 1, d.GetImagePool()->GetCount());
  {
    // A fill made without a pool takes the pool of the registry's document.
    jvqImageFill loose(bmp, NULL);
    EXPECT_EQ(d.GetImagePool(), loose.GetPool());
    EXPECT_EQ(kFiles + 2, d.GetImagePool()->GetCount());
  }
  ASSERT_EQ(kFiles + 1, d.GetImagePool()->GetCount());

  for (int version : {91000, 91100, 91200, 91300, 91400, 91500, 91530}) {
    d.GetHeader()->m_nVersion = version;
    const CString file = Path("formats.vqd");
    ASSERT_TRUE(d.OnSaveDocument(file)) << version;
    qvzDocument e;
    e.OnNewDocument();
    ASSERT_TRUE(e.OnOpenDocument(file)) << version;
    jvqPage* back = e.m_pBoard->GetPage(0);
    ASSERT_EQ(kFiles + 3, back->GetChildCount()) << version;  // the undo-only picture is not written
    for (int i = 0; i <= kFiles; i++) {
      CBaseImage* p = static_cast<jvqImageObject*>(back->GetChild(i))->GetImageFill()->GetImage();
      ASSERT_TRUE(p) << version << " " << i;
      const bool raster = i < 5 || i == kFiles;
      EXPECT_STREQ(raster ? "CDibImage" : "CMetafileImage", p->GetRuntimeClass()->m_lpszClassName) << version << " " << i;
      if (raster) EXPECT_EQ(i == 4 ? CSize(20, 10) : CSize(40, 30), p->GetDimensions()) << version << " " << i;
    }
    jvqImagePool* pool = e.GetImagePool();
    const int shared = static_cast<jvqImageObject*>(back->GetChild(3))->GetImageFill()->GetPoolId();
    if (version >= 91200) {
      // One entry for the picture shown twice, with both references.
      ASSERT_EQ(kFiles, pool->GetCount()) << version;
      EXPECT_EQ(2, pool->FindEntry(shared)->GetRefCount()) << version;
      EXPECT_EQ(shared, static_cast<jvqImageObject*>(back->GetChild(kFiles))->GetImageFill()->GetPoolId());
    } else {
      EXPECT_EQ(kFiles + 1, pool->GetCount()) << version;  // each showing embedded its own
    }
    jvqPatternFill* pb = (jvqPatternFill*)back->GetChild(kFiles + 1)->GetFill();
    ASSERT_TRUE(pb && pb->GetFlags() == (DWORD)FILL_PATTERN) << version;
    EXPECT_EQ(3, pb->m_nIndex);
    EXPECT_EQ(0x0000FFu, pb->m_crFore);
    jvqTextureFill* tb = (jvqTextureFill*)back->GetChild(kFiles + 2)->GetFill();
    ASSERT_TRUE(tb && tb->GetFlags() == (DWORD)FILL_TEXTURE && tb->GetDib()) << version;
    EXPECT_EQ(20, tb->GetDib()->GetWidth());

    // Saved again, now at the current version: the pictures stand in the pool block.
    const CString again = Path("formats again.vqd");
    ASSERT_TRUE(e.OnSaveDocument(again)) << version;
    qvzDocument f;
    f.OnNewDocument();
    ASSERT_TRUE(f.OnOpenDocument(again)) << version;
    EXPECT_EQ(pool->GetCount(), f.GetImagePool()->GetCount()) << version;
    EXPECT_EQ(kFiles + 3, f.m_pBoard->GetPage(0)->GetChildCount()) << version;
    if (version == JVQ_VERSION_CURRENT) EXPECT_EQ(ContentsOf(file), ContentsOf(again));
  }
}

// Pictures that another process put on the clipboard paste as pictures.
TEST_F(PictureDocumentTest, PicturesFromAnotherProcessPaste) {
  qvzDocument d;
  d.OnNewDocument();
  for (const char* kind : {"dib", "emf"}) {
    char szExe[MAX_PATH];
    ::GetModuleFileName(NULL, szExe, MAX_PATH);
    ::SetEnvironmentVariable("QVZ_PUT_PICTURE", kind);
    STARTUPINFO si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    CString cmd = CString("\"") + szExe + "\"";
    ASSERT_TRUE(::CreateProcess(NULL, cmd.GetBuffer(0), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi));
    ::SetEnvironmentVariable("QVZ_PUT_PICTURE", NULL);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(pi.hProcess, 60000));
    DWORD code = 1;
    ::GetExitCodeProcess(pi.hProcess, &code);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    ASSERT_EQ(0u, code) << kind;
    ASSERT_TRUE(d.CanPaste()) << kind;
    jvqObjectArray out;
    ASSERT_TRUE(d.PasteObjects(out)) << kind;
    ASSERT_EQ(1, out.GetCount()) << kind;
    CBaseImage* p = static_cast<jvqImageObject*>(out.GetAt(0))->GetImageFill()->GetImage();
    ASSERT_TRUE(p) << kind;
    if (strcmp(kind, "dib") == 0)
      EXPECT_EQ(CSize(24, 16), p->GetDimensions());
    else
      EXPECT_EQ(nullptr, p->GetBI());
    EXPECT_EQ(1, d.GetImagePool()->GetCount()) << kind;
  }
  // The pasted objects went with their array: so did their pictures.
  EXPECT_EQ(0, d.GetImagePool()->GetCount());
}
