// What the test data source does, read from the environment at each call (the source
// manager loads sources once per process, so each test sets its scenario there), and the
// colours it hands over, which the tests compute the same way.
#pragma once

#include <windows.h>

#include <string>

struct TestSourceScenario {
    enum Answer { IMAGE, CLOSE, CANCEL, FAIL };
    Answer answer = IMAGE;
    int depth = 24;
    bool topDown = false;
    int width = 200;
    int height = 150;
    int windowMs = 0;  // show a window of its own this long before signalling
    int pending = 0;   // images still pending after the first one
    bool refuseOpen = false;

    // "answer=image depth=8 topdown=1 width=64 height=48 window=3000 pending=1"
    static TestSourceScenario Parse(const char* text);
    std::string Format() const;
};

// The environment variables the source reads.
#define TEST_SOURCE_SCENARIO_VAR "PATINOR_TWAIN_SCENARIO"
#define TEST_SOURCE_LOG_VAR "PATINOR_TWAIN_LOG"
#define TEST_SOURCE_NAME "Patinor Test Source"

// Colour entries of the short tables of palette depths.
int TestSourceTableSize(int depth);
// The colour of pixel (x, y) from the top as the source means it, in the given depth.
COLORREF TestSourceColour(int depth, int x, int y);
