// The scripted user of WizardHost's journeys: a thread timer that finds the wizard's
// current window (a page by its step caption, the file dialog, the source selection, a
// question) and acts on it with posted input, one action per tick, checking as it goes.
#pragma once

#include "afxwin.h"

#include <functional>
#include <string>
#include <vector>

class CImage;

// Dispatches what is queued for this thread.
void PumpPendingMessages();

class CWizardJourneyDriver
{
public:
    CWizardJourneyDriver(int journey, const char* shot, HWND host);
    ~CWizardJourneyDriver();

    // Makes the journey's files (the picture to open, the TWAIN source); false on failure.
    bool Prepare();
    // Arms the timer; the actions run inside the wizard's modal loops.
    void Start();
    // What the wizard left: its result and the picture the host read (NULL when none).
    void Finished(int result, const BITMAPINFOHEADER* info, const BYTE* bits);
    int Failures() const { return m_nFailures; }

    void Check(bool ok, const char* what);

private:
    typedef std::function<bool()> Action; // true: done, go on to the next
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void Step();
    void Script1();
    void Script2();
    void Script3();
    std::string Shot(const char* name) const;

    int m_nJourney;
    std::string m_shot;
    HWND m_hHost;
    std::vector<Action> m_actions;
    size_t m_nNext = 0;
    int m_nWaits = 0;
    int m_nFailures = 0;
    bool m_bHostDisabled = false;
    size_t m_nTempFilesBefore = 0;
    std::string m_picture;
    CImage* m_pSource = NULL;
    UINT_PTR m_nTimer = 0;
    bool m_bInTick = false;
};
