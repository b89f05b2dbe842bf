#include "create/path_list_page_layout.h"

#include "create/creation_page_layout.h"
#include "forms/tabFolderCreate05.h"

namespace {

using namespace creation_layout;

const ui::AnchorRule kPathListPageAnchors[] = {
    {IDC_GRPVOL04MAIN, kLeftGrowsAll},
    {IDC_LBLVOL04ADDTOLIST, ui::kStayLeftTop},
    {IDC_EDTVOL04ADDTOLIST, kLeftGrowsWide},
    {IDC_BTNVOL04ADDTOLIST, kAtLeftEdge},
    {IDC_LBLVOL04PREFIX, ui::kStayLeftTop},
    {IDC_EDTVOL04PREFIX, kFirstHalfWide},
    {IDC_LBLVOL04SUFFIX, kAtMiddle},
    {IDC_EDTVOL04SUFFIX, kSecondHalfWide},
    {IDC_CHKVOL04HYPHEN, kAtLeftEdge},
    {IDC_LBLVOL04INCLUDEFOLDERLIST, ui::kStayLeftTop},
    {IDC_LSTVOL04INCLUDEFOLDERLIST, kIncludeList},
    {IDC_LBLVOL04EXCLUDEFOLDERLIST, kAtMiddle},
    {IDC_LSTVOL04EXCLUDEFOLDERLIST, kExcludeList},
    {IDC_BTNVOL04INCTOEXC, kAtMiddle},
    {IDC_BTNVOL04EXCTOINC, kAtMiddle},
    {IDC_BTNVOL04ALLFROMINC, kAtMiddle},
    {IDC_BTNVOL04ALLFROMEXC, kAtMiddle},
    {IDC_BTNVOL04EXCHANGEINCEXC, kAtMiddle},
    {IDC_LBLVOL04INCLUDESUMCIM, kUnderIncludeList},
    {IDC_LBLVOL04INCLUDESUM, kUnderIncludeList},
    {IDC_LBLVOL04EXCLUDESUMCIM, kUnderExcludeList},
    {IDC_LBLVOL04EXCLUDESUM, kUnderExcludeList},
    {IDC_BTNVOL04SMARTIMPORT, kUnderIncludeList},
    {IDC_BTNVOL04SMARTEXPORT, kUnderIncludeList},
    {IDC_BTNVOL04EDITINCLUDELIST, kUnderIncludeList},
    {IDC_BTNVOL04ZOOMINCLUDEWINDOW, kUnderIncludeList},
    {IDC_BTNVOL04DELETEFROMEXCLUDE, kUnderExcludeList},
    {IDC_BTNVOL04DELETEEXCLUDEALL, kUnderExcludeList},
    {IDC_BTNVOL04OPEN, ui::kStayRightBottom},
    {IDC_BTNVOL04SAVE, ui::kStayRightBottom},
    // Structures, preview and the results choice on the right.
    {IDC_GRPVOL04ATTACH, kRightBlockGrows},
    {IDC_LSTVOL04ADDFOLDERSTRUCTURE, kRightBlockGrows},
    {IDC_BTNVOL04ADDFOLDERSTRUCTURE, kRightBlockBottomLeft},
    {IDC_BTNVOL04VIEWFOLDERSTRUCTURE, kRightBlockBottomMiddle},
    {IDC_BTNVOL04REMOVEFOLDERSTRUCTURE, kRightBlockBottomRight},
    {IDC_GRPVOL04ATTACHOPTIONS, kRightBlockBottom},
    {IDC_RDOVOL04ATTACHNOTHING, kRightBlockBottom},
    {IDC_RDOVOL04ATTACHMAINFOLDERWITHFILES, kRightBlockBottom},
    {IDC_RDOVOL04ATTACHMAINFOLDERWITHOUTFILES, kRightBlockBottom},
    {IDC_RDOVOL04ATTACHSUBFOLDERSONLYWITHFILES, kRightBlockBottom},
    {IDC_RDOVOL04ATTACHSUBFOLDERSONLYWITHOUTFILES, kRightBlockBottom},
    {IDC_GRPVOL04PREVIEW, kRightBlockBottom},
    {IDC_LBLVOL04STARTFOLDERCIMKE, kRightBlockBottomLeft},
    {IDC_LBLVOL04STARTFOLDER, kRightBlockBottom},
    {IDC_LBLVOL04ENDFOLDERCIMKE, kRightBlockBottomLeft},
    {IDC_LBLVOL04ENDFOLDER, kRightBlockBottom},
    {IDC_CHKVOL04VIEWDETAILEDRESULTS, kRightBlockBottomLeft},
    // Statistics at the bottom left, the command buttons at the bottom right.
    {IDC_GRPVOL04STATISTICS, ui::kGrowWideAtBottom},
    {IDC_LBLVOL04TOTAL, ui::kStayLeftBottom},
    {IDC_LBLVOL04RESULTS, ui::kStayLeftBottom},
    {IDC_LBLVOL04FOLDERSCIM, ui::kStayLeftBottom},
    {IDC_LBLVOL04SUBFOLDERSCIM, ui::kStayLeftBottom},
    {IDC_LBLVOL04FILESCIM, ui::kStayLeftBottom},
    {IDC_LBLVOL04FILESSIZECIM, ui::kStayLeftBottom},
    {IDC_LBLVOL04TOCREATECIM, ui::kStayLeftBottom},
    {IDC_LBLVOL04FOLDERSTOCREATE, ui::kStayLeftBottom},
    {IDC_LBLVOL04SUBFOLDERSTOCREATE, ui::kStayLeftBottom},
    {IDC_LBLVOL04FILESTOCREATE, ui::kStayLeftBottom},
    {IDC_LBLVOL04FILESSIZETOCREATE, ui::kStayLeftBottom},
    {IDC_LBLVOL04CREATEDCIM, ui::kStayLeftBottom},
    {IDC_LBLVOL04FOLDERSCREATED, ui::kStayLeftBottom},
    {IDC_LBLVOL04SUBFOLDERSCREATED, ui::kStayLeftBottom},
    {IDC_LBLVOL04FILESCREATED, ui::kStayLeftBottom},
    {IDC_LBLVOL04FILESSIZECREATED, ui::kStayLeftBottom},
    {IDC_LBLVOL04EXISTSCIM, ui::kStayLeftBottom},
    {IDC_LBLVOL04FOLDERSEXISTS, ui::kStayLeftBottom},
    {IDC_LBLVOL04SUBFOLDERSEXISTS, ui::kStayLeftBottom},
    {IDC_LBLVOL04FILESEXISTS, ui::kStayLeftBottom},
    {IDC_LBLVOL04FILESSIZEEXISTS, ui::kStayLeftBottom},
    {IDC_LBLVOL04OTHERCIM, ui::kStayLeftBottom},
    {IDC_LBLVOL04FOLDERSOTHER, ui::kStayLeftBottom},
    {IDC_LBLVOL04SUBFOLDERSOTHER, ui::kStayLeftBottom},
    {IDC_LBLVOL04FILESOTHER, ui::kStayLeftBottom},
    {IDC_LBLVOL04FILESSIZEOTHER, ui::kStayLeftBottom},
    {IDC_BTNVOL04CREATEFOLDERS, ui::kStayRightBottom},
    {IDC_BTNVOL04CREATEFOLDERSSIMULATION, ui::kStayRightBottom},
    {IDC_BTNVOL04UNDO, ui::kStayRightBottom},
    {IDC_BTNVOL04CLEARALL, ui::kStayRightBottom},
    {IDC_BTNVOL04STATISTICS, ui::kStayRightBottom},
    {IDC_BTNVOL04EXAMPLES, ui::kStayRightBottom},
    {IDC_BTNVOL04HELP, ui::kStayRightBottom},
    {IDC_PBVOL04PROGRESSBAR, ui::kGrowWideAtBottom},
};

} // namespace

void ApplyPathListPageLayout(ui::TabSheet& sheet, ui::Label& startFolder, ui::Label& endFolder) {
  sheet.SetAnchors(kPathListPageAnchors);
  startFolder.SetPathEllipsis(true);
  endFolder.SetPathEllipsis(true);
}
