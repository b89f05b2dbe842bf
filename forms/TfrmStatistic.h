// Detailed-results windows: one window design, six windows (the three creation
// pages and the rename, delete and copy pages). Every window numbers its
// controls the same way; the texts come from the window's row in
// listwin/frmStatistic.cpp, the places from its layout here.
#pragma once
#define IDD_TFRMSTATISTIC02 4102
#define IDD_TFRMSTATISTIC03 4103
#define IDD_TFRMSTATISTIC04 4104
#define IDD_TFRMSTATISTIC06 4106
#define IDD_TFRMSTATISTICS07 4107
#define IDD_TFRMSTATISTIC08 4108

#define IDC_STAT_TITLE 4201
#define IDC_STAT_NORMALSIMULATE 4202
// Counter value labels, in the order of the window's counters (up to 16).
#define IDC_STAT_COUNTER 4210
// Outcome lists and their Smart Export buttons, in list order (up to 7).
#define IDC_STAT_LIST 4230
#define IDC_STAT_EXPORT 4240
#define IDC_STAT_OK 4250
// Headings: grid columns and rows, groups and list captions, each in the order
// of the window's row.
#define IDC_STAT_COL 10000
#define IDC_STAT_ROW 10008
#define IDC_STAT_GROUP 10016
#define IDC_STAT_LISTCAPTION 10020

// The creation windows' names for their counters, lists and headings.
#define IDC_STAT_FOLDERSTOCREATE (IDC_STAT_COUNTER + 0)
#define IDC_STAT_SUBFOLDERSTOCREATE (IDC_STAT_COUNTER + 1)
#define IDC_STAT_FILESTOCREATE (IDC_STAT_COUNTER + 2)
#define IDC_STAT_FILESSIZETOCREATE (IDC_STAT_COUNTER + 3)
#define IDC_STAT_FOLDERSCREATED (IDC_STAT_COUNTER + 4)
#define IDC_STAT_SUBFOLDERSCREATED (IDC_STAT_COUNTER + 5)
#define IDC_STAT_FILESCREATED (IDC_STAT_COUNTER + 6)
#define IDC_STAT_FILESSIZECREATED (IDC_STAT_COUNTER + 7)
#define IDC_STAT_FOLDERSEXISTS (IDC_STAT_COUNTER + 8)
#define IDC_STAT_SUBFOLDERSEXISTS (IDC_STAT_COUNTER + 9)
#define IDC_STAT_FILESEXISTS (IDC_STAT_COUNTER + 10)
#define IDC_STAT_FILESSIZEEXISTS (IDC_STAT_COUNTER + 11)
#define IDC_STAT_FOLDERSOTHER (IDC_STAT_COUNTER + 12)
#define IDC_STAT_SUBFOLDERSOTHER (IDC_STAT_COUNTER + 13)
#define IDC_STAT_FILESOTHER (IDC_STAT_COUNTER + 14)
#define IDC_STAT_FILESSIZEOTHER (IDC_STAT_COUNTER + 15)
