#include <gtest/gtest.h>

#include <afx.h>
#include <afxcoll.h>

class CAnimal : public CObject {
  DECLARE_DYNAMIC(CAnimal)
};
IMPLEMENT_DYNAMIC(CAnimal, CObject)

class CDog : public CAnimal {
  DECLARE_DYNCREATE(CDog)
};
IMPLEMENT_DYNCREATE(CDog, CAnimal)

class CPuppy : public CDog {
  DECLARE_SERIAL(CPuppy)
};
IMPLEMENT_SERIAL(CPuppy, CDog, 3)

static int g_deleted = 0;
class CCountedException : public CException {
 public:
  ~CCountedException() override { ++g_deleted; }
};

TEST(CObjectTest, RuntimeClasses) {
  CPuppy p;
  EXPECT_TRUE(p.IsKindOf(RUNTIME_CLASS(CObject)));
  EXPECT_TRUE(p.IsKindOf(RUNTIME_CLASS(CAnimal)));
  EXPECT_TRUE(p.IsKindOf(RUNTIME_CLASS(CDog)));
  CDog d;
  EXPECT_FALSE(d.IsKindOf(RUNTIME_CLASS(CPuppy)));
  EXPECT_STREQ("CPuppy", p.GetRuntimeClass()->m_lpszClassName);
  EXPECT_EQ(3u, RUNTIME_CLASS(CPuppy)->m_wSchema);
  EXPECT_TRUE(p.IsSerializable());
  EXPECT_FALSE(d.IsSerializable());

  CObject* o = RUNTIME_CLASS(CDog)->CreateObject();
  ASSERT_NE(nullptr, o);
  EXPECT_EQ(RUNTIME_CLASS(CDog), o->GetRuntimeClass());
  delete o;
  EXPECT_EQ(nullptr, RUNTIME_CLASS(CAnimal)->CreateObject());  // no dynamic creation

  EXPECT_EQ(RUNTIME_CLASS(CPuppy), CRuntimeClass::FromName("CPuppy"));
  EXPECT_EQ(RUNTIME_CLASS(CStringArray), CRuntimeClass::FromName("CStringArray"));
  EXPECT_EQ(nullptr, CRuntimeClass::FromName("CDog"));  // only serializable classes are named

  // A class leaves the list with its registration (a library unloading).
  static CRuntimeClass s_temporary = {"CTemporary", sizeof(CObject), 1, NULL, NULL, NULL};
  {
    AFX_CLASSINIT init(&s_temporary);
    EXPECT_EQ(&s_temporary, CRuntimeClass::FromName("CTemporary"));
  }
  EXPECT_EQ(nullptr, CRuntimeClass::FromName("CTemporary"));
  EXPECT_EQ(RUNTIME_CLASS(CPuppy), CRuntimeClass::FromName("CPuppy"));
}

TEST(CExceptionTest, ThrownByPointerAndDeleted) {
  bool caught = false;
  try {
    AfxThrowFileException(CFileException::diskFull, 28, "x.vqd");
  } catch (CException* e) {
    caught = true;
    ASSERT_TRUE(e->IsKindOf(RUNTIME_CLASS(CFileException)));
    CFileException* fe = (CFileException*)e;
    EXPECT_EQ(CFileException::diskFull, fe->m_cause);
    EXPECT_EQ(28, fe->m_lOsError);
    char msg[256];
    EXPECT_TRUE(fe->GetErrorMessage(msg, sizeof(msg)));
    EXPECT_NE(nullptr, strstr(msg, "x.vqd"));
    // A short buffer never ends in half a character.
    char small[6];
    EXPECT_TRUE(fe->GetErrorMessage(small, sizeof(small)));
    EXPECT_EQ(CString(small), CString(small).Left(5));
    e->Delete();
  }
  EXPECT_TRUE(caught);

  // The memory exception is shared: Delete leaves it alone.
  for (int i = 0; i < 2; ++i) {
    try {
      AfxThrowMemoryException();
    } catch (CMemoryException* e) {
      e->Delete();
    }
  }
  try {
    AfxThrowOleException(E_OUTOFMEMORY);
  } catch (COleException* e) {
    EXPECT_EQ(E_OUTOFMEMORY, COleException::Process(e));
    e->Delete();
  }
}

TEST(CExceptionTest, TryCatchMacrosDeleteUnlessRethrown) {
  g_deleted = 0;
  int handled = 0;
  TRY {
    THROW(new CCountedException);
  }
  CATCH(CFileException, e) {
    handled = 1;
  }
  AND_CATCH(CException, e) {
    handled = 2;
  }
  END_CATCH
  EXPECT_EQ(2, handled);
  EXPECT_EQ(1, g_deleted);

  g_deleted = 0;
  bool outer = false;
  try {
    TRY {
      throw new CCountedException;
    }
    CATCH_ALL(e) {
      THROW_LAST();
    }
    END_CATCH_ALL
  } catch (CException* e) {
    outer = true;
    EXPECT_EQ(0, g_deleted);  // passed on, not deleted
    e->Delete();
  }
  EXPECT_TRUE(outer);
  EXPECT_EQ(1, g_deleted);
}

TEST(CExceptionTest, ReportErrorUsesTheInstalledMessageBox) {
  static CString s_text;
  static UINT s_type;
  AfxSetMessageBoxProc([](LPCTSTR text, UINT type, UINT) -> int {
    s_text = text;
    s_type = type;
    return IDOK;
  });
  CFileException e(CFileException::fileNotFound);
  e.m_strFileName = "a.txt";
  EXPECT_EQ(IDOK, e.ReportError(MB_ICONSTOP));
  EXPECT_EQ(CString("a.txt が見つかりません。"), s_text);
  EXPECT_EQ((UINT)MB_ICONSTOP, s_type);
  CUserException u;
  u.ReportError();
  EXPECT_FALSE(s_text.IsEmpty());
  AfxSetMessageBoxProc(NULL);
}
