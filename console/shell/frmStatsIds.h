// Resource ids of the statistics window frmStats.
#pragma once

#define IDD_frmStats 760
#define IDC_lstStats 7601
#define IDC_lstStats2 7602
#define IDC_cmdResetStats 7603
#define IDC_cmdClose 7604
