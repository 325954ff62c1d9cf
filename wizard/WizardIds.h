#pragma once
// Dialog templates and controls of the wizard frame and its pages.

#define IDD_CWizard 200
#define IDD_Page1 201
#define IDD_Page2 202
#define IDD_Page3 203

// Frame.
#define IDC_picSplash 1001
#define IDC_picPage 1002
#define IDC_cmdHelp 1003
#define IDC_cmdStepBack 1004
#define IDC_cmdStepFwd 1005
#define IDC_cmdTerminate 1006

// Pages (member n of a control array is _n).
#define IDC_Label1_0 1101
#define IDC_Label1_1 1102
#define IDC_Label2 1103
#define IDC_Label3 1104
#define IDC_Label4 1105
#define IDC_Frame1 1106
#define IDC_Check1 1107
#define IDC_lblEmail 1108
#define IDC_lblPOPServer 1109
#define IDC_lblPOPUsername 1110
#define IDC_lblFieldsChanged 1111
#define IDC_lblPOP 1112
#define IDC_lblUsernameChgTo 1113
#define IDC_lblPOP3ServerPortChgTo 1114
#define IDC_lblPOPServerTo 1115
#define IDC_lblUsernameTo 1116
#define IDC_lblPOPPortTo 1117
#define IDC_lblMoreInfo 1118
