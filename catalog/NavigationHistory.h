// Back and Forward of the browser: a ring of 128 selections or pictures. Positions only grow;
// only their slots wrap.
#pragma once

#include <afx.h>

#include <functional>
#include <vector>

struct _TREEITEM;

class CNavigationHistory {
public:
    enum { kSize = 128 };

    struct Entry {
        _TREEITEM* hItem = nullptr;
        CString strPicture;  // a picture entry when not empty
        bool IsPicture() const { return !strPicture.IsEmpty(); }
    };

    bool Exists() const { return !m_ring.empty(); }
    void Clear();

    // A selection: the entries Forward could reach are dropped.
    void Record(_TREEITEM* item);
    // A picture shown at full size: the next position takes it; oldest and newest stay.
    void RecordPicture(const char* path);
    // Raises newest to current when current is beyond it.
    void UpdateNewest();

    bool CanGoBack() const { return Exists() && m_nOldest < m_nCurrent; }
    bool CanGoForward() const { return Exists() && m_nCurrent < m_nNewest; }
    // Steps and gives the entry to replay (a copy: replaying may record again).
    Entry StepBack();
    Entry StepForward();
    // Shows the picture entry at current again: `show` records it anew (RecordPicture) into
    // the same slot, and current stays on the entry.
    void ReplayPicture(const std::function<void(const CString&)>& show);

    // Drops every entry that names an item `gone` says is deleted; later positions move down
    // so that Back and Forward never reach a deleted item.
    void Forget(const std::function<bool(_TREEITEM*)>& gone);

    long long GetOldest() const { return m_nOldest; }
    long long GetCurrent() const { return m_nCurrent; }
    long long GetNewest() const { return m_nNewest; }
    void SetCurrent(long long position) { m_nCurrent = position; }
    const Entry& At(long long position) const { return m_ring[Slot(position)]; }

private:
    static size_t Slot(long long position) { return static_cast<size_t>(position % kSize); }
    std::vector<Entry> m_ring;
    long long m_nOldest = 0;
    long long m_nCurrent = 0;
    long long m_nNewest = 0;
};
