// CTime and CTimeSpan.
#include <cstring>
#include <ctime>

#include "afx.h"

namespace {

bool LocalTm(time_t t, struct tm* ptm) {
#ifdef _WIN32
  struct tm* p = ::localtime(&t);  // thread-local in the Windows run-time library
  if (p == NULL) return false;
  *ptm = *p;
  return true;
#else
  return ::localtime_r(&t, ptm) != NULL;
#endif
}

bool GmtTm(time_t t, struct tm* ptm) {
#ifdef _WIN32
  struct tm* p = ::gmtime(&t);
  if (p == NULL) return false;
  *ptm = *p;
  return true;
#else
  return ::gmtime_r(&t, ptm) != NULL;
#endif
}

time_t MakeLocal(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST) {
  struct tm atm;
  std::memset(&atm, 0, sizeof(atm));
  atm.tm_sec = nSec;
  atm.tm_min = nMin;
  atm.tm_hour = nHour;
  atm.tm_mday = nDay;
  atm.tm_mon = nMonth - 1;
  atm.tm_year = nYear - 1900;
  atm.tm_isdst = nDST;
  time_t t = std::mktime(&atm);
  return t == (time_t)-1 ? 0 : t;
}

CString FormatTm(const struct tm& t, LPCTSTR pFormat) {
  if (pFormat == NULL || *pFormat == 0) return CString();
  char szBuffer[512];
  size_t n = std::strftime(szBuffer, sizeof(szBuffer), pFormat, &t);
  return CString(szBuffer, (int)n);
}

}  // namespace

CTimeSpan::CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs) {
  m_timeSpan = (time_t)nSecs + 60 * ((time_t)nMins + 60 * ((time_t)nHours + 24 * (time_t)lDays));
}

CString CTimeSpan::Format(LPCTSTR pFormat) const {
  CString result;
  if (pFormat == NULL) return result;
  char sz[32];
  for (const char* p = pFormat; *p;) {
    if (*p == '%' && p[1] != 0) {
      switch (p[1]) {
        case '%': result += '%'; break;
        case 'D': std::snprintf(sz, sizeof(sz), "%ld", (long)GetDays()); result += sz; break;
        case 'H': std::snprintf(sz, sizeof(sz), "%02d", GetHours()); result += sz; break;
        case 'M': std::snprintf(sz, sizeof(sz), "%02d", GetMinutes()); result += sz; break;
        case 'S': std::snprintf(sz, sizeof(sz), "%02d", GetSeconds()); result += sz; break;
        default: result += p[1]; break;
      }
      p += 2;
    } else {
      const char* next = AfxCharNext(p);
      result += CString(p, (int)(next - p));
      p = next;
    }
  }
  return result;
}

CTime PASCAL CTime::GetCurrentTime() { return CTime(::time(NULL)); }

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST) {
  m_time = MakeLocal(nYear, nMonth, nDay, nHour, nMin, nSec, nDST);
}

CTime::CTime(WORD wDosDate, WORD wDosTime, int nDST) {
  m_time = MakeLocal((wDosDate >> 9) + 1980, (wDosDate >> 5) & 0xF, wDosDate & 0x1F, wDosTime >> 11,
                     (wDosTime >> 5) & 0x3F, (wDosTime & 0x1F) * 2, nDST);
}

CTime::CTime(const SYSTEMTIME& sysTime, int nDST) {
  if (sysTime.wYear < 1900) {
    m_time = 0;
  } else {
    m_time = MakeLocal(sysTime.wYear, sysTime.wMonth, sysTime.wDay, sysTime.wHour, sysTime.wMinute,
                       sysTime.wSecond, nDST);
  }
}

CTime::CTime(const FILETIME& fileTime, int) {
  // 100-nanosecond intervals since 1601 UTC.
  ULONGLONG ft = ((ULONGLONG)fileTime.dwHighDateTime << 32) | fileTime.dwLowDateTime;
  const ULONGLONG k1601To1970 = 116444736000000000ULL;
  m_time = ft < k1601To1970 ? 0 : (time_t)((ft - k1601To1970) / 10000000ULL);
}

struct tm* CTime::GetGmtTm(struct tm* ptm) const {
  static thread_local struct tm s_tm;
  if (ptm == NULL) ptm = &s_tm;
  return GmtTm(m_time, ptm) ? ptm : NULL;
}

struct tm* CTime::GetLocalTm(struct tm* ptm) const {
  static thread_local struct tm s_tm;
  if (ptm == NULL) ptm = &s_tm;
  return LocalTm(m_time, ptm) ? ptm : NULL;
}

BOOL CTime::GetAsSystemTime(SYSTEMTIME& timeDest) const {
  struct tm t;
  if (!LocalTm(m_time, &t)) return FALSE;
  timeDest.wYear = (WORD)(1900 + t.tm_year);
  timeDest.wMonth = (WORD)(t.tm_mon + 1);
  timeDest.wDayOfWeek = (WORD)t.tm_wday;
  timeDest.wDay = (WORD)t.tm_mday;
  timeDest.wHour = (WORD)t.tm_hour;
  timeDest.wMinute = (WORD)t.tm_min;
  timeDest.wSecond = (WORD)t.tm_sec;
  timeDest.wMilliseconds = 0;
  return TRUE;
}

namespace {
struct tm Local(time_t t) {
  struct tm r;
  if (!LocalTm(t, &r)) std::memset(&r, 0, sizeof(r));
  return r;
}
}  // namespace

int CTime::GetYear() const { return Local(m_time).tm_year + 1900; }
int CTime::GetMonth() const { return Local(m_time).tm_mon + 1; }
int CTime::GetDay() const { return Local(m_time).tm_mday; }
int CTime::GetHour() const { return Local(m_time).tm_hour; }
int CTime::GetMinute() const { return Local(m_time).tm_min; }
int CTime::GetSecond() const { return Local(m_time).tm_sec; }
int CTime::GetDayOfWeek() const { return Local(m_time).tm_wday + 1; }

CString CTime::Format(LPCTSTR pFormat) const {
  struct tm t;
  if (!LocalTm(m_time, &t)) return CString();
  return FormatTm(t, pFormat);
}

CString CTime::FormatGmt(LPCTSTR pFormat) const {
  struct tm t;
  if (!GmtTm(m_time, &t)) return CString();
  return FormatTm(t, pFormat);
}

CString CTime::Format(UINT nFormatID) const {
  CString strFormat;
  strFormat.LoadString(nFormatID);
  return Format(strFormat);
}

CString CTime::FormatGmt(UINT nFormatID) const {
  CString strFormat;
  strFormat.LoadString(nFormatID);
  return FormatGmt(strFormat);
}
