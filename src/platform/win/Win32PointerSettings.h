// The Windows pointer options; each change is announced to the main window
// with WM_WININICHANGE.
#pragma once

#include <windows.h>

#include "platform/PointerSettings.h"

class CWin32PointerSettings : public IPointerSettings {
public:
    explicit CWin32PointerSettings(HWND notify = nullptr) : notify_(notify) {}
    void SetNotifyWindow(HWND notify) { notify_ = notify; }

    void SetMouse(const std::array<int, 3>& values) override {
        int v[3] = {values[0], values[1], values[2]};
        ::SystemParametersInfoW(SPI_SETMOUSE, 0, v, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);  // a failure is ignored
        if (notify_) ::SendMessageW(notify_, WM_WININICHANGE, SPI_SETMOUSE, reinterpret_cast<LPARAM>(v));
    }
    void SetMouseSpeed(int speed) override {
        // The speed travels in the pointer argument. It goes in the integer
        // argument too: Windows ignores that one for this action, while other
        // implementations of the call (Wine's) read the speed from it.
        ::SystemParametersInfoW(SPI_SETMOUSESPEED, static_cast<UINT>(speed),
                                reinterpret_cast<PVOID>(static_cast<INT_PTR>(speed)),
                                SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
        if (notify_) ::SendMessageW(notify_, WM_WININICHANGE, SPI_SETMOUSESPEED, 0);
    }

private:
    HWND notify_;
};
