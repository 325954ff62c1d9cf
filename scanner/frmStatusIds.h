#pragma once

#define IDD_frmStatus 300
#define IDC_lstStatus 1001
#define IDC_cmdOK 1002
