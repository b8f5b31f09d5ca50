// CProgressDlg: the small skinned window that shows how far a settings write
// has come. It is made modeless, without an owner, for one write, shows a
// fixed message over its picture and a progress bar, forces itself to the
// foreground and is destroyed when the write ends. The write runs on the UI
// thread, so every position change repaints the window at once.
#pragma once

#include <memory>

#include "controls/win/CPngHProgressBar.h"
#include "ui/Dialog.h"
#include "ui/Gdiplus.h"

constexpr UINT IDD_PROGRESS_TEMPLATE = 151;

class CProgressDlg : public CDialog {
public:
    // `parent` is remembered but not made the window's owner.
    explicit CProgressDlg(CWindow* parent = nullptr);
    ~CProgressDlg() override;

    // Creates the window from its template and shows it.
    bool Open();
    void SetProgress(int position);

    int RequestedPosition() const { return m_requested; }
    CPngHProgressBar& Bar() { return m_bar; }
    // Renders the dialog's face (picture and message) at (0, 0).
    void Draw(HDC dc) const;

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();

    CPngHProgressBar m_bar;
    std::unique_ptr<Gdiplus::Bitmap> m_background, m_barImage;
    int m_requested = 0;
};
