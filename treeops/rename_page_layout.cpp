#include "treeops/rename_page_layout.h"

#include "create/creation_page_layout.h"
#include "forms/tabFoldersRename01.h"
#include "treeops/level_builder_layout.h"

#include <iterator>

namespace {

using namespace creation_layout;

// The renaming fields keep to the top of the right block; their edits take its growth.
constexpr ui::Anchors kRightTopGrows{60, 0, 100, 0};
constexpr ui::Anchors kRightTopLeft{60, 0, 60, 0};

const ui::AnchorRule kRenamePageAnchors[] = {
    {IDC_GRPVOL06MAIN, kLeftGrowsAll},
    {IDC_GRPVOL06LISTMETHODS, kLeftGrowsWide},
    {IDC_BTNVOL06SUBFOLDERLEVELLISTBUILDER, kAtLeftEdge},
    {IDC_BTNVOL06SMARTIMPORT, kAtLeftEdge},
    {IDC_BTNVOL06ADDFOLDERTOLIST, kAtLeftEdge},
    {IDC_LBLVOL06INCLUDEFOLDERLIST, ui::kStayLeftTop},
    {IDC_LSTVOL06INCLUDEFOLDERLIST, kIncludeList},
    {IDC_LBLVOL06EXCLUDEFOLDERLIST, kAtMiddle},
    {IDC_LSTVOL06EXCLUDEFOLDERLIST, kExcludeList},
    {IDC_BTNVOL06INCTOEXC, kAtMiddle},
    {IDC_BTNVOL06EXCTOINC, kAtMiddle},
    {IDC_BTNVOL06ALLFROMINC, kAtMiddle},
    {IDC_BTNVOL06ALLFROMEXC, kAtMiddle},
    {IDC_BTNVOL06EXCHANGEINCTOEXC, kAtMiddle},
    {IDC_LBLVOL06INCLUDESUMCIM, kUnderIncludeList},
    {IDC_LBLVOL06INCLUDESUM, kUnderIncludeList},
    {IDC_LBLVOL06EXCLUDESUMCIM, kUnderExcludeList},
    {IDC_LBLVOL06EXCLUDESUM, kUnderExcludeList},
    {IDC_BTNVOL06SMARTEXPORT, kUnderIncludeList},
    {IDC_BTNVOL06EDITINCLUDEWINDOW, kUnderIncludeList},
    {IDC_BTNVOL06INCLUDEFOLDERLIST, kUnderIncludeList},
    {IDC_BTNVOL06DELETEFROMEXCLUDELIST, kUnderExcludeList},
    {IDC_BTNVOL06DELETEEXCLUDEALL, kUnderExcludeList},
    // Methods, fields, preview and the results choice on the right.
    {IDC_GRPVOL06RENAMEMETHODS, kRightTopGrows},
    {IDC_RDOVOL06RENAMEADDPREFIXESSUFFIXES, kRightTopLeft},
    {IDC_RDOVOL06RENAMETHELASTSUBFOLDER, kRightTopLeft},
    {IDC_LBLVOL06NEWPREFIXCIMKE, kRightTopLeft},
    {IDC_EDTVOL06NEWPREFIX, kRightTopGrows},
    {IDC_LBLVOL06DELIMITERPREFIXSUBFOLDERCIMKE, kRightTopLeft},
    {IDC_EDTVOL06DELIMITERPREFIXSUBFOLDER, kRightTopGrows},
    {IDC_LBLVOL06DELIMITERSUBFOLDERSUFFIXCIMKE, kRightTopLeft},
    {IDC_EDTVOL06DELIMITERSUBFOLDERSUFFIX, kRightTopGrows},
    {IDC_LBLVOL06NEWSUFFIXCIMKE, kRightTopLeft},
    {IDC_EDTVOL06NEWSUFFIX, kRightTopGrows},
    {IDC_LBLVOL06RENAMENEWLASTSUBFOLDER, kRightTopLeft},
    {IDC_EDTVOL06RENAMENEWLASTSUBFOLDER, kRightTopGrows},
    {IDC_GRPVOL06PREVIEW, kRightTopGrows},
    {IDC_LBLVOL06STARTFOLDERCIMKE, kRightTopLeft},
    {IDC_LBLVOL06STARTFOLDER, kRightTopGrows},
    {IDC_LBLVOL06ENDFOLDERCIMKE, kRightTopLeft},
    {IDC_LBLVOL06ENDFOLDER, kRightTopGrows},
    {IDC_CHKVOL06SHOWDETAILEDRESULTS, kRightTopLeft},
    // Statistics at the bottom left, the command buttons at the bottom right.
    {IDC_GRPVOL06STATISTICS, ui::kGrowWideAtBottom},
    {IDC_LBLVOL06TOTALFOLDERSCIMKE, ui::kStayLeftBottom},
    {IDC_LBLVOL06FOLDERSTORENAMECIMKE, ui::kStayLeftBottom},
    {IDC_LBLVOL06FOLDERSRENAMEDCIMKE, ui::kStayLeftBottom},
    {IDC_LBLVOL06FOLDERSSOURCENOTEXISTSCIMKE, ui::kStayLeftBottom},
    {IDC_LBLVOL06FOLDERSDESTINATIONEXISTSCIMKE, ui::kStayLeftBottom},
    {IDC_LBLVOL06FOLDERSOTHERREASONSCIMKE, ui::kStayLeftBottom},
    {IDC_LBLVOL06FOLDERSTORENAME, ui::kStayLeftBottom},
    {IDC_LBLVOL06FOLDERSRENAMED, ui::kStayLeftBottom},
    {IDC_LBLVOL06FOLDERSSOURCENOTEXISTS, ui::kStayLeftBottom},
    {IDC_LBLVOL06FOLDERSDESTINATIONEXISTS, ui::kStayLeftBottom},
    {IDC_LBLVOL06FOLDERSOTHERREASONS, ui::kStayLeftBottom},
    {IDC_BTNVOL06RENAMEFOLDERS, ui::kStayRightBottom},
    {IDC_BTNVOL06RENAMEFOLDERSSIMULATION, ui::kStayRightBottom},
    {IDC_BTNVOL06UNDO, ui::kStayRightBottom},
    {IDC_BTNVOL06CLEARALL, ui::kStayRightBottom},
    {IDC_BTNVOL06STATISTICS, ui::kStayRightBottom},
    {IDC_BTNVOL06EXAMPLES, ui::kStayRightBottom},
    {IDC_BTNVOL06HELP, ui::kStayRightBottom},
    {IDC_BTNVOL06LOADFROM, ui::kStayRightBottom},
    {IDC_BTNVOL06SAVETO, ui::kStayRightBottom},
    {IDC_PBVOL06PROGRESSBAR, ui::kGrowWideAtBottom},
};

} // namespace

void ApplyRenamePageLayout(ui::TabSheet& sheet, ui::Label& startFolder, ui::Label& endFolder) {
  const std::vector<ui::AnchorRule> rules = WithLevelBuilderAnchors(
      kRenamePageAnchors, std::size(kRenamePageAnchors),
      {IDC_GRPVOL06LEVELBUILDER, IDC_LBLVOL06DESTFOLDERNAME, IDC_CBOVOL06LEVELDESTFOLDER,
       IDC_BTNVOL06ADDDESTFOLDER, IDC_BTNVOL06VIEWDESTFOLDER, IDC_LBLVOL06LEVELNUMBER, IDC_RDOVOL06SLNFROMTO,
       IDC_EDTVOL06FROMLEVELNUMBER, IDC_UDVOL06FROMLEVELNUMBER, IDC_LBLVOL06SLNTO, IDC_EDTVOL06TOLEVELNUMBER,
       IDC_UDVOL06TOLEVELNUMBER, IDC_RDOVOL06SLNABOVE, IDC_EDTVOL06ABOVELEVELNUMBER,
       IDC_UDVOL06ABOVELEVELNUMBER, IDC_RDOVOL06SLNBELOW, IDC_EDTVOL06BELOWLEVELNUMBER,
       IDC_UDVOL06BELOWLEVELNUMBER, IDC_BTNVOL06MAKELIST, IDC_LBLVOL06SUBFOLDERFILTER,
       IDC_EDTVOL06SUBFOLDERFILTER, IDC_RDOVOL06GENLASTSUBFOLDER, IDC_RDOVOL06GENALLSUBFOLDERS},
      true);  // at the bottom of the right block, level with the lists' group
  sheet.SetAnchors(rules.data(), rules.size());
  startFolder.SetPathEllipsis(true);
  endFolder.SetPathEllipsis(true);
}
