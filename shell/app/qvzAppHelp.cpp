// The help menu: the help contents, the maker's web pages and the About box.
#include "qvzAboutDlg.h"
#include "qvzApp.h"
#include "qvzWebBrowser.h"
#include "qvzWebPages.h"

void qvzApp::OnHelpContents() { WinHelp(0, HELP_FINDER); }

void qvzApp::OnHelpWebProduct() { ShowWebPage(QVZ_WEB_PRODUCT); }

void qvzApp::OnHelpWebSupport() { ShowWebPage(QVZ_WEB_SUPPORT); }

void qvzApp::OnHelpWebHome() { ShowWebPage(QVZ_WEB_HOME); }

void qvzApp::OnAppAbout() {
  qvzAboutDlg dlg;
  dlg.DoModal();
}
