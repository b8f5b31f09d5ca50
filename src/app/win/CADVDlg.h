// CADVDlg: the performance page, second page of the main window (template
// 136, background bitmap 139). The main window calls ReloadFromSettings after
// every profile load, reset or switch; the page's sliders and choices come
// with the performance page itself.
#pragma once

#include "app/win/CSkinPage.h"
#include "device/SettingsRecords.h"

constexpr UINT IDD_PERFORMANCE_PAGE_TEMPLATE = 136;
constexpr UINT IDB_PERFORMANCE_PAGE_NORMAL = 139;

class CADVDlg : public CSkinPage {
public:
    CADVDlg(HWND parent, DeviceSettings& settings)
        : CSkinPage(IDD_PERFORMANCE_PAGE_TEMPLATE, IDB_PERFORMANCE_PAGE_NORMAL, parent), m_settings(settings) {}

    // Sets every control from the settings; the page has no controls yet.
    void ReloadFromSettings() {}

protected:
    DeviceSettings& m_settings;
};
