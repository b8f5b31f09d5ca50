// CMacroDlg: the macro page, fourth page of the main window (template 157,
// background bitmap 156). The main window sets where the macros are stored
// before it creates the page, and calls StopAndSave whenever it switches
// pages, hides or minimises itself or is shown again. The lists, the
// recording and the editing come with the macro page itself.
#pragma once

#include <string>

#include "app/win/CSkinPage.h"

constexpr UINT IDD_MACRO_PAGE_TEMPLATE = 157;
constexpr UINT IDB_MACRO_PAGE_NORMAL = 156;

class CMacroDlg : public CSkinPage {
public:
    explicit CMacroDlg(HWND parent) : CSkinPage(IDD_MACRO_PAGE_TEMPLATE, IDB_MACRO_PAGE_NORMAL, parent) {}

    // The registry key (below HKEY_LOCAL_MACHINE) that holds one key per macro.
    void SetStoreLocation(const std::u16string& key) { m_storeLocation = key; }
    const std::u16string& StoreLocation() const { return m_storeLocation; }

    // Ends a recording and saves the selected macro; with no macro list yet
    // there is nothing selected and nothing to save.
    void StopAndSave() {}

private:
    std::u16string m_storeLocation;
};
