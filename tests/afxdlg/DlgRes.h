// Resource ids of the dialog tests.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#define IDD_EXCHANGE 100
#define IDD_MODELESS 101
#define IDD_OWNERDRAW 102
#define IDD_FILECHILD 103
#define IDD_OLDFILE 120
#define IDC_OLD_NOTE 1303
#define IDD_FORM 104

#define IDC_NUMBER 1001
#define IDC_NAME 1002
#define IDC_REAL 1003
#define IDC_CHECK 1004
#define IDC_RADIO1 1005
#define IDC_RADIO2 1006
#define IDC_RADIO3 1007
#define IDC_COMBO 1008
#define IDC_LIST 1009
#define IDC_SLIDER 1010
#define IDC_BYTE 1011
#define IDC_CBTEXT 1012

#define IDC_TREE 1101
#define IDC_LISTCTRL 1102
#define IDC_PUSH 1103

#define IDC_ODBUTTON 1201
#define IDC_ODCOMBO 1202

#define IDC_CHILD_CHECK 1301
#define IDC_CHILD_TEXT 1302

#define IDS_TIP 2001
