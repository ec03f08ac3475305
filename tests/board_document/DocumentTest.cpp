// The board document under Wine: compound files, failures that leave everything as it
// was, interrupted saves, the clipboard and auto-save.
#include <gtest/gtest.h>

#include <objbase.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>

#include "BoardFixture.h"
#include "Dib.h"
#include "DocumentTestApp.h"
#include "afxarch.h"
#include "jvqBoardStream.h"
#include "jvqCompoundFile.h"
#include "jvqMemFile.h"
#include "afxtest/PictureItem.h"
#include "jvqOleItem.h"
#include "jvqUndoManager.h"
#include "jvqViewMapping.h"
#include "qvzDocument.h"
#include "board_text/TextBoard.h"
#include "jvqTextObject.h"

namespace {

std::string Slurp(const CString& path) {
  std::ifstream f((LPCTSTR)path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

void Spit(const CString& path, const std::string& bytes) {
  std::ofstream f((LPCTSTR)path, std::ios::binary | std::ios::trunc);
  f.write(bytes.data(), (std::streamsize)bytes.size());
}

std::string StreamBytes(jvqBoard* b, int nVersion) {
  jvqFileHeader h;
  h.m_nVersion = nVersion;
  CMemFile f;
  {
    CArchive ar(&f, CArchive::store);
    jvqBoardStream::Write(ar, &h, b, NULL);
    ar.Close();
  }
  std::string s((size_t)f.GetLength(), '\0');
  f.SeekToBegin();
  f.Read(&s[0], (UINT)s.size());
  return s;
}

// Puts the bytes on the clipboard in the board's private format.
void PutClipboardBlock(const std::string& bytes) {
  HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size() ? bytes.size() : 1);
  memcpy(::GlobalLock(h), bytes.data(), bytes.size());
  ::GlobalUnlock(h);
  ASSERT_TRUE(::OpenClipboard(NULL));
  ::EmptyClipboard();
  ::SetClipboardData(theClipboardFormat, h);
  ::CloseClipboard();
}

// A document holding the test board.
std::unique_ptr<qvzDocument> NewDocument(int nPages) {
  std::unique_ptr<qvzDocument> d(new qvzDocument);
  d->OnNewDocument();
  delete d->m_pBoard;
  d->m_pBoard = MakeTestBoard(nPages);
  return d;
}

class Document : public ::testing::Test {
 protected:
  void SetUp() override {
    char szTemp[MAX_PATH];
    ::GetTempPath(MAX_PATH, szTemp);
    dir = CString(szTemp) + "qvz_board_doc_test\\";
    ::CreateDirectory(dir, NULL);
    TestApp()->m_messages.clear();
  }
  CString Path(const char* name) {
    CString p = dir + name;
    ::SetFileAttributes(p, FILE_ATTRIBUTE_NORMAL);
    ::DeleteFile(p);
    return p;
  }
  CString dir;
};

}  // namespace

TEST_F(Document, SavedFileIsACompoundFileThatReopensIdentical) {
  auto d = NewDocument(3);
  d->m_pHeader->SetProperty("物件名", "山田邸");
  d->SetModifiedFlag(TRUE);
  const CString path = Path("board.vqd");
  ASSERT_TRUE(d->OnSaveDocument(path));
  EXPECT_FALSE(d->IsModified());
  EXPECT_EQ(0, d->GetPathName().CompareNoCase(path));

  // Read back with the platform's storage functions directly.
  WCHAR wpath[MAX_PATH];
  ::MultiByteToWideChar(CP_ACP, 0, path, -1, wpath, MAX_PATH);
  ASSERT_EQ(S_OK, ::StgIsStorageFile(wpath));
  IStorage* stg = NULL;
  ASSERT_EQ(S_OK, ::StgOpenStorage(wpath, NULL, STGM_READ | STGM_SHARE_DENY_WRITE, NULL, 0, &stg));
  IStream* stm = NULL;
  ASSERT_EQ(S_OK, stg->OpenStream(L"Contents", NULL, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &stm));
  unsigned char head[53] = {};
  ULONG got = 0;
  stm->Read(head, sizeof(head), &got);
  stm->Release();
  stg->Release();
  ASSERT_EQ(sizeof(head), got);
  EXPECT_EQ(4, head[0]);
  EXPECT_EQ(0, memcmp(head + 1, "vask", 4));
  int32_t version, pages, flag;
  memcpy(&version, head + 5, 4);
  memcpy(&pages, head + 9, 4);
  memcpy(&flag, head + 13, 4);
  EXPECT_EQ(91530, version);
  EXPECT_EQ(3, pages);
  EXPECT_EQ(0, flag);

  qvzDocument r;
  r.OnNewDocument();
  ASSERT_TRUE(r.OnOpenDocument(path));
  EXPECT_EQ(AliveRecords(d->m_pBoard), AliveRecords(r.m_pBoard));
  EXPECT_STREQ("山田邸", r.m_pHeader->GetProperty("物件名"));
  EXPECT_STREQ("4200", r.m_pHeader->GetProperty("用紙幅"));
  EXPECT_STREQ("2970", r.m_pHeader->GetProperty("用紙高さ"));
  EXPECT_EQ(12, r.m_pHeader->m_Properties.GetCount());
  // The thumbnail shows the page's objects, not only its outline.
  ASSERT_NE(nullptr, r.GetThumbnail());
  EXPECT_EQ(147, r.GetThumbnail()->GetWidth());
  EXPECT_EQ(158, r.GetThumbnail()->GetHeight());
  int coloured = 0;
  for (int y = 0; y < 158; y++)
    for (int x = 0; x < 147; x++) {
      COLORREF c = r.GetThumbnail()->GetColor(x, y);
      if (c != RGB(255, 255, 255) && c != 0) coloured++;
    }
  EXPECT_GT(coloured, 50);
  EXPECT_TRUE(TestApp()->m_messages.empty());
}

TEST_F(Document, FlatFileOfAnOlderVersionOpensAndIsUpgradedOnSave) {
  std::unique_ptr<jvqBoard> b(MakeTestBoard(2));
  const CString flat = Path("old.vqd");
  Spit(flat, StreamBytes(b.get(), 91100));
  qvzDocument d;
  d.OnNewDocument();
  ASSERT_TRUE(d.OnOpenDocument(flat));
  EXPECT_EQ(AliveRecords(b.get()), AliveRecords(d.m_pBoard));
  EXPECT_EQ(nullptr, d.GetThumbnail());
  EXPECT_EQ(91530, d.m_pHeader->m_nVersion);
  const CString saved = Path("upgraded.vqd");
  ASSERT_TRUE(d.OnSaveDocument(saved));
  EXPECT_TRUE(jvqCompoundFile::IsCompoundFile(saved));
  qvzDocument r;
  r.OnNewDocument();
  ASSERT_TRUE(r.OnOpenDocument(saved));
  EXPECT_NE(nullptr, r.GetThumbnail());
  EXPECT_EQ(AliveRecords(b.get()), AliveRecords(r.m_pBoard));
}

// Boards with embedded objects open at every version, also when an object's index names
// no item; saved again they keep the objects and an empty item list.
TEST_F(Document, BoardsWithEmbeddedObjectsOpenAtEveryVersion) {
  for (int version : {91000, 91100, 91200, 91300, 91400, 91510, 91530}) {
    SCOPED_TRACE(version);
    std::unique_ptr<jvqBoard> b(MakeTestBoard(1));
    AddOleObject(b->GetPage(0), 0);
    AddOleObject(b->GetPage(0), 3);
    const CString flat = Path("ole.vqd");
    Spit(flat, StreamBytes(b.get(), version));
    qvzDocument d;
    d.OnNewDocument();
    ASSERT_TRUE(d.OnOpenDocument(flat));
    EXPECT_EQ(AliveRecords(b.get()), AliveRecords(d.m_pBoard));
    jvqPage* p = d.m_pBoard->GetPage(0);
    jvqOleObject* o = (jvqOleObject*)p->GetChild(p->GetChildCount() - 1);
    ASSERT_EQ(JVQ_OBJ_OLE, o->GetClassCode());
    EXPECT_EQ(nullptr, o->GetClientItem());
    const CString saved = Path("ole_saved.vqd");
    ASSERT_TRUE(d.OnSaveDocument(saved));
    qvzDocument r;
    r.OnNewDocument();
    ASSERT_TRUE(r.OnOpenDocument(saved));
    EXPECT_EQ(AliveRecords(b.get()), AliveRecords(r.m_pBoard));
    EXPECT_TRUE(TestApp()->m_messages.empty());
  }
}

namespace {

// An embedded picture item of the document (no server needed).
jvqOleItem* AddPictureItem(jvqDocument* d) {
  jvqOleItem* item = new jvqOleItem(d, NULL);
  if (MakePictureItem(item)) return item;
  item->Delete();
  return NULL;
}

}  // namespace

// Items are written in the order objects name them, so a replaced item (a clone standing
// at the index of the item it replaced, last in the item list) is found again by its index.
TEST_F(Document, EmbeddedItemsSaveAndReloadEachAtItsIndex) {
  auto d = NewDocument(1);
  jvqOleItem* a = AddPictureItem(d.get());
  jvqOleItem* b = AddPictureItem(d.get());
  ASSERT_TRUE(a && b);
  EXPECT_EQ(0, d->AddOleItem(a));
  EXPECT_EQ(1, d->AddOleItem(b));
  jvqOleItem* clone = new jvqOleItem(d.get(), NULL);
  ASSERT_TRUE(clone->CreateCloneFrom(a));
  d->m_OleItems[0] = clone;  // list order a, b, clone; index order clone, b
  jvqOleObject* o0 = AddOleObject(d->m_pBoard->GetPage(0), 0);
  jvqOleObject* o1 = AddOleObject(d->m_pBoard->GetPage(0), 1);
  o0->m_pDocument = o1->m_pDocument = d.get();
  EXPECT_EQ(clone, o0->GetClientItem());
  const DWORD n0 = clone->m_dwItemNumber, n1 = b->m_dwItemNumber;
  const CString path = Path("items.vqd");
  ASSERT_TRUE(d->OnSaveDocument(path));

  qvzDocument r;
  r.OnNewDocument();
  ASSERT_TRUE(r.OnOpenDocument(path));
  ASSERT_EQ(2, r.GetOleItemCount());
  EXPECT_EQ(2, r.GetItemCount());  // the item no object names is not kept
  jvqPage* p = r.m_pBoard->GetPage(0);
  jvqOleObject* r0 = (jvqOleObject*)p->GetChild(p->GetChildCount() - 2);
  jvqOleObject* r1 = (jvqOleObject*)p->GetChild(p->GetChildCount() - 1);
  ASSERT_EQ(JVQ_OBJ_OLE, r0->GetClassCode());
  EXPECT_EQ(&r, (qvzDocument*)r0->m_pDocument);
  ASSERT_NE(nullptr, r0->GetClientItem());
  EXPECT_EQ(n0, r0->GetClientItem()->m_dwItemNumber);
  EXPECT_EQ(n1, r1->GetClientItem()->m_dwItemNumber);
  EXPECT_TRUE(r0->GetClientItem()->IsKindOf(RUNTIME_CLASS(jvqOleItem)));

  // An item whose storage is gone fails the open; the document keeps what it had.
  {
    WCHAR w[MAX_PATH];
    ::MultiByteToWideChar(CP_ACP, 0, path, -1, w, MAX_PATH);
    IStorage* stg = NULL;
    ASSERT_EQ(S_OK, ::StgOpenStorage(w, NULL, STGM_READWRITE | STGM_SHARE_EXCLUSIVE, NULL, 0, &stg));
    WCHAR name[32];
    swprintf(name, 32, L"Embedding %lu", (unsigned long)n1);
    EXPECT_EQ(S_OK, stg->DestroyElement(name));
    stg->Commit(STGC_DEFAULT);
    stg->Release();
  }
  jvqBoard* before = r.m_pBoard;
  TestApp()->m_messages.clear();
  EXPECT_FALSE(r.OnOpenDocument(path));
  EXPECT_EQ(1u, TestApp()->m_messages.size());
  EXPECT_EQ(before, r.m_pBoard);
  EXPECT_EQ(2, r.GetOleItemCount());
  EXPECT_EQ(2, r.GetItemCount());

  // A reset leaves no item behind.
  r.ResetContents();
  EXPECT_EQ(0, r.GetOleItemCount());
  EXPECT_EQ(0, r.GetItemCount());
}

TEST_F(Document, CorruptFilesFailAndChangeNothing) {
  std::unique_ptr<jvqBoard> b(MakeTestBoard(1));
  const std::string good = StreamBytes(b.get(), 91530);
  std::string foreign = good;
  memcpy(&foreign[1], "xxxx", 4);
  std::string unknown = good;
  // The first page's first object gets a class code that names no class.
  const size_t firstObj = 126 + BaseRecordOf(b.get()).size() + 4 + BaseRecordOf(b->GetPage(0)).size() + 4;
  int32_t code = 0x10;
  memcpy(&unknown[firstObj], &code, 4);
  std::string huge = good;
  int32_t n = 0x40000000;
  memcpy(&huge[firstObj - 4], &n, 4);
  std::string items = good;  // an item count the stream cannot hold
  n = 5;
  memcpy(&items[items.size() - 4], &n, 4);
  const std::string cases[] = {foreign, unknown, huge, items, good.substr(0, good.size() / 2), "", "not a board at all"};

  auto d = NewDocument(2);
  d->SetModifiedFlag(TRUE);
  jvqBoard* before = d->m_pBoard;
  const std::vector<std::string> records = AliveRecords(before);
  for (const std::string& bytes : cases) {
    const CString path = Path("corrupt.vqd");
    Spit(path, bytes);
    TestApp()->m_messages.clear();
    EXPECT_FALSE(d->OnOpenDocument(path));
    EXPECT_EQ(1u, TestApp()->m_messages.size());
    EXPECT_EQ(before, d->m_pBoard);
    EXPECT_EQ(records, AliveRecords(d->m_pBoard));
    EXPECT_TRUE(d->IsModified());
    EXPECT_TRUE(bytes == Slurp(path));
  }
}

TEST_F(Document, FailedSaveKeepsTheOldFileThePathAndTheModifiedFlag) {
  auto d = NewDocument(1);
  const CString path = Path("keep.vqd");
  ASSERT_TRUE(d->OnSaveDocument(path));
  const std::string old = Slurp(path);
  const CString oldPath = d->GetPathName();

  d->m_pBoard->GetPage(0)->AddChild(new jvqRectObject());
  d->SetModifiedFlag(TRUE);
  // A target held open by another program cannot be replaced.
  HANDLE hold = ::CreateFile(path, GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
  ASSERT_NE(INVALID_HANDLE_VALUE, hold);
  TestApp()->m_messages.clear();
  EXPECT_FALSE(d->OnSaveDocument(path));
  ::CloseHandle(hold);
  EXPECT_EQ(1u, TestApp()->m_messages.size());
  EXPECT_TRUE(d->IsModified());
  EXPECT_TRUE(old == Slurp(path));

  // A folder that does not exist.
  TestApp()->m_messages.clear();
  EXPECT_FALSE(d->OnSaveDocument(dir + "no such folder\\x.vqd"));
  EXPECT_EQ(1u, TestApp()->m_messages.size());
  EXPECT_TRUE(d->IsModified());
  EXPECT_EQ(oldPath, d->GetPathName());
}

TEST_F(Document, KilledSaveLeavesThePreviousFileWhole) {
  auto d = NewDocument(2);
  const CString path = Path("killed.vqd");
  ASSERT_TRUE(d->OnSaveDocument(path));
  const std::string old = Slurp(path);

  char szExe[MAX_PATH];
  ::GetModuleFileName(NULL, szExe, MAX_PATH);
  ::SetEnvironmentVariable("QVZ_KILL_SAVE", path);
  STARTUPINFO si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi = {};
  CString cmd = CString("\"") + szExe + "\"";
  ASSERT_TRUE(::CreateProcess(NULL, cmd.GetBuffer(0), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi));
  ::SetEnvironmentVariable("QVZ_KILL_SAVE", NULL);
  ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(pi.hProcess, 60000));
  DWORD code = 0;
  ::GetExitCodeProcess(pi.hProcess, &code);
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  EXPECT_EQ(3u, code);  // it died inside the save
  EXPECT_TRUE(old == Slurp(path));
  qvzDocument r;
  r.OnNewDocument();
  ASSERT_TRUE(r.OnOpenDocument(path));
  EXPECT_EQ(AliveRecords(d->m_pBoard), AliveRecords(r.m_pBoard));
}

TEST_F(Document, CopyAndPasteBetweenTwoDocuments) {
  auto a = NewDocument(1);
  auto b = NewDocument(1);
  jvqObjectArray sel;
  sel.m_bOwns = FALSE;
  jvqPage* page = a->m_pBoard->GetPage(0);
  for (int i = 0; i < page->GetChildCount(); i++)
    if (page->GetChild(i)->GetState() & JVQ_STATE_ALIVE) sel.Add(page->GetChild(i));
  a->CopyObjectsToClipboard(sel);
  EXPECT_TRUE(b->CanPaste());
  jvqObjectArray pasted;
  ASSERT_TRUE(b->PasteObjects(pasted));
  ASSERT_EQ(sel.GetCount(), pasted.GetCount());
  for (int i = 0; i < sel.GetCount(); i++) {
    EXPECT_NE(sel.GetAt(i), pasted.GetAt(i));
    EXPECT_EQ(RecordOf(sel.GetAt(i), 91100), RecordOf(pasted.GetAt(i), 91100)) << i;
  }
  EXPECT_TRUE(TestApp()->m_messages.empty());
  sel.m_items.clear();
}

// An embedded object pastes only into the document it was copied from, while the clipboard
// still holds that copy; elsewhere the rest pastes and the user is told once.
TEST_F(Document, EmbeddedObjectsPasteOnlyWhereTheyWereCopied) {
  auto a = NewDocument(1);
  auto b = NewDocument(1);
  jvqPage* page = a->m_pBoard->GetPage(0);
  jvqOleObject* o = AddOleObject(page, 0);
  AddOleObject(page, 1);
  jvqObjectArray sel;
  sel.m_bOwns = FALSE;
  sel.Add(page->GetChild(0));
  sel.Add(o);
  sel.Add(page->GetChild(page->GetChildCount() - 1));
  struct Case {
    bool intoSource, clipboardChanged;
    int pasted, messages;
  };
  const Case cases[] = {{true, false, 3, 0}, {false, false, 1, 1}, {true, true, 1, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.intoSource * 2 + c.clipboardChanged);
    a->CopyObjectsToClipboard(sel);
    if (c.clipboardChanged) {
      // Someone put the same bytes back: not the copy the document made.
      ASSERT_TRUE(::OpenClipboard(NULL));
      HANDLE h = ::GetClipboardData(theClipboardFormat);
      const std::string bytes((const char*)::GlobalLock(h), ::GlobalSize(h));
      ::GlobalUnlock(h);
      ::CloseClipboard();
      PutClipboardBlock(bytes);
    }
    TestApp()->m_messages.clear();
    jvqObjectArray pasted;
    ASSERT_TRUE((c.intoSource ? a : b)->PasteObjects(pasted));
    EXPECT_EQ(c.pasted, pasted.GetCount());
    EXPECT_EQ((size_t)c.messages, TestApp()->m_messages.size());
    if (c.pasted == 3) EXPECT_EQ(RecordOf(o), RecordOf(pasted.GetAt(1)));
  }
  sel.m_items.clear();
}

TEST_F(Document, TextObjectsCopyAndPasteBetweenTwoDocuments) {
  auto a = NewDocument(1);
  auto b = NewDocument(1);
  jvqPage* page = a->m_pBoard->GetPage(0);
  page->DeleteChildren();
  AddTextObjects(page);
  jvqObjectArray sel;
  sel.m_bOwns = FALSE;
  for (int i = 0; i < page->GetChildCount(); i++) sel.Add(page->GetChild(i));
  a->CopyObjectsToClipboard(sel);
  jvqObjectArray pasted;
  ASSERT_TRUE(b->PasteObjects(pasted));
  ASSERT_EQ(sel.GetCount(), pasted.GetCount());
  for (int i = 0; i < sel.GetCount(); i++) {
    // Titles travel at the current version, with their option value.
    const int v = sel.GetAt(i)->GetClassCode() == JVQ_OBJ_BANNER ? 91530 : 91100;
    EXPECT_EQ(RecordOf(sel.GetAt(i), v), RecordOf(pasted.GetAt(i), v)) << i;
  }
  EXPECT_EQ(5, ((jvqBannerObject*)pasted.GetAt(4))->GetBannerStyle()->m_nOption);
  EXPECT_TRUE(TestApp()->m_messages.empty());
  sel.m_items.clear();
}

TEST_F(Document, PlainTextFromAnotherProgramPastesAsAText) {
  qvzDocument d;
  d.OnNewDocument();
  char szExe[MAX_PATH];
  ::GetModuleFileName(NULL, szExe, MAX_PATH);
  ::SetEnvironmentVariable("QVZ_PUT_PICTURE", "text");
  STARTUPINFO si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi = {};
  CString cmd = CString("\"") + szExe + "\"";
  ASSERT_TRUE(::CreateProcess(NULL, cmd.GetBuffer(0), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi));
  ::SetEnvironmentVariable("QVZ_PUT_PICTURE", NULL);
  ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(pi.hProcess, 60000));
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  ASSERT_TRUE(d.CanPaste());
  d.SetModifiedFlag(FALSE);
  jvqObjectArray out;
  ASSERT_TRUE(d.PasteObjects(out));
  ASSERT_EQ(1, out.GetCount());
  ASSERT_EQ(JVQ_OBJ_TEXT, out.GetAt(0)->GetClassCode());
  jvqTextObject* t = (jvqTextObject*)out.GetAt(0);
  EXPECT_STREQ("見出し\t本文\r\n二行目", t->GetTextFill()->m_strText);
  EXPECT_STREQ("見出し\t本文\r\n二行目", t->m_strText);
  EXPECT_STREQ("見出し\t本文\r\n二行目", t->GetTextFill()->m_Attributes.text);
  EXPECT_TRUE(d.IsModified());
  // Laid out again at the prototype's place: two lines high, not the prototype's A3 sheet.
  RECT r, proto;
  t->GetBoundRect(&r);
  jvqObjectDefaults::GetObjectDefaults()->FindPrototype(JVQ_OBJ_TEXT)->GetBoundRect(&proto);
  EXPECT_EQ(proto.left, r.left);
  EXPECT_EQ(proto.top, r.top);
  EXPECT_LT(r.bottom - r.top, 600);
  EXPECT_GT(r.bottom - r.top, 200);
}

TEST_F(Document, ShortOrOversizedClipboardBlocksPasteNothing) {
  auto d = NewDocument(1);
  RECT r = {0, 0, 100, 100};
  jvqRectObject rect(&r, NULL, 0x311);
  const std::string rec = RecordOf(&rect, 91100);
  auto block = [&](int32_t n, const std::string& body) {
    std::string s(4, '\0');
    memcpy(&s[0], &n, 4);
    return s + body;
  };
  // The block sizes the system rounds up to are filled with zeros, so a record cut short
  // is told by its own fields running past the block.
  const std::string cases[] = {block(2, rec), block(0x7FFFFFFF, rec), block(-1, rec), block(1, rec.substr(0, 10)),
                               std::string(2, '\1')};
  for (const std::string& bytes : cases) {
    PutClipboardBlock(bytes);
    TestApp()->m_messages.clear();
    jvqObjectArray out;
    EXPECT_FALSE(d->PasteObjects(out));
    EXPECT_EQ(0, out.GetCount());
    EXPECT_EQ(1u, TestApp()->m_messages.size());
  }
  PutClipboardBlock(block(1, rec));
  jvqObjectArray out;
  ASSERT_TRUE(d->PasteObjects(out));
  ASSERT_EQ(1, out.GetCount());
  EXPECT_EQ(rec, RecordOf(out.GetAt(0), 91100));
}

// A record whose fill kind has no painter yet, alone or inside a group, in a file or on the
// clipboard: the open or the paste fails with one message and changes nothing.
TEST_F(Document, FillKindsWithoutAPainterFailOpenAndPaste) {
  std::unique_ptr<jvqBoard> b(MakeTestBoard(1));
  jvqPage* page = b->GetPage(0);
  jvqGroupObject* g = (jvqGroupObject*)page->GetChild(page->GetChildCount() - 2);
  ASSERT_EQ(JVQ_OBJ_GROUP, g->GetClassCode());
  jvqObject* filled = g->GetChild(0);
  const std::string stream = StreamBytes(b.get(), 91530);
  RECT r = {0, 0, 100, 100};
  jvqRectObject rect(&r, NULL, 0x311);
  rect.SetFill(new jvqSolidFill(RGB(1, 2, 3)));
  auto block = [](const std::string& record) {
    int32_t n = 1;
    return std::string((const char*)&n, 4) + record;
  };

  auto d = NewDocument(2);
  d->SetModifiedFlag(TRUE);
  jvqBoard* before = d->m_pBoard;
  const std::vector<std::string> records = AliveRecords(before);
  for (const UnbuiltFillKind& k : UnbuiltFillKinds()) {
    for (bool dropBody : {false, true}) {
      const std::string file = WithFillFlags(stream, filled, k.flags, dropBody);
      ASSERT_FALSE(file.empty()) << k.kind;
      const CString path = Path("unbuilt_fill.vqd");
      Spit(path, file);
      TestApp()->m_messages.clear();
      EXPECT_FALSE(d->OnOpenDocument(path)) << k.kind << dropBody;
      EXPECT_EQ(1u, TestApp()->m_messages.size()) << k.kind << dropBody;
      EXPECT_EQ(before, d->m_pBoard) << k.kind << dropBody;
      EXPECT_EQ(records, AliveRecords(d->m_pBoard)) << k.kind << dropBody;
      EXPECT_TRUE(d->IsModified()) << k.kind << dropBody;

      for (const std::string& bad : {WithFillFlags(block(RecordOf(&rect)), &rect, k.flags, dropBody),
                                     WithFillFlags(block(RecordOf(g)), filled, k.flags, dropBody)}) {
        ASSERT_FALSE(bad.empty()) << k.kind;
        PutClipboardBlock(bad);
        TestApp()->m_messages.clear();
        jvqObjectArray out;
        EXPECT_FALSE(d->PasteObjects(out)) << k.kind << dropBody;
        EXPECT_EQ(0, out.GetCount()) << k.kind << dropBody;
        EXPECT_EQ(1u, TestApp()->m_messages.size()) << k.kind << dropBody;
      }
    }
  }
  EXPECT_EQ(records, AliveRecords(d->m_pBoard));
}

TEST_F(Document, AddedPageIsUndoneAndTheNeighbourBecomesCurrent) {
  auto d = NewDocument(2);
  d->m_pBoard->SetCurrentPage(0);
  jvqPage* first = d->m_pBoard->GetPage(0);
  jvqPage* p = new jvqPage;
  jvqObjectDefaults::GetObjectDefaults()->ApplyDefaults(p);
  d->SetModifiedFlag(FALSE);
  d->AddPage(p);
  EXPECT_TRUE(d->IsModified());
  EXPECT_EQ(p, d->m_pBoard->GetCurrentPage());
  EXPECT_EQ(1, d->m_pBoard->GetCurrentPageIndex());
  theUndoManager.Undo();
  EXPECT_FALSE(p->GetState() & JVQ_STATE_ALIVE);
  EXPECT_EQ(d->m_pBoard->GetPage(1), d->m_pBoard->GetCurrentPage());
  EXPECT_NE(first, d->m_pBoard->GetCurrentPage());
}

namespace {

// The main window of the auto-save test: timer 114 runs the document's auto-save.
class CAutoSaveFrame : public CFrameWnd {
 public:
  qvzDocument* m_pDoc = nullptr;
  int m_nTicks = 0;
  afx_msg void OnTimer(UINT nIDEvent) {
    if (nIDEvent == QVZ_AUTOSAVE_TIMER && m_pDoc) {
      m_nTicks++;
      m_pDoc->AutoSave();
    }
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CAutoSaveFrame, CFrameWnd)
  ON_WM_TIMER()
END_MESSAGE_MAP()

}  // namespace

TEST_F(Document, AutoSaveOnTimer114KeepsNameAndModifiedFlag) {
  auto d = NewDocument(1);
  d->SetTitle("無題");
  d->SetModifiedFlag(TRUE);
  d->m_strAutoSavePath = Path("autosave.vqd");
  CAutoSaveFrame* frame = new CAutoSaveFrame;
  ASSERT_TRUE(frame->Create(NULL, "autosave"));
  frame->m_pDoc = d.get();
  AfxGetApp()->m_pMainWnd = frame;
  AfxGetApp()->WriteProfileInt("AutoSave", "Interval", 50);
  d->StartAutoSaveTimer();
  for (int i = 0; i < 400 && frame->m_nTicks == 0; i++) {
    MSG msg;
    while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) ::DispatchMessage(&msg);
    ::Sleep(10);
  }
  d->StopAutoSaveTimer();
  AfxGetApp()->WriteProfileInt("AutoSave", "Interval", 0);
  EXPECT_GT(frame->m_nTicks, 0);
  EXPECT_TRUE(jvqCompoundFile::IsCompoundFile(d->m_strAutoSavePath));
  EXPECT_TRUE(d->IsModified());
  EXPECT_TRUE(d->GetPathName().IsEmpty());
  EXPECT_STREQ("無題", d->GetTitle());
  AfxGetApp()->m_pMainWnd = NULL;
  frame->DestroyWindow();
}

// Auto-save writes a copy and nothing else: the document keeps its path and title, and the
// recent-file list never gets the auto-save file.
TEST_F(Document, AutoSaveLeavesPathTitleAndRecentFilesAlone) {
  const CString named = Path("named.vqd");
  for (bool bNamed : {false, true}) {
    auto d = NewDocument(1);
    if (bNamed) {
      ASSERT_TRUE(d->OnSaveDocument(named));
    } else {
      d->SetTitle("無題");
    }
    d->SetModifiedFlag(TRUE);
    d->m_strAutoSavePath = Path("autosave_mru.vqd");
    const CString path = d->GetPathName(), title = d->GetTitle();
    TestApp()->m_recent.clear();
    d->AutoSave();
    d->AutoSave();
    EXPECT_TRUE(jvqCompoundFile::IsCompoundFile(d->m_strAutoSavePath)) << bNamed;
    EXPECT_TRUE(TestApp()->m_recent.empty()) << bNamed << " " << TestApp()->m_recent.front();
    EXPECT_EQ(path, d->GetPathName()) << bNamed;
    EXPECT_EQ(title, d->GetTitle()) << bNamed;
    EXPECT_TRUE(d->IsModified()) << bNamed;
  }
}

TEST(FormatFileTime, MorningAndAfternoon) {
  char szTemp[MAX_PATH];
  ::GetTempPath(MAX_PATH, szTemp);
  const CString path = CString(szTemp) + "qvz_filetime.tmp";
  Spit(path, "x");
  auto at = [&](WORD h, WORD m) {
    SYSTEMTIME st = {2003, 4, 0, 5, h, m, 0, 0};
    FILETIME local, utc;
    ::SystemTimeToFileTime(&st, &local);
    ::LocalFileTimeToFileTime(&local, &utc);
    HANDLE f = ::CreateFile(path, GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
    ::SetFileTime(f, NULL, NULL, &utc);
    ::CloseHandle(f);
    return std::string((LPCTSTR)FormatFileTime(path));
  };
  EXPECT_EQ("2003/04/05 午後 01:30", at(13, 30));
  EXPECT_EQ("2003/04/05 午後 00:05", at(12, 5));
  EXPECT_EQ("2003/04/05 午前 00:30", at(0, 30));
  EXPECT_EQ("", std::string((LPCTSTR)FormatFileTime(szTemp)));
  ::DeleteFile(path);
}

TEST_F(Document, TemplateIsFlaggedHasNoPaperSizeAndOpensLocked) {
  auto d = NewDocument(1);
  d->m_bTemplate = 1;
  d->m_pHeader->m_Properties.RemoveAll();
  const CString path = Path("template.vqd");
  ASSERT_TRUE(d->OnSaveDocument(path));
  EXPECT_NE(-1, d->GetTitle().Find("[ひな型]"));
  qvzDocument r;
  r.OnNewDocument();
  ASSERT_TRUE(r.OnOpenDocument(path));
  EXPECT_EQ(1, r.m_bTemplate);
  EXPECT_EQ(1, r.m_pHeader->GetTemplateFlag());
  EXPECT_EQ(nullptr, r.m_pHeader->GetProperty("用紙幅"));
  jvqPage* page = r.m_pBoard->GetCurrentPage();
  for (int i = 0; i < page->GetShownCount(); i++) EXPECT_TRUE(page->GetShownObject(i)->GetState() & JVQ_STATE_LOCKED);
}

TEST(PageDrawing, GridLinesAreTwoSpacingsApart) {
  EnsurePrototypes();
  jvqViewMapping view;
  view.m_nClientWidth = 200;
  view.m_nClientHeight = 100;
  jvqBoard board(&view);
  board.m_nGridSpacing = 50;
  board.m_crGrid = RGB(255, 0, 0);
  board.m_nGridStyle = 0;
  board.m_dwState |= JVQ_STATE_GRID;
  jvqPage* page = board.GetCurrentPage();
  page->m_pView = &view;

  HDC hScreen = ::GetDC(NULL);
  HDC hMem = ::CreateCompatibleDC(hScreen);
  HBITMAP hBmp = ::CreateCompatibleBitmap(hScreen, 200, 100);
  ::ReleaseDC(NULL, hScreen);
  HGDIOBJ hOld = ::SelectObject(hMem, hBmp);
  CDC dc;
  dc.Attach(hMem);
  // Ten logical units to the pixel, the page's corner at the window's corner.
  dc.SetMapMode(MM_ANISOTROPIC);
  dc.SetWindowExt(10, 10);
  dc.SetViewportExt(1, 1);
  board.Draw(&dc);
  dc.SetMapMode(MM_TEXT);  // pixels are read back in device units
  auto red = [&](int x, int y) { return dc.GetPixel(x, y) == RGB(255, 0, 0); };
  // Lines at 0, 100, 200 ... units: every tenth pixel.
  EXPECT_TRUE(red(10, 55));
  EXPECT_TRUE(red(20, 55));
  EXPECT_FALSE(red(15, 55));
  EXPECT_TRUE(red(55, 30));
  EXPECT_FALSE(red(55, 35));
  dc.Detach();
  ::SelectObject(hMem, hOld);
  ::DeleteObject(hBmp);
  ::DeleteDC(hMem);
}

namespace {
std::vector<qvzGuideEntry> g_guidesGiven, g_guidesTaken;
void GiveGuides(BOOL bHorizontal, std::vector<qvzGuideEntry>& out) {
  if (bHorizontal) out = g_guidesGiven;
}
void TakeGuides(BOOL bHorizontal, const std::vector<qvzGuideEntry>& in) {
  if (bHorizontal) g_guidesTaken = in;
}
}  // namespace

TEST_F(Document, GuidesTravelAsHeaderProperties) {
  auto d = NewDocument(2);
  g_guidesGiven = {{300, 1}, {900, 1}};
  qvzDocument::s_pfnGetGuides = GiveGuides;
  qvzDocument::s_pfnSetGuides = TakeGuides;
  const CString path = Path("guides.vqd");
  ASSERT_TRUE(d->OnSaveDocument(path));
  EXPECT_STREQ("300/1", d->m_pHeader->GetProperty("GuideH0"));
  EXPECT_STREQ("900/1", d->m_pHeader->GetProperty("GuideH1"));
  qvzDocument r;
  r.OnNewDocument();
  ASSERT_TRUE(r.OnOpenDocument(path));
  qvzDocument::s_pfnGetGuides = NULL;
  qvzDocument::s_pfnSetGuides = NULL;
  ASSERT_EQ(2u, g_guidesTaken.size());
  EXPECT_EQ(900, g_guidesTaken[1].nPosition);
  EXPECT_EQ(1, g_guidesTaken[1].nPageIndex);
}
