// Resource ids of the sample SDI program.
#pragma once

#define IDR_MAINFRAME 128
#define ID_VIEW_CMD 32771
#define ID_DOC_CMD 32772
#define ID_CHECK_CMD 32773
#define ID_NOHANDLER_CMD 32774
#define ID_APP_CMD 32775
#define ID_SHARED_CMD 32776

#define IDS_EXT_STRING 31000
#define IDB_EXT_BITMAP 31001
