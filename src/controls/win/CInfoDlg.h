// CInfoDlg: the program's own message box. A small skinned modal dialog with
// one text under the title str_tips, an OK button (mode 0) or OK and Cancel
// (mode 1), and a close button in its top-right corner. The modal run
// returns 1 for OK and 2 for Cancel or close. ShowInfoMessage is the one-call
// form used for the program's messages.
#pragma once

#include <string>

#include "controls/win/CGDIBitmapBtn.h"
#include "ui/Dialog.h"

// The empty dialog template and the skin images (330 × 160) per mode.
constexpr UINT IDD_INFO_DIALOG = 150;
constexpr UINT IDB_INFO_OK_NORMAL = 148;
constexpr UINT IDB_INFO_OK_OVER = 144;
constexpr UINT IDB_INFO_OK_PRESSED = 146;
constexpr UINT IDB_INFO_QUESTION_NORMAL = 147;
constexpr UINT IDB_INFO_QUESTION_OVER = 149;
constexpr UINT IDB_INFO_QUESTION_PRESSED = 145;

// The window text by which the main window finds open information dialogs.
inline constexpr wchar_t kInfoDialogTitle[] = L"VeldaQ7TInfoDlg";

class CInfoDlg : public CDialog {
public:
    explicit CInfoDlg(HWND parent = nullptr);
    ~CInfoDlg() override;

    // Uses these looks instead of the bitmap resources of the mode; the
    // dialog takes the bitmaps over and deletes them.
    void SetSkins(HBITMAP normal, HBITMAP over, HBITMAP pressed);

    CGDIBitmapBtn& OkButton() { return m_ok; }
    CGDIBitmapBtn& CancelButton() { return m_cancel; }
    CGDIBitmapBtn& CloseButton() { return m_close; }
    // Renders the dialog's own face (skin, text, title) at (0, 0).
    void Draw(HDC dc) const;

    std::u16string text;  // the message, empty by default
    int mode = 0;         // 0: OK only; 1: OK and Cancel

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void DeleteSkins();

    HBITMAP m_skins[3] = {};  // normal, over, pressed
    bool m_skinsGiven = false;
    CGDIBitmapBtn m_ok, m_cancel, m_close;
};

// Shows `text` in an information dialog of `mode` and returns its result.
// While it runs, InfoMessageShowing() is true, which tells the main window
// not to exit.
INT_PTR ShowInfoMessage(const std::u16string& text, int mode = 0, HWND parent = nullptr);
bool InfoMessageShowing();
