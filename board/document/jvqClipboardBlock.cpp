#include "jvqClipboardBlock.h"

#include <cstdint>

#include "jvqFileHeader.h"
#include "jvqObject.h"
#include "jvqObjectCodes.h"
#include "jvqObjectDefaults.h"
#include "jvqRecordIO.h"

BOOL jvqReadClipboardBlock(CFile* pFile, jvqFileHeader* pHeader, std::vector<jvqObject*>& made) {
  made.clear();
  const int nSaved = pHeader->m_nVersion;
  BOOL bOk = FALSE;
  try {
    int32_t n = 0;
    bOk = jvqReadExact(pFile, &n, 4) && n >= 0 && (DWORD)n <= jvqBytesLeft(pFile) / 4;
    for (int32_t i = 0; bOk && i < n; i++) {
      int32_t code = 0;
      if (!jvqReadExact(pFile, &code, 4)) {
        bOk = FALSE;
        break;
      }
      jvqObject* p = jvqObjectDefaults::CreateObject(code);
      if (p == NULL) {
        bOk = FALSE;  // no record length: nothing after an unknown class can be read
        break;
      }
      pHeader->m_nVersion = code == JVQ_OBJ_BANNER ? JVQ_VERSION_CURRENT : JVQ_VERSION_CLIPBOARD;
      const BOOL bRead = p->Load(pFile, pHeader);
      pHeader->m_nVersion = nSaved;
      if (!bRead) {
        delete p;
        bOk = FALSE;
        break;
      }
      p->Recalc();
      made.push_back(p);
    }
  } catch (CException* e) {
    e->Delete();
    bOk = FALSE;
  }
  pHeader->m_nVersion = nSaved;
  if (!bOk) {
    for (jvqObject* p : made) delete p;
    made.clear();
  }
  return bOk;
}
