#include "create/string_list_page_layout.h"

#include "create/creation_page_layout.h"
#include "forms/tabFolderCreate03.h"

namespace {

using namespace creation_layout;

const ui::AnchorRule kStringListPageAnchors[] = {
    {IDC_LBLVOL02DESTFOLDERS, ui::kStayLeftTop},
    {IDC_CBOVOL02DESTFOLDERS, kLeftGrowsWide},
    {IDC_BTNVOL02ADDDESTFOLDER, kAtLeftEdge},
    {IDC_BTNVOL02VIEWDESTFOLDER, kAtLeftEdge},
    {IDC_LBLVOL02PREFIX, ui::kStayLeftTop},
    {IDC_EDTVOL02PREFIX, kFirstHalfWide},
    {IDC_LBLVOL02SUFFIX, kAtMiddle},
    {IDC_EDTVOL02SUFFIX, kSecondHalfWide},
    {IDC_CHKVOL02HYPHEN, kAtLeftEdge},
    {IDC_LBLVOL02ADDTOLIST, ui::kStayLeftTop},
    {IDC_EDTVOL02ADDTOLIST, kLeftGrowsWide},
    {IDC_BTNVOL02ADDTOLIST, kAtLeftEdge},
    {IDC_LBLVOL02INCLUDESTRINGS, ui::kStayLeftTop},
    {IDC_LSTVOL02INCLUDESTRINGS, kIncludeList},
    {IDC_BTNVOL02INCTOEXC, kAtMiddle},
    {IDC_BTNVOL02EXCTOINC, kAtMiddle},
    {IDC_BTNVOL02ALLFROMINC, kAtMiddle},
    {IDC_BTNVOL02ALLFROMEXC, kAtMiddle},
    {IDC_BTNVOL02EXCHANGEINCEXC, kAtMiddle},
    {IDC_LBLVOL02EXCLUDESTRINGS, kAtMiddle},
    {IDC_LSTVOL02EXCLUDESTRINGS, kExcludeList},
    {IDC_LBLVOL02INCLUDESUMCIM, kUnderIncludeList},
    {IDC_LBLVOL02INCLUDESUM, kUnderIncludeList},
    {IDC_LBLVOL02EXCLUDESUMCIM, kUnderExcludeList},
    {IDC_LBLVOL02EXCLUDESUM, kUnderExcludeList},
    {IDC_BTNVOL02SMARTIMPORT, kUnderIncludeList},
    {IDC_BTNVOL02SMARTEXPORT, kUnderIncludeList},
    {IDC_BTNVOL02EDITINCLUDELIST, kUnderIncludeList},
    {IDC_BTNVOL02ZOOMINCLUDEWINDOW, kUnderIncludeList},
    {IDC_BTNVOL02DELETEFROMEXCLUDE, kUnderExcludeList},
    {IDC_BTNVOL02DELETEEXCLUDEALL, kUnderExcludeList},
    {IDC_BTNVOL02OPEN, ui::kStayRightBottom},
    {IDC_BTNVOL02SAVE, ui::kStayRightBottom},
    // Structures, preview and result choices on the right.
    {IDC_GRPVOL02ATTACH, kRightBlockGrows},
    {IDC_LSTVOL02ADDFOLDERSTRUCTURE, kRightBlockGrows},
    {IDC_BTNVOL02ADDFOLDERSTRUCTURE, kRightBlockBottomLeft},
    {IDC_BTNVOL02VIEWFOLDERSTRUCTURE, kRightBlockBottomMiddle},
    {IDC_BTNVOL02REMOVEFOLDERSTRUCTURE, kRightBlockBottomRight},
    {IDC_GRPVOL02ATTACHOPTIONS, kRightBlockBottom},
    {IDC_RDOVOL02ATTACHNOTHING, kRightBlockBottom},
    {IDC_RDOVOL02ATTACHMAINFOLDERWITHFILES, kRightBlockBottom},
    {IDC_RDOVOL02ATTACHMAINFOLDERWITHOUTFILES, kRightBlockBottom},
    {IDC_RDOVOL02ATTACHSUBFOLDERSONLYWITHFILES, kRightBlockBottom},
    {IDC_RDOVOL02ATTACHSUBFOLDERSONLYWITHOUTFILES, kRightBlockBottom},
    {IDC_GRPVOL02PREVIEW, kRightBlockBottom},
    {IDC_LBLVOL02STARTFOLDERCIM, kRightBlockBottomLeft},
    {IDC_LBLVOL02STARTFOLDER, kRightBlockBottom},
    {IDC_LBLVOL02ENDFOLDERCIM, kRightBlockBottomLeft},
    {IDC_LBLVOL02ENDFOLDER, kRightBlockBottom},
    {IDC_GRPVOL02SHOWRESULTS, kRightBlockBottom},
    {IDC_CHKVOL02VIEWDETAILEDRESULTS, kRightBlockBottomLeft},
    {IDC_CHKVOL02VIEWDESTFOLDER, kRightBlockBottomMiddle},
    // Statistics at the bottom left, the command buttons at the bottom right.
    {IDC_GRPVOL02STATISTICS, ui::kGrowWideAtBottom},
    {IDC_LBLVOL02TOTAL, ui::kStayLeftBottom},
    {IDC_LBLVOL02FOLDERSCIM, ui::kStayLeftBottom},
    {IDC_LBLVOL02SUBFOLDERSCIM, ui::kStayLeftBottom},
    {IDC_LBLVOL02FILESCIM, ui::kStayLeftBottom},
    {IDC_LBLVOL02FILESSIZECIM, ui::kStayLeftBottom},
    {IDC_LBLVOL02TOCREATECIM, ui::kStayLeftBottom},
    {IDC_LBLVOL02FOLDERSTOCREATE, ui::kStayLeftBottom},
    {IDC_LBLVOL02SUBFOLDERSTOCREATE, ui::kStayLeftBottom},
    {IDC_LBLVOL02FILESTOCREATE, ui::kStayLeftBottom},
    {IDC_LBLVOL02FILESSIZETOCREATE, ui::kStayLeftBottom},
    {IDC_LBLVOL02CREATEDCIM, ui::kStayLeftBottom},
    {IDC_LBLVOL02FOLDERSCREATED, ui::kStayLeftBottom},
    {IDC_LBLVOL02SUBFOLDERSCREATED, ui::kStayLeftBottom},
    {IDC_LBLVOL02FILESCREATED, ui::kStayLeftBottom},
    {IDC_LBLVOL02FILESSIZECREATED, ui::kStayLeftBottom},
    {IDC_LBLVOL02EXISTSCIM, ui::kStayLeftBottom},
    {IDC_LBLVOL02FOLDERSEXISTS, ui::kStayLeftBottom},
    {IDC_LBLVOL02SUBFOLDERSEXISTS, ui::kStayLeftBottom},
    {IDC_LBLVOL02FILESEXISTS, ui::kStayLeftBottom},
    {IDC_LBLVOL02FILESSIZEEXISTS, ui::kStayLeftBottom},
    {IDC_LBLVOL02OTHERCIM, ui::kStayLeftBottom},
    {IDC_LBLVOL02FOLDERSOTHER, ui::kStayLeftBottom},
    {IDC_LBLVOL02SUBFOLDERSOTHER, ui::kStayLeftBottom},
    {IDC_LBLVOL02FILESOTHER, ui::kStayLeftBottom},
    {IDC_LBLVOL02FILESSIZEOTHER, ui::kStayLeftBottom},
    {IDC_BTNVOL02CREATEFOLDERS, ui::kStayRightBottom},
    {IDC_BTNVOL02CREATEFOLDERSSIMULATION, ui::kStayRightBottom},
    {IDC_BTNVOL02UNDO, ui::kStayRightBottom},
    {IDC_BTNVOL02CLEARALL, ui::kStayRightBottom},
    {IDC_BTNVOL02STATISTIC, ui::kStayRightBottom},
    {IDC_BTNVOL02EXAMPLE, ui::kStayRightBottom},
    {IDC_BTNVOL02LISTHELP, ui::kStayRightBottom},
    {IDC_PBVOL02PROGRESSBAR, ui::kGrowWideAtBottom},
};

} // namespace

void ApplyStringListPageLayout(ui::TabSheet& sheet, ui::Label& startFolder, ui::Label& endFolder) {
  sheet.SetAnchors(kStringListPageAnchors);
  startFolder.SetPathEllipsis(true);
  endFolder.SetPathEllipsis(true);
}
