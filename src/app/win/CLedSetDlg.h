// CLedSetDlg: the lighting page, third page of the main window (template
// 140, background bitmap 143). The main window calls ReloadFromSettings after
// every profile load, reset or switch; the swatches, sliders and effect
// choices come with the lighting page itself.
#pragma once

#include "app/win/CSkinPage.h"
#include "device/SettingsRecords.h"

constexpr UINT IDD_LIGHTING_PAGE_TEMPLATE = 140;
constexpr UINT IDB_LIGHTING_PAGE_NORMAL = 143;

class CLedSetDlg : public CSkinPage {
public:
    CLedSetDlg(HWND parent, DeviceSettings& settings)
        : CSkinPage(IDD_LIGHTING_PAGE_TEMPLATE, IDB_LIGHTING_PAGE_NORMAL, parent), m_settings(settings) {}

    // Sets every control from the settings; the page has no controls yet.
    void ReloadFromSettings() {}

protected:
    DeviceSettings& m_settings;
};
