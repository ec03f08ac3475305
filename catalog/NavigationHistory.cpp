#include "NavigationHistory.h"

#include <algorithm>

void CNavigationHistory::Clear()
{
    m_ring.clear();
    m_nOldest = m_nCurrent = m_nNewest = 0;
}

void CNavigationHistory::Record(_TREEITEM* item)
{
    if (!Exists()) {
        m_ring.assign(kSize, Entry{});
        m_nOldest = m_nCurrent = m_nNewest = 0;
    } else {
        ++m_nCurrent;
        // The oldest entry goes only when the ring is full.
        if (m_nCurrent - m_nOldest >= kSize)
            m_nOldest = m_nCurrent - kSize + 1;
    }
    Entry& e = m_ring[Slot(m_nCurrent)];
    e.hItem = item;
    e.strPicture.Empty();
    m_nNewest = m_nCurrent;
}

void CNavigationHistory::RecordPicture(const char* path)
{
    if (!Exists())
        return;
    ++m_nCurrent;
    if (m_nCurrent - m_nOldest >= kSize)
        m_nOldest = m_nCurrent - kSize + 1;
    Entry& e = m_ring[Slot(m_nCurrent)];
    e.hItem = nullptr;
    e.strPicture = path ? path : "";
}

void CNavigationHistory::UpdateNewest()
{
    if (m_nCurrent > m_nNewest)
        m_nNewest = m_nCurrent;
}

CNavigationHistory::Entry CNavigationHistory::StepBack()
{
    if (!CanGoBack())
        return {};
    --m_nCurrent;
    return m_ring[Slot(m_nCurrent)];
}

CNavigationHistory::Entry CNavigationHistory::StepForward()
{
    if (!CanGoForward())
        return {};
    ++m_nCurrent;
    return m_ring[Slot(m_nCurrent)];
}

void CNavigationHistory::ReplayPicture(const std::function<void(const CString&)>& show)
{
    if (!Exists())
        return;
    const long long position = m_nCurrent;
    const CString path = m_ring[Slot(position)].strPicture;
    m_nCurrent = position - 1;
    show(path);
    m_nCurrent = position;
}

void CNavigationHistory::Forget(const std::function<bool(_TREEITEM*)>& gone)
{
    if (!Exists())
        return;
    std::vector<Entry> kept;
    long long current = m_nOldest, newest = m_nOldest;
    bool any = false;
    // A picture shown last may stand beyond newest: it is kept too.
    const long long last = std::max(m_nNewest, m_nCurrent);
    for (long long p = m_nOldest; p <= last; ++p) {
        const Entry& e = m_ring[Slot(p)];
        if (!e.IsPicture() && gone(e.hItem))
            continue;
        kept.push_back(e);
        const long long at = m_nOldest + static_cast<long long>(kept.size()) - 1;
        if (p <= m_nNewest)
            newest = at;
        if (p <= m_nCurrent)
            current = at;
        any = true;
    }
    if (kept.size() == static_cast<size_t>(last - m_nOldest + 1))
        return;
    for (size_t i = 0; i < kept.size(); ++i)
        m_ring[Slot(m_nOldest + static_cast<long long>(i))] = kept[i];
    if (!any) {
        // Nothing left to go back to: the next selection starts a fresh ring.
        m_ring.clear();
        m_nOldest = m_nCurrent = m_nNewest = 0;
        return;
    }
    m_nCurrent = current;
    m_nNewest = newest;
}
