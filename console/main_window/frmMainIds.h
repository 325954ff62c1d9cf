// Resource ids of the settings window frmMain: its template, its menu, the
// 36 option page templates and every control. Shared by frmMain.rc and the
// C++ code, so it holds nothing but #define lines.
//
// Control ids are IDC_ followed by the control's own name. Each page has its
// own block of 30 ids (page n from 1200 + 30 * n); the strength option
// buttons of a threshold page are numbered 1 to 4 in ascending ids, so
// IDC_optFlag1 + k is option k + 1. The three threshold pages lay out their
// blocks alike.
//
// Menu bar positions (popups have no command id): 0 mnuLogs ("&Logs"),
// 1 mnuTools ("&Tools"), 2 Help ("&Help").
#pragma once

#define IDD_frmMain 200
#define IDR_frmMainMenu 201

// Option page templates: IDD_picOptions_0 + page number.
#define IDD_picOptions_0 300
#define IDD_picOptions_1 301
#define IDD_picOptions_2 302
#define IDD_picOptions_3 303
#define IDD_picOptions_4 304
#define IDD_picOptions_5 305
#define IDD_picOptions_6 306
#define IDD_picOptions_7 307
#define IDD_picOptions_8 308
#define IDD_picOptions_9 309
#define IDD_picOptions_10 310
#define IDD_picOptions_11 311
#define IDD_picOptions_12 312
#define IDD_picOptions_13 313
#define IDD_picOptions_14 314
#define IDD_picOptions_15 315
#define IDD_picOptions_16 316
#define IDD_picOptions_17 317
#define IDD_picOptions_18 318
#define IDD_picOptions_19 319
#define IDD_picOptions_20 320
#define IDD_picOptions_21 321
#define IDD_picOptions_22 322
#define IDD_picOptions_23 323
#define IDD_picOptions_24 324
#define IDD_picOptions_25 325
#define IDD_picOptions_26 326
#define IDD_picOptions_27 327
#define IDD_picOptions_28 328
#define IDD_picOptions_29 329
#define IDD_picOptions_30 330
#define IDD_picOptions_31 331
#define IDD_picOptions_32 332
#define IDD_picOptions_33 333
#define IDD_picOptions_34 334
#define IDD_picOptions_35 335

// Page frames picFrame(n): IDC_picFrame_0 + page number.
#define IDC_picFrame_0 1000
#define IDC_picFrame_1 1001
#define IDC_picFrame_2 1002
#define IDC_picFrame_3 1003
#define IDC_picFrame_4 1004
#define IDC_picFrame_5 1005
#define IDC_picFrame_6 1006
#define IDC_picFrame_7 1007
#define IDC_picFrame_8 1008
#define IDC_picFrame_9 1009
#define IDC_picFrame_10 1010
#define IDC_picFrame_11 1011
#define IDC_picFrame_12 1012
#define IDC_picFrame_13 1013
#define IDC_picFrame_14 1014
#define IDC_picFrame_15 1015
#define IDC_picFrame_16 1016
#define IDC_picFrame_17 1017
#define IDC_picFrame_18 1018
#define IDC_picFrame_19 1019
#define IDC_picFrame_20 1020
#define IDC_picFrame_21 1021
#define IDC_picFrame_22 1022
#define IDC_picFrame_23 1023
#define IDC_picFrame_24 1024
#define IDC_picFrame_25 1025
#define IDC_picFrame_26 1026
#define IDC_picFrame_27 1027
#define IDC_picFrame_28 1028
#define IDC_picFrame_29 1029
#define IDC_picFrame_30 1030
#define IDC_picFrame_31 1031
#define IDC_picFrame_32 1032
#define IDC_picFrame_33 1033
#define IDC_picFrame_34 1034
#define IDC_picFrame_35 1035

// The main window itself.
#define IDC_tv 1100
#define IDC_picOptionsHost 1101
#define IDC_cmdOK2 1102
#define IDC_cmdCancel 1103
#define IDC_cmdOK 1104
#define IDC_cmdHelp 1105
#define IDC_cmdStartStop 1106

// The pages' id blocks: page n holds PAGE_ID_FIRST + PAGE_ID_BLOCK * n and
// the PAGE_ID_BLOCK - 1 ids after it.
#define PAGE_COUNT 36
#define PAGE_ID_FIRST 1200
#define PAGE_ID_BLOCK 30

// Page 0.
#define IDC_picTessavaneLogo 1200
#define IDC_lblTitle 1201
#define IDC_lblVersion 1202
#define IDC_lblPlatform 1203
#define IDC_lblCopyright1 1204
#define IDC_lblCopyright2 1205
#define IDC_cmdUserManual 1206
#define IDC_Label56 1207
#define IDC_cmdFAQ 1208
#define IDC_Label57 1209

// Page 1.
#define IDC_Label41 1230

// Page 2.
#define IDC_Label1 1260
#define IDC_txtInPort 1261
#define IDC_Label2 1262

// Page 3.
#define IDC_Label25 1290

// Page 4.
#define IDC_Label26 1320

// Page 5.
#define IDC_Label27 1350
#define IDC_Label5 1351
#define IDC_cmbRuleUpdFreq 1352

// Page 6.
#define IDC_Label6 1380

// Page 7.
#define IDC_Label7 1410
#define IDC_txtSubjModThreshold 1411
#define IDC_UpDown1 1412
#define IDC_sldSubjModThreshold 1413
#define IDC_Label8 1414
#define IDC_Label9 1415
#define IDC_optSubjMod1 1416
#define IDC_optSubjMod2 1417
#define IDC_optSubjMod3 1418
#define IDC_optSubjMod4 1419
#define IDC_lblStrengthDesc 1420

// Page 8.
#define IDC_Label11 1440
#define IDC_txtMsgModThreshold 1441
#define IDC_udMsgModThreshold 1442
#define IDC_sldMsgModThreshold 1443
#define IDC_Label12 1444
#define IDC_Label13 1445
#define IDC_optFlag1 1446
#define IDC_optFlag2 1447
#define IDC_optFlag3 1448
#define IDC_optFlag4 1449
#define IDC_lblStrengthDescFlag 1450

// Page 9.
#define IDC_Label15 1470
#define IDC_txtMaxTimeoutSpamChk 1471
#define IDC_Label16 1472

// Page 10.
#define IDC_Label17 1500
#define IDC_Label18 1501
#define IDC_txtProxyServer 1502
#define IDC_Label19 1503
#define IDC_txtProxyPort 1504

// Page 11.
#define IDC_Label20 1530
#define IDC_lstToAddresses 1531
#define IDC_cmdAddToAddress 1532
#define IDC_cmdEditToAddress 1533
#define IDC_cmdDeleteToAddress 1534

// Page 12.
#define IDC_Label21 1560
#define IDC_chkDoNotRemoveScanned 1561
#define IDC_Label22 1562
#define IDC_cmbOEScanFrequency 1563
#define IDC_Label23 1564
#define IDC_txtOEBlockFolderName 1565
#define IDC_Label24 1566
#define IDC_txtOEApproveFolderName 1567
#define IDC_cmdOEScanNow 1568

// Page 13.
#define IDC_Label3 1590
#define IDC_lstApprovedSenders 1591
#define IDC_cmdAddApproved 1592
#define IDC_cmdEditApproved 1593
#define IDC_cmdDeleteApproved 1594
#define IDC_cmdImportApproved 1595
#define IDC_cmdExportApproved 1596

// Page 14.
#define IDC_Label4 1620
#define IDC_lstBlockedSenders 1621
#define IDC_cmdAddBlocked 1622
#define IDC_cmdEditBlocked 1623
#define IDC_cmdDeleteBlocked 1624
#define IDC_cmdImportBlocked 1625
#define IDC_cmdExportBlocked 1626

// Page 15.
#define IDC_Label48 1650
#define IDC_lstApprovedIPs 1651
#define IDC_cmdAddApprovedIP 1652
#define IDC_cmdEditApprovedIP 1653
#define IDC_cmdDelApprovedIP 1654
#define IDC_cmdHelpSpecifyIPApproved 1655

// Page 16.
#define IDC_Label63 1680
#define IDC_tvCharsets 1681
#define IDC_cmdBlockCharsetsCheckAll 1682
#define IDC_cmdBlockCharsetsUncheckAll 1683
#define IDC_cmdBlockedCharsetReset 1684

// Page 17.
#define IDC_Label77 1710
#define IDC_lstBlockedIPs 1711
#define IDC_cmdAddBlockedIP 1712
#define IDC_cmdEditBlockedIP 1713
#define IDC_cmdDeleteBlockedIP 1714
#define IDC_cmdHelpSpecifyIPBlocked 1715

// Page 18.
#define IDC_Label10 1740
#define IDC_lstBlockedCountries 1741
#define IDC_cmdCountryCheckAll 1742
#define IDC_cmdCountryUncheckAll 1743
#define IDC_cmdCountryReset 1744

// Page 19.
#define IDC_Label14 1770
#define IDC_lstRBLs 1771
#define IDC_cmdAddRBL 1772
#define IDC_cmdDeleteRBL 1773

// Page 20.
#define IDC_Label71 1800
#define IDC_txtMaxWordEntries 1801
#define IDC_Label72 1802
#define IDC_txtMinTraining 1803
#define IDC_lblTrainingWeight 1804
#define IDC_optHighTrainingWeight 1805
#define IDC_optLowTrainingWeight 1806
#define IDC_lblApproveTraining 1807
#define IDC_lblPercentApproveComplete 1808
#define IDC_lblBlockTraining 1809
#define IDC_lblPercentBlockTrainingComplete 1810

// Page 21.
#define IDC_Label43 1830
#define IDC_Label44 1831
#define IDC_Label45 1832
#define IDC_Label46 1833
#define IDC_Label47 1834
#define IDC_Label28 1835
#define IDC_Label29 1836

// Page 22.
#define IDC_Label50 1860
#define IDC_Label51 1861
#define IDC_Label54 1862
#define IDC_Label55 1863
#define IDC_Label61 1864
#define IDC_Label62 1865
#define IDC_Label32 1866
#define IDC_Label49 1867
#define IDC_Label52 1868
#define IDC_Label53 1869
#define IDC_Label30 1870
#define IDC_Label31 1871

// Page 23.
#define IDC_Label60 1890

// Page 24.
#define IDC_Label69 1920
#define IDC_txtMinAutoTrainingThreshold 1921
#define IDC_Label70 1922
#define IDC_txtMaxAutoTrainingThreshold 1923
#define IDC_Label67 1924
#define IDC_txtMinNetcheckThreshold 1925
#define IDC_Label68 1926
#define IDC_txtMaxNetcheckThreshold 1927
#define IDC_Label65 1928
#define IDC_Label66 1929
#define IDC_chkAddScoringSummary 1930

// Page 25.
#define IDC_Label74 1950
#define IDC_Label33 1951
#define IDC_Label34 1952
#define IDC_Label35 1953
#define IDC_Label36 1954
#define IDC_Label75 1955
#define IDC_Label76 1956

// Page 26.
#define IDC_chkEnableExtendedRules 1980
#define IDC_lblEnableRulesDescription 1981

// Page 27.
#define IDC_chkRBLMultiHit 2010
#define IDC_Label80 2011
#define IDC_txtRBLTimeout 2012
#define IDC_Label81 2013
#define IDC_txtMaxRBLIPs 2014
#define IDC_Label82 2015
#define IDC_txtMinRBLThreshold 2016
#define IDC_Label83 2017
#define IDC_txtMaxRBLThreshold 2018

// Page 28.
#define IDC_Label79 2040
#define IDC_lstIgnoredIPs 2041
#define IDC_cmdAddIgnoreIP 2042
#define IDC_cmdEditIgnoreIP 2043
#define IDC_cmdDeleteIgnoreIP 2044
#define IDC_cmdHelpSpecifyIP 2045

// Page 29.
#define IDC_lblEnableBAConfirmation 2070

// Page 30.
#define IDC_lblOESpamThresholdFilterDesc 2100
#define IDC_txtOESpamThreshold 2101
#define IDC_udOESpamThreshold 2102
#define IDC_sldOESpamThreshold 2103
#define IDC_lblOESpamThresholdMoreAggressive 2104
#define IDC_lblOESpamThreshholdLessAggressive 2105
#define IDC_optOESpamThresholdMod1 2106
#define IDC_optOESpamThresholdMod2 2107
#define IDC_optOESpamThresholdMod3 2108
#define IDC_optOESpamThresholdMod4 2109
#define IDC_lblOESpamThresholdDesc 2110

// Page 31.
#define IDC_lblOEOptions 2130

// Page 32.
#define IDC_lblPOPProxyOptions 2160

// Page 33.
#define IDC_lblEnableOEPlugin 2190

// Page 34.
#define IDC_lblIgnoredSenders 2220
#define IDC_lstIgnoredSenders 2221
#define IDC_cmdAddIgnoredSender 2222
#define IDC_cmdEditIgnoredSender 2223
#define IDC_cmdDeleteIgnoredSender 2224

// Page 35.
#define IDC_lblIgnoredCountriesDesc 2250
#define IDC_lstIgnoredCountries 2251
#define IDC_cmdIgnoredCountryCheckAll 2252
#define IDC_cmdIgnoredCountryUncheckAll 2253
#define IDC_cmdIgnoredCountryReset 2254

// Menu commands.
#define IDM_mnuStats 3001
#define IDM_mnuViewLogFile 3002
#define IDM_mnuEventViewer 3003
#define IDM_mnuUpdates 3004
#define IDM_mnuReportBugs 3005
#define IDM_mnuOEAccountWizard 3006
#define IDM_mnuHelp 3007
#define IDM_About 3008
