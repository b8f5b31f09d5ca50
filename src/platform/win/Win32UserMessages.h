// "Info" message boxes owned by the main window.
#pragma once

#include <windows.h>

#include "platform/UserMessages.h"

class CWin32UserMessages : public IUserMessages {
public:
    explicit CWin32UserMessages(HWND owner = nullptr) : owner_(owner) {}
    void SetOwner(HWND owner) { owner_ = owner; }
    void ShowInfo(const std::u16string& text) override {
        std::wstring w(text.begin(), text.end());
        ::MessageBoxW(owner_, w.c_str(), L"Info", MB_OK);
    }

private:
    HWND owner_;
};
