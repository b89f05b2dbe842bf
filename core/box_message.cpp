#include "core/box_message.h"

namespace core {

namespace {

const NumberedMessage<CoreMsg> kRows[] = {
    {CoreMsg::SettingsSaveFailed, "0130", kMsgStop,
     "Unable to open output file to save settings !\n\nAction: Try to save again the settings, or "
     "\n\nimmediately e-mail us, please!",
     "Severe Error!    Msg no: 0130."},
    {CoreMsg::UnpairedMarks, "0519", kMsgWarning,
     "Odd number of marks(separators) : {}\n\nAction : You must enter an even number of separators(marks).",
     "Warning !    Msg no: 0519."},
};

} // namespace

const MessageTable<CoreMsg> kCoreMessages = TableOf(kRows);

} // namespace core
