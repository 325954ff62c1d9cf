#pragma once
// Ids of the about box; read by windres and by C++ code, so it holds nothing
// but #define lines. Controls named as on the main window share its ids.

#define IDD_frmAboutTessavane 810

#define IDC_cmdOK 1104
#define IDC_lblTitle 1201
#define IDC_lblVersion 1202
#define IDC_lblPlatform 1203
#define IDC_Label1 1260
#define IDC_lblDescription 8101
#define IDC_picIcon 8102
#define IDC_IconPictureBox 8103
#define IDC_cmdSysInfo 8104
