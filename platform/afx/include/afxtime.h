// Absolute times (seconds since 1970 UTC, shown in local time) and time spans.
#pragma once

#include <ctime>

#include "afxstr.h"

class CTimeSpan {
 public:
  CTimeSpan() : m_timeSpan(0) {}
  CTimeSpan(time_t time) : m_timeSpan(time) {}
  CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs);

  LONG GetDays() const { return (LONG)(m_timeSpan / (24 * 3600)); }
  LONG GetTotalHours() const { return (LONG)(m_timeSpan / 3600); }
  int GetHours() const { return (int)(GetTotalHours() - GetDays() * 24); }
  LONG GetTotalMinutes() const { return (LONG)(m_timeSpan / 60); }
  int GetMinutes() const { return (int)(GetTotalMinutes() - GetTotalHours() * 60); }
  LONG GetTotalSeconds() const { return (LONG)m_timeSpan; }
  int GetSeconds() const { return (int)(GetTotalSeconds() - GetTotalMinutes() * 60); }

  CTimeSpan operator-(CTimeSpan timeSpan) const { return CTimeSpan(m_timeSpan - timeSpan.m_timeSpan); }
  CTimeSpan operator+(CTimeSpan timeSpan) const { return CTimeSpan(m_timeSpan + timeSpan.m_timeSpan); }
  const CTimeSpan& operator+=(CTimeSpan timeSpan) { m_timeSpan += timeSpan.m_timeSpan; return *this; }
  const CTimeSpan& operator-=(CTimeSpan timeSpan) { m_timeSpan -= timeSpan.m_timeSpan; return *this; }
  bool operator==(CTimeSpan t) const { return m_timeSpan == t.m_timeSpan; }
  bool operator!=(CTimeSpan t) const { return m_timeSpan != t.m_timeSpan; }
  bool operator<(CTimeSpan t) const { return m_timeSpan < t.m_timeSpan; }
  bool operator>(CTimeSpan t) const { return m_timeSpan > t.m_timeSpan; }
  bool operator<=(CTimeSpan t) const { return m_timeSpan <= t.m_timeSpan; }
  bool operator>=(CTimeSpan t) const { return m_timeSpan >= t.m_timeSpan; }

  // %D days, %H hours, %M minutes, %S seconds, %% percent.
  CString Format(LPCTSTR pFormat) const;

  time_t m_timeSpan;
};

class CTime {
 public:
  static CTime PASCAL GetCurrentTime();

  CTime() : m_time(0) {}
  CTime(time_t time) : m_time(time) {}
  // Local time; nDST < 0 lets the C library decide whether daylight saving applies.
  CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);
  CTime(WORD wDosDate, WORD wDosTime, int nDST = -1);
  CTime(const SYSTEMTIME& sysTime, int nDST = -1);
  CTime(const FILETIME& fileTime, int nDST = -1);  // FILETIME in UTC

  struct tm* GetGmtTm(struct tm* ptm = NULL) const;
  struct tm* GetLocalTm(struct tm* ptm = NULL) const;
  BOOL GetAsSystemTime(SYSTEMTIME& timeDest) const;

  time_t GetTime() const { return m_time; }
  int GetYear() const;
  int GetMonth() const;
  int GetDay() const;
  int GetHour() const;
  int GetMinute() const;
  int GetSecond() const;
  int GetDayOfWeek() const;  // 1 = Sunday

  CTimeSpan operator-(CTime time) const { return CTimeSpan(m_time - time.m_time); }
  CTime operator-(CTimeSpan timeSpan) const { return CTime(m_time - timeSpan.m_timeSpan); }
  CTime operator+(CTimeSpan timeSpan) const { return CTime(m_time + timeSpan.m_timeSpan); }
  const CTime& operator+=(CTimeSpan timeSpan) { m_time += timeSpan.m_timeSpan; return *this; }
  const CTime& operator-=(CTimeSpan timeSpan) { m_time -= timeSpan.m_timeSpan; return *this; }
  bool operator==(CTime t) const { return m_time == t.m_time; }
  bool operator!=(CTime t) const { return m_time != t.m_time; }
  bool operator<(CTime t) const { return m_time < t.m_time; }
  bool operator>(CTime t) const { return m_time > t.m_time; }
  bool operator<=(CTime t) const { return m_time <= t.m_time; }
  bool operator>=(CTime t) const { return m_time >= t.m_time; }

  // strftime formats, in local time or UTC.
  CString Format(LPCTSTR pFormat) const;
  CString FormatGmt(LPCTSTR pFormat) const;
  CString Format(UINT nFormatID) const;
  CString FormatGmt(UINT nFormatID) const;

  time_t m_time;
};
