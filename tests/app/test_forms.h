// Layouts of the windows the window-layer tests drive.
#pragma once
#define IDD_TESTFORM 9000
#define IDD_TESTMODAL 9010
#define IDC_T_GO 9100
#define IDC_T_DEFAULT 9101
#define IDC_T_EDT 9107
#define IDC_T_MMO 9108
#define IDC_T_LST 9110
#define IDC_T_PRG 9112
#define IDC_M_NEST 9201
#define IDD_TESTPAGES 9020
#define IDD_TESTSHEET1 9021
#define IDD_TESTSHEET2 9022
#define IDC_P_TABS 9300
#define IDC_P_EDIT1 9301
#define IDC_P_EDIT2 9302
#define IDC_P_CHECK2 9303
