// CButtonDlg: the button page, first page of the main window (template 132,
// background bitmap 135). Its labels, hotspots and function menus come with
// the button page itself; the main window already relies on what is here:
// RefreshLabels after the settings changed as a whole, and the dialog-open
// flag that holds off the exit command while one of its dialogs is open.
#pragma once

#include "app/win/CSkinPage.h"
#include "device/SettingsRecords.h"

constexpr UINT IDD_BUTTON_PAGE_TEMPLATE = 132;
constexpr UINT IDB_BUTTON_PAGE_NORMAL = 135;

class CButtonDlg : public CSkinPage {
public:
    CButtonDlg(HWND parent, DeviceSettings& settings)
        : CSkinPage(IDD_BUTTON_PAGE_TEMPLATE, IDB_BUTTON_PAGE_NORMAL, parent), m_settings(settings) {}

    // Shows each binding's display text on its label; the page has no labels yet.
    void RefreshLabels() {}
    // 1 while one of the page's modal dialogs is open.
    bool DialogOpen() const { return m_dialogOpen; }

protected:
    DeviceSettings& m_settings;
    bool m_dialogOpen = false;
};
