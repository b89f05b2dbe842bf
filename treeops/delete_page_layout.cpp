#include "treeops/delete_page_layout.h"

#include "create/creation_page_layout.h"
#include "forms/tabFoldersDelete01.h"

namespace {

using namespace creation_layout;

// The mode block widens with the right part of the sheet.
constexpr ui::Anchors kRightTopWide{60, 0, 100, 0};

const ui::AnchorRule kDeletePageAnchors[] = {
    {IDC_GRPVOL07MAIN, kLeftGrowsAll},
    {IDC_GRPVOL07METHODS, kLeftGrowsWide},
    {IDC_BTNVOL07SUBFOLDERLEVELLISTBUILDER, ui::kStayLeftTop},
    {IDC_BTNVOL07SMARTIMPORT, ui::kStayLeftTop},
    {IDC_BTNVOL07ADDFOLDERSTOLIST, ui::kStayLeftTop},
    {IDC_LBLVOL07INCLUDEFOLDERLIST, ui::kStayLeftTop},
    {IDC_LSTVOL07INCLUDEFOLDERLIST, kIncludeList},
    {IDC_LBLVOL07EXCLUDEFOLDERLIST, kAtMiddle},
    {IDC_LSTVOL07EXCLUDEFOLDERLIST, kExcludeList},
    {IDC_BTNVOL07INCTOEXC, kAtMiddle},
    {IDC_BTNVOL07EXCTOINC, kAtMiddle},
    {IDC_BTNVOL07ALLFROMINC, kAtMiddle},
    {IDC_BTNVOL07ALLFROMEXC, kAtMiddle},
    {IDC_BTNVOL07EXCHANGEINCEXC, kAtMiddle},
    {IDC_LBLVOL07INCLUDESUMCIM, kUnderIncludeList},
    {IDC_LBLVOL07INCLUDESUM, kUnderIncludeList},
    {IDC_LBLVOL07EXCLUDESUMCIM, kUnderExcludeList},
    {IDC_LBLVOL07EXCLUDESUM, kUnderExcludeList},
    {IDC_BTNVOL07SMARTEXPORT, kUnderIncludeList},
    {IDC_BTNVOL07EDITINCLUDELIST, kUnderIncludeList},
    {IDC_BTNVOL07INCLUDEFOLDERLISTVIEW, kUnderIncludeList},
    {IDC_BTNVOL07DELETEFROMEXCLUDELIST, kUnderExcludeList},
    {IDC_BTNVOL07DELETEEXCLUDEALL, kUnderExcludeList},
    {IDC_GRPVOL07MODES, kRightTopWide},
    {IDC_RDOVOL07DELETESUBFOLDERS, kRightTopWide},
    {IDC_RDOVOL07DELETECOMPLETEFOLDERS, kRightTopWide},
    {IDC_RDOVOL07DELETEONLYFILESINMAINFOLDER, kRightTopWide},
    {IDC_RDOVOL07DELETEONLYFILES, kRightTopWide},
    {IDC_BTNVOL07FILESELECTION, kAtLeftEdge},
    {IDC_LBLVOL07STATUS, kAtLeftEdge},
    {IDC_LBLVOL07FILETYPESALLSELECTED, kAtLeftEdge},
    {IDC_CHKVOL07SHOWDETAILEDRESULTS, kAtLeftEdge},
    {IDC_CHKVOL07DELETEDOUBLECONFIRM, kAtLeftEdge},
    {IDC_GRPVOL07STATISTICS, ui::kGrowWideAtBottom},
    {IDC_LBLVOL07TODELETECIMKE, ui::kStayLeftBottom},
    {IDC_LBLVOL07DELETEDCIMKE, ui::kStayLeftBottom},
    {IDC_LBLVOL07NOTEXISTSCIMKE, ui::kStayLeftBottom},
    {IDC_LBLVOL07OTHERREASONSCIMKE, ui::kStayLeftBottom},
    {IDC_LBLVOL07FOLDERSCOLUMN, ui::kStayLeftBottom},
    {IDC_LBLVOL07FOLDERSTODELETE, ui::kStayLeftBottom},
    {IDC_LBLVOL07FOLDERSDELETED, ui::kStayLeftBottom},
    {IDC_LBLVOL07FOLDERSNOTEXISTS, ui::kStayLeftBottom},
    {IDC_LBLVOL07FOLDERSOTHERREASONS, ui::kStayLeftBottom},
    {IDC_LBLVOL07FILESCOLUMN, ui::kStayLeftBottom},
    {IDC_LBLVOL07FILESTODELETE, ui::kStayLeftBottom},
    {IDC_LBLVOL07FILESDELETED, ui::kStayLeftBottom},
    {IDC_LBLVOL07FILESNOTEXISTS, ui::kStayLeftBottom},
    {IDC_LBLVOL07FILESOTHERREASONS, ui::kStayLeftBottom},
    {IDC_BTNVOL07DELETEFOLDERS, ui::kStayRightBottom},
    {IDC_BTNVOL07DELETEFOLDERSSIMULATION, ui::kStayRightBottom},
    {IDC_BTNVOL07CLEARALL, ui::kStayRightBottom},
    {IDC_BTNVOL07STATISTICS, ui::kStayRightBottom},
    {IDC_BTNVOL07EXAMPLES, ui::kStayRightBottom},
    {IDC_BTNVOL07HELP, ui::kStayRightBottom},
    {IDC_PBVOL07PROGRESSBAR, ui::kGrowWideAtBottom},
};

} // namespace

void ApplyDeletePageLayout(ui::TabSheet& sheet) { sheet.SetAnchors(kDeletePageAnchors); }
