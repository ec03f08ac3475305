#pragma once
// Resource ids of the board designer.
#define IDR_MAINFRAME        128
#define IDB_FONTTYPES        129
#define ID_VIEW_FITPAGE      32906
#ifndef AFX_IDS_APP_TITLE
#define AFX_IDS_APP_TITLE    0xE000
#endif
