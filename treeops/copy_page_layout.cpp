#include "treeops/copy_page_layout.h"

#include "create/creation_page_layout.h"
#include "forms/tabFoldersCopy02.h"
#include "treeops/level_builder_layout.h"

#include <iterator>

namespace {

using namespace creation_layout;

const ui::AnchorRule kCopyPageAnchors[] = {
    {IDC_GRPVOL08MAIN, kLeftGrowsAll},
    {IDC_GRPVOL08METHODS, kLeftGrowsWide},
    {IDC_BTNVOL08SUBFOLDERLEVELLISTBUILDER, kAtLeftEdge},
    {IDC_BTNVOL08SMARTIMPORT, kAtLeftEdge},
    {IDC_BTNVOL08ADDFOLDERTOLIST, kAtLeftEdge},
    {IDC_LBLVOL08INCLUDEFOLDERLIST, ui::kStayLeftTop},
    {IDC_LSTVOL08INCLUDEFOLDERLIST, kIncludeList},
    {IDC_LBLVOL08EXCLUDEFOLDERLIST, kAtMiddle},
    {IDC_LSTVOL08EXCLUDEFOLDERLIST, kExcludeList},
    {IDC_BTNVOL08INCTOEXC, kAtMiddle},
    {IDC_BTNVOL08EXCTOINC, kAtMiddle},
    {IDC_BTNVOL08ALLFROMINC, kAtMiddle},
    {IDC_BTNVOL08ALLFROMEXC, kAtMiddle},
    {IDC_BTNVOL08EXCHANGEINCTOEXC, kAtMiddle},
    {IDC_LBLVOL08INCLUDESUMCIM, kUnderIncludeList},
    {IDC_LBLVOL08INCLUDESUM, kUnderIncludeList},
    {IDC_LBLVOL08EXCLUDESUMCIM, kUnderExcludeList},
    {IDC_LBLVOL08EXCLUDESUM, kUnderExcludeList},
    {IDC_BTNVOL08INCLUDEFOLDERLISTVIEW, kUnderIncludeList},
    {IDC_BTNVOL08EDITINCLUDELIST, kUnderIncludeList},
    {IDC_BTNVOL08SMARTEXPORT, kUnderIncludeList},
    {IDC_BTNVOL08DELETEEXCLUDELIST, kUnderExcludeList},
    {IDC_BTNVOL08DELETEEXCLUDEALL, kUnderExcludeList},
    // Options and structures on the right: the structure list takes the height.
    {IDC_GRPVOL08COPYOPTIONS, kRightBlockGrows},
    {IDC_GRPVOL08COPYSTRUCTURES, kRightBlockGrows},
    {IDC_LSTVOL08ADDFOLDERSTRUCTURE, kRightBlockGrows},
    {IDC_BTNVOL08ADDFOLDERSTRUCTURE, kRightBlockBottomLeft},
    {IDC_BTNVOL08VIEWFOLDERSTRUCTURE, kRightBlockBottomMiddle},
    {IDC_BTNVOL08REMOVEFOLDERSTRUCTURE, kRightBlockBottomRight},
    {IDC_RDOVOL08ATTACHMAINFOLDERWITHOUTFILES, kRightBlockBottom},
    {IDC_RDOVOL08ATTACHSUBFOLDERSONLYWITHOUTFILES, kRightBlockBottom},
    {IDC_RDOVOL08ATTACHMAINFOLDERWITHFILES, kRightBlockBottom},
    {IDC_RDOVOL08ATTACHSUBFOLDERSONLYWITHFILES, kRightBlockBottom},
    {IDC_BTNVOL08FILESELECTION, kRightBlockBottomLeft},
    {IDC_LBLVOL08STATUS, kRightBlockBottomLeft},
    {IDC_LBLVOL08FILETYPESALLSELECTED, kRightBlockBottom},
    {IDC_CHKVOL08SHOWDETAILEDRESULTS, kRightBlockBottomLeft},
    // Statistics at the bottom left, the command buttons at the bottom right.
    {IDC_GRPVOL08STATISTICS, ui::kGrowWideAtBottom},
    {IDC_LBLVOL08TOTAL, ui::kStayLeftBottom},
    {IDC_LBLVOL08RESULTS, ui::kStayLeftBottom},
    {IDC_LBLVOL08SUBFOLDERSCOLUMN, ui::kStayLeftBottom},
    {IDC_LBLVOL08FILESCOLUMN, ui::kStayLeftBottom},
    {IDC_LBLVOL08FILESIZECOLUMN, ui::kStayLeftBottom},
    {IDC_LBLVOL08TOCOPYCIMKE, ui::kStayLeftBottom},
    {IDC_LBLVOL08SUBFOLDERSTOCOPY, ui::kStayLeftBottom},
    {IDC_LBLVOL08FILESTOCOPY, ui::kStayLeftBottom},
    {IDC_LBLVOL08FILESIZETOCOPY, ui::kStayLeftBottom},
    {IDC_LBLVOL08COPIEDCIMKE, ui::kStayLeftBottom},
    {IDC_LBLVOL08SUBFOLDERSCOPIED, ui::kStayLeftBottom},
    {IDC_LBLVOL08FILESCOPIED, ui::kStayLeftBottom},
    {IDC_LBLVOL08FILESIZECOPIED, ui::kStayLeftBottom},
    {IDC_LBLVOL08ALREADYEXISTSCIMKE, ui::kStayLeftBottom},
    {IDC_LBLVOL08SUBFOLDERSEXISTS, ui::kStayLeftBottom},
    {IDC_LBLVOL08FILESEXISTS, ui::kStayLeftBottom},
    {IDC_LBLVOL08FILESIZEEXISTS, ui::kStayLeftBottom},
    {IDC_LBLVOL08FOLDERSTOCOPYCIMKE, ui::kStayLeftBottom},
    {IDC_LBLVOL08FOLDERSCOLUMN, ui::kStayLeftBottom},
    {IDC_LBLVOL08FOLDERSEXISTSCIMKE, ui::kStayLeftBottom},
    {IDC_LBLVOL08NOTEXISTSCIMKE, ui::kStayLeftBottom},
    {IDC_LBLVOL08FOLDERSTOCOPY, ui::kStayLeftBottom},
    {IDC_LBLVOL08FOLDERSCOPIED, ui::kStayLeftBottom},
    {IDC_LBLVOL08FOLDERSNOTEXISTS, ui::kStayLeftBottom},
    {IDC_BTNVOL08COPYFOLDERS, ui::kStayRightBottom},
    {IDC_BTNVOL08COPYFOLDERSSIMULATION, ui::kStayRightBottom},
    {IDC_BTNVOL08UNDO, ui::kStayRightBottom},
    {IDC_BTNVOL08CLEARALL, ui::kStayRightBottom},
    {IDC_BTNVOL08STATISTICS, ui::kStayRightBottom},
    {IDC_BTNVOL08EXAMPLES, ui::kStayRightBottom},
    {IDC_BTNVOL08HELP, ui::kStayRightBottom},
    {IDC_BTNVOL08LOADFROM, ui::kStayRightBottom},
    {IDC_BTNVOL08SAVETO, ui::kStayRightBottom},
    {IDC_PBVOL08PROGRESSBAR, ui::kGrowWideAtBottom},
};

} // namespace

void ApplyCopyPageLayout(ui::TabSheet& sheet) {
  const std::vector<ui::AnchorRule> rules = WithLevelBuilderAnchors(
      kCopyPageAnchors, std::size(kCopyPageAnchors),
      {IDC_GRPVOL08LEVELBUILDER, IDC_LBLVOL08DESTFOLDERNAME, IDC_CBOVOL08LEVELDESTFOLDER,
       IDC_BTNVOL08ADDDESTFOLDER, IDC_BTNVOL08VIEWDESTFOLDER, IDC_LBLVOL08LEVELNUMBER, IDC_RDOVOL08SLNFROMTO,
       IDC_EDTVOL08FROMLEVELNUMBER, IDC_UDVOL08FROMLEVELNUMBER, IDC_LBLVOL08SLNTO, IDC_EDTVOL08TOLEVELNUMBER,
       IDC_UDVOL08TOLEVELNUMBER, IDC_RDOVOL08SLNABOVE, IDC_EDTVOL08ABOVELEVELNUMBER,
       IDC_UDVOL08ABOVELEVELNUMBER, IDC_RDOVOL08SLNBELOW, IDC_EDTVOL08BELOWLEVELNUMBER,
       IDC_UDVOL08BELOWLEVELNUMBER, IDC_BTNVOL08MAKELIST, IDC_LBLVOL08SUBFOLDERFILTER,
       IDC_EDTVOL08SUBFOLDERFILTER, IDC_RDOVOL08GENLASTSUBFOLDER, IDC_RDOVOL08GENALLSUBFOLDERS},
      true);  // at the bottom of the right block, below the structures that take the height
  sheet.SetAnchors(rules.data(), rules.size());
}
