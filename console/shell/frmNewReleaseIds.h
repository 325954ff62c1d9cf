#pragma once
// Ids of the new-release notice; read by windres and by C++ code, so it holds
// nothing but #define lines. cmdOK has the id the main window gives it.

#define IDD_frmNewRelease 800

#define IDC_cmdOK 1104
#define IDC_cmdIgnore 8001
#define IDC_chkIgnore 8002
#define IDC_lblNewRelease 8003
