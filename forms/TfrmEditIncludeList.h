// Include-list memo editor (one layout for every page's editor) and the zoom window.
#pragma once
#define IDD_TFRMEDITINCLUDELIST 6100
#define IDC_EIL_MEMO 6101
#define IDC_EIL_LINESCIM 6102
#define IDC_EIL_LINES 6103
#define IDC_EIL_OK 6104
#define IDC_EIL_CANCEL 6105
#define IDC_EIL_HELP 6106

#define IDD_TFRMZOOMINCLUDEWINDOW 6110
#define IDC_ZIW_LIST 6111
#define IDC_ZIW_CLOSE 6112
