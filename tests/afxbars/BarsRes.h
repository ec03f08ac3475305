// Resource ids of the bar, splitter, sheet and printing tests.
#pragma once

#define IDR_TOOLBAR 100
#define IDR_BADTOOLBAR 101
#define ID_TOOL_A 32771
#define ID_TOOL_B 32772
#define ID_TOOL_COMBO 32773
#define ID_TOOL_C 32774
#define ID_INDICATOR_PAGE 32780

#define IDD_BAR1 200
#define IDD_BAR2 201
#define IDC_BARCOMBO 1001
#define IDC_BARCHECK 1002

#define IDD_PAGE1 301
#define IDD_PAGE2 302
#define IDD_PAGE3 303
#define IDC_PAGE_EDIT 1010
