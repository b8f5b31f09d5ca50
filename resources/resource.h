// Resource identifiers of Q7TMouse.exe: dialog templates, bitmaps (the three
// looks, normal / over / pressed, of every skinned window), icons.
#pragma once

// Dialog templates. Every template is empty except the macro page's two edit
// fields; the windows create their controls in code at pixel rectangles.
#define IDD_MAIN              102
#define IDD_BUTTON_PAGE       132
#define IDD_PERFORMANCE_PAGE  136
#define IDD_LIGHTING_PAGE     140
#define IDD_INFO              150
#define IDD_PROGRESS          151
#define IDD_MACRO_PAGE        157
#define IDD_COMBO             158
#define IDD_MACRO_MANAGER     162

// Edit fields of the macro page's template.
#define IDC_MACRO_REPEAT      1001
#define IDC_MACRO_VALUE       1002

// Icons: the program (window, drag and notification icon) and the two
// entries of the notification menu.
#define IDI_PROGRAM           128
#define IDI_TRAY_EXIT         152
#define IDI_TRAY_SHOW         153

// Window bitmaps, 24 bits per pixel.
#define IDB_MAIN_NORMAL       130   // 822 x 544
#define IDB_MAIN_OVER         131
#define IDB_MAIN_PRESSED      129
#define IDB_BUTTON_NORMAL     135   // 822 x 342
#define IDB_BUTTON_OVER       133
#define IDB_BUTTON_PRESSED    134
#define IDB_PERFORMANCE_NORMAL  139 // 822 x 342
#define IDB_PERFORMANCE_OVER    137
#define IDB_PERFORMANCE_PRESSED 138
#define IDB_LIGHTING_NORMAL   143   // 822 x 342
#define IDB_LIGHTING_OVER     141
#define IDB_LIGHTING_PRESSED  142
#define IDB_INFO_OK_NORMAL    148   // 330 x 160, OK only
#define IDB_INFO_OK_OVER      144
#define IDB_INFO_OK_PRESSED   146
#define IDB_INFO_OKCANCEL_NORMAL  147 // 330 x 160, OK and Cancel
#define IDB_INFO_OKCANCEL_OVER    149
#define IDB_INFO_OKCANCEL_PRESSED 145
#define IDB_MACRO_NORMAL      156   // 822 x 458
#define IDB_MACRO_OVER        154
#define IDB_MACRO_PRESSED     155
#define IDB_COMBO_NORMAL      161   // 349 x 185
#define IDB_COMBO_OVER        159
#define IDB_COMBO_PRESSED     160
#define IDB_MANAGER_NORMAL    165   // 242 x 257
#define IDB_MANAGER_OVER      163
#define IDB_MANAGER_PRESSED   164
