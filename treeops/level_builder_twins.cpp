#include "treeops/level_builder_twins.h"

using core::kMsgWarning;

namespace {

#define B12 "            "
#define B13 "             "
#define EMPTY "The selection field is empty !\nAction : You must select a destination folder."
#define NO_RESULTS \
  "There are no matching results for subfolder selection !\nAction : You must select a proper Subfolder level, " \
  "or a filter."
#define NO_DRIVE "There is no drive letter !\n"
// Only an existing folder is opened by View.
#define NOT_A_FOLDER core::kNotAFolderText

#define R "Rename Folders - From a Folder List - Level."
const core::NumberedMessage<LevelMsg> kRenameRows[] = {
    {LevelMsg::RootEmpty, "0321", kMsgWarning, EMPTY, R B12 "Warning no: 0321."},
    {LevelMsg::ViewEmpty, "0322", kMsgWarning, EMPTY, R B12 "Warning no: 0322."},
    {LevelMsg::BuildEmpty, "0323", kMsgWarning, EMPTY, R B12 "Warning no: 0323."},
    {LevelMsg::NoResults, "0325", kMsgWarning, NO_RESULTS, R B12 "Warning no: 0325."},
    {LevelMsg::NoDrive, "0326", kMsgWarning, NO_DRIVE, "Rename Folders -From a Folder List - Level." B13 "Warning no: 0326."},
    {LevelMsg::NotAFolder, "0691", kMsgWarning, NOT_A_FOLDER, R B12 "Warning no: 0691."},
};
#undef R

#define D "Delete Folder(s).-From a Folder List."
const core::NumberedMessage<LevelMsg> kDeleteRows[] = {
    {LevelMsg::RootEmpty, "0314", kMsgWarning, EMPTY, "Delete Folder(s).- From a Folder List." B12 "Warning no: 0314."},
    {LevelMsg::ViewEmpty, "0315", kMsgWarning, EMPTY, D B12 "Warning no: 0315."},
    {LevelMsg::BuildEmpty, "0316", kMsgWarning, EMPTY, D B12 "Warning no: 0316."},
    {LevelMsg::NoResults, "0318", kMsgWarning, NO_RESULTS, "Delete Folder(s).-From a Folder List - Level." B12 "Warning no: 0318."},
    {LevelMsg::NoDrive, "0319", kMsgWarning, NO_DRIVE, D B13 "Warning no: 0319."},
    {LevelMsg::WholeDisk, "0335", kMsgWarning, "The Entire disk can't be Deleted !\n", D B13 "Warning no: 0335."},
    {LevelMsg::NotAFolder, "0692", kMsgWarning, NOT_A_FOLDER, D B12 "Warning no: 0692."},
};
#undef D

#define C "Copy Folder Structure(s).-From a Folder List - Level."
const core::NumberedMessage<LevelMsg> kCopyRows[] = {
    {LevelMsg::RootEmpty, "0253", kMsgWarning, EMPTY, C B12 "Warning no: 0253."},
    {LevelMsg::ViewEmpty, "0254", kMsgWarning, EMPTY, C B12 "Warning no: 0254."},
    {LevelMsg::BuildEmpty, "0255", kMsgWarning, EMPTY, C B12 "Warning no: 0255."},
    {LevelMsg::NoResults, "0310", kMsgWarning, NO_RESULTS, C B12 "Warning no: 0310."},
    {LevelMsg::NoDrive, "0257", kMsgWarning, NO_DRIVE, C B13 "Warning no: 0257."},
    {LevelMsg::NotAFolder, "0693", kMsgWarning, NOT_A_FOLDER, C B12 "Warning no: 0693."},
};
#undef C

} // namespace

const core::MessageTable<LevelMsg> kRenameLevelMessages = core::TableOf(kRenameRows);
const core::MessageTable<LevelMsg> kDeleteLevelMessages = core::TableOf(kDeleteRows);
const core::MessageTable<LevelMsg> kCopyLevelMessages = core::TableOf(kCopyRows);
