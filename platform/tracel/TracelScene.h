#pragma once

#include "ZBScene.h"

#include <string>

// The scene a caller opened: views and background read with the renderer's own scene core.
class TracelScene {
public:
    // Reads a scene container (".vqb") or a text scene; false when it cannot be read.
    bool Open(const char* path);
    void Close();
    bool IsOpen() const { return m_bOpen; }
    int GetViewCount() const;
    bool GetViewName(int index, std::string& name) const;
    // The background picture as the renderer finds it after unpacking; empty when there is none.
    std::string GetBackImage() const;
    void GetBackColour(int& r, int& g, int& b) const;

private:
    ZBScene m_scene;
    bool m_bOpen = false;
};
