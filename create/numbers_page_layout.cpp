#include "create/numbers_page_layout.h"

#include "create/creation_page_layout.h"
#include "forms/tabFolderCreate04.h"

namespace {

using namespace creation_layout;

const ui::AnchorRule kNumbersPageAnchors[] = {
    {IDC_LBLVOL03DESTFOLDERS, ui::kStayLeftTop},
    {IDC_CBOVOL03DESTFOLDERS, kLeftGrowsWide},
    {IDC_BTNVOL03ADDDESTFOLDER, kAtLeftEdge},
    {IDC_BTNVOL03VIEWDESTFOLDER, kAtLeftEdge},
    // The number fields, name parts and their options.
    {IDC_GRPVOL03NUMBERS, kLeftGrowsWide},
    {IDC_LBLVOL03STARTNUMBER, ui::kStayLeftTop},
    {IDC_EDTVOL03STARTNUMBER, ui::kStayLeftTop},
    {IDC_LBLVOL03ENDNUMBER, ui::kStayLeftTop},
    {IDC_EDTVOL03ENDNUMBER, ui::kStayLeftTop},
    {IDC_LBLVOL03PREFIX, ui::kStayLeftTop},
    {IDC_EDTVOL03PREFIX, kFirstHalfWide},
    {IDC_LBLVOL03SUFFIX, kAtMiddle},
    {IDC_EDTVOL03SUFFIX, kSecondHalfWide},
    {IDC_CHKVOL03HYPHEN, ui::kStayLeftTop},
    {IDC_CHKVOL03PADDEDZEROES, ui::kStayLeftTop},
    {IDC_LBLVOL03SHOWRESULTS, ui::kStayLeftTop},
    {IDC_CHKVOL03VIEWDESTFOLDER, ui::kStayLeftTop},
    {IDC_CHKVOL03VIEWDETAILEDRESULTS, ui::kStayLeftTop},
    {IDC_GRPVOL03PREVIEW, kLeftGrowsWide},
    {IDC_LBLVOL03STARTFOLDERCIMKE, ui::kStayLeftTop},
    {IDC_LBLVOL03STARTFOLDER, kLeftGrowsWide},
    {IDC_LBLVOL03ENDFOLDERCIMKE, ui::kStayLeftTop},
    {IDC_LBLVOL03ENDFOLDER, kLeftGrowsWide},
    // Structures on the right.
    {IDC_GRPVOL03ATTACH, kRightBlockGrows},
    {IDC_LSTVOL03ADDFOLDERSTRUCTURE, kRightBlockGrows},
    {IDC_BTNVOL03ADDFOLDERSTRUCTURE, kRightBlockBottomLeft},
    {IDC_BTNVOL03VIEWFOLDERSTRUCTURE, kRightBlockBottomMiddle},
    {IDC_BTNVOL03REMOVEFOLDERSTRUCTURE, kRightBlockBottomRight},
    {IDC_GRPVOL03ATTACHOPTIONS, kRightBlockBottom},
    {IDC_RDOVOL03ATTACHNOTHING, kRightBlockBottom},
    {IDC_RDOVOL03ATTACHMAINFOLDERWITHFILES, kRightBlockBottom},
    {IDC_RDOVOL03ATTACHMAINFOLDERWITHOUTFILES, kRightBlockBottom},
    {IDC_RDOVOL03ATTACHSUBFOLDERSONLYWITHFILES, kRightBlockBottom},
    {IDC_RDOVOL03ATTACHSUBFOLDERSONLYWITHOUTFILES, kRightBlockBottom},
    // Statistics at the bottom left, the command buttons at the bottom right.
    {IDC_GRPVOL03STATISTICS, ui::kGrowWideAtBottom},
    {IDC_LBLVOL03TOTAL, ui::kStayLeftBottom},
    {IDC_LBLVOL03RESULTS, ui::kStayLeftBottom},
    {IDC_LBLVOL03FOLDERSCIM, ui::kStayLeftBottom},
    {IDC_LBLVOL03SUBFOLDERSCIM, ui::kStayLeftBottom},
    {IDC_LBLVOL03FILESCIM, ui::kStayLeftBottom},
    {IDC_LBLVOL03FILESSIZECIM, ui::kStayLeftBottom},
    {IDC_LBLVOL03TOCREATECIM, ui::kStayLeftBottom},
    {IDC_LBLVOL03FOLDERSTOCREATE, ui::kStayLeftBottom},
    {IDC_LBLVOL03SUBFOLDERSTOCREATE, ui::kStayLeftBottom},
    {IDC_LBLVOL03FILESTOCREATE, ui::kStayLeftBottom},
    {IDC_LBLVOL03FILESSIZETOCREATE, ui::kStayLeftBottom},
    {IDC_LBLVOL03CREATEDCIM, ui::kStayLeftBottom},
    {IDC_LBLVOL03FOLDERSCREATED, ui::kStayLeftBottom},
    {IDC_LBLVOL03SUBFOLDERSCREATED, ui::kStayLeftBottom},
    {IDC_LBLVOL03FILESCREATED, ui::kStayLeftBottom},
    {IDC_LBLVOL03FILESSIZECREATED, ui::kStayLeftBottom},
    {IDC_LBLVOL03EXISTSCIM, ui::kStayLeftBottom},
    {IDC_LBLVOL03FOLDERSEXISTS, ui::kStayLeftBottom},
    {IDC_LBLVOL03SUBFOLDERSEXISTS, ui::kStayLeftBottom},
    {IDC_LBLVOL03FILESEXISTS, ui::kStayLeftBottom},
    {IDC_LBLVOL03FILESSIZEEXISTS, ui::kStayLeftBottom},
    {IDC_LBLVOL03OTHERCIM, ui::kStayLeftBottom},
    {IDC_LBLVOL03FOLDERSOTHER, ui::kStayLeftBottom},
    {IDC_LBLVOL03SUBFOLDERSOTHER, ui::kStayLeftBottom},
    {IDC_LBLVOL03FILESOTHER, ui::kStayLeftBottom},
    {IDC_LBLVOL03FILESSIZEOTHER, ui::kStayLeftBottom},
    {IDC_BTNVOL03CREATEFOLDERS, ui::kStayRightBottom},
    {IDC_BTNVOL03CREATEFOLDERSSIMULATION, ui::kStayRightBottom},
    {IDC_BTNVOL03UNDO, ui::kStayRightBottom},
    {IDC_BTNVOL03CLEARALL, ui::kStayRightBottom},
    {IDC_BTNVOL03STATISTICS, ui::kStayRightBottom},
    {IDC_BTNVOL03EXAMPLES, ui::kStayRightBottom},
    {IDC_BTNVOL03HELP, ui::kStayRightBottom},
    {IDC_PBVOL03PROGRESSBAR, ui::kGrowWideAtBottom},
};

} // namespace

void ApplyNumbersPageLayout(ui::TabSheet& sheet, ui::Label& startFolder, ui::Label& endFolder) {
  sheet.SetAnchors(kNumbersPageAnchors);
  startFolder.SetPathEllipsis(true);
  endFolder.SetPathEllipsis(true);
}
