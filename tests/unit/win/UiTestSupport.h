// Shared pieces of the window tests: a visible top-level host window that
// records what its controls send and post to it, message pumping, skin images
// with known pixels, and pixel reading from a rendered control.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/Graphics.h"
#include "ui/Window.h"

struct RecordedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class HostWindow : public CWindow {
public:
    // A pop-up at (x, y) of the given size, shown and active.
    bool Open(int width = 400, int height = 300, int x = 0, int y = 0);
    // Messages of these kinds are recorded.
    std::vector<UINT> watched = {WM_COMMAND, 0x70D, 0x800, 0x802, 0x450, WM_MOUSEMOVE};
    std::vector<RecordedMessage> received;
    std::vector<RecordedMessage> Take(UINT message);
    std::function<void(UINT, WPARAM, LPARAM)> onMessage;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Dispatches every queued message of this thread.
void Pump();

// The skin of a window in one look: every pixel differs from its neighbours
// and from the other looks, so a copy of the wrong rectangle or look shows.
COLORREF SkinPixel(int look, int x, int y);
HBITMAP MakeSkin(int look, int width, int height);

// Renders `draw` on a fresh 32-bit bitmap of the given size (pre-filled with
// `background`) and returns its pixels as COLORREFs, row by row.
struct Pixels {
    int width = 0, height = 0;
    std::vector<COLORREF> data;
    COLORREF At(int x, int y) const { return data[std::size_t(y) * width + x]; }
    int Count(COLORREF c) const;
};
Pixels Render(int width, int height, const std::function<void(HDC)>& draw, COLORREF background = 0x00FF00FF);
// Reads what a window shows through its own DC after painting it.
Pixels Capture(HWND window);
// Pixels of a device bitmap.
Pixels ReadBitmap(HBITMAP bitmap);

// A temporary folder removed at the end of the test.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    std::wstring Path(const std::wstring& name) const;

private:
    std::wstring m_path;
};

// Writes a PNG of width × height straight ARGB pixels given by `pixel`.
bool WritePng(const std::wstring& path, int width, int height, const std::function<DWORD(int, int)>& pixel);
