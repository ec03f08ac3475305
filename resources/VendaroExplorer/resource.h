#pragma once
// Resource ids of the catalogue browser.
#ifndef AFX_IDS_APP_TITLE
#define AFX_IDS_APP_TITLE    0xE000
#endif
