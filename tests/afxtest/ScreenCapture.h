// A picture of the whole screen as the user sees it, for journeys.
#pragma once

// Writes the screen to a 24-bit BMP file; false when it cannot be read or written.
bool SaveScreenBmp(const char* path);
