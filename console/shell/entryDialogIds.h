#pragma once
// Ids of the list-entry dialogs; read by windres and by C++ code, so it
// holds nothing but #define lines. Label1, cmdOK and cmdCancel have the ids
// the main window gives controls of those names.

#define IDD_frmAddApproved 700
#define IDD_frmEditApproved 701
#define IDD_frmAddBlocked 702
#define IDD_frmEditBlocked 703
#define IDD_frmAddIgnoredSender 704
#define IDD_frmEditIgnoredSender 705
#define IDD_frmAddTo 706
#define IDD_frmEditTo 707
#define IDD_frmAddApprovedIP 708
#define IDD_frmEditApprovedIP 709
#define IDD_frmAddBlockedIP 710
#define IDD_frmEditBlockedIP 711
#define IDD_frmAddIgnoredIP 712
#define IDD_frmEditIgnoredIP 713
#define IDD_frmAddRBL 714

#define IDC_Label1 1260
#define IDC_cmdCancel 1103
#define IDC_cmdOK 1104
#define IDC_txtAddress 7001
#define IDC_txtIPRange 7002
#define IDC_txtRBL 7003
