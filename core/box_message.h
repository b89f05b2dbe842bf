// The program's numbered messages. Every window keeps its boxes in one table of
// NumberedMessage rows, looked up by the window's own key; engines hand a
// composed BoxMessage back for the window that called them to show.
#pragma once
#include <cstddef>
#include <stdexcept>
#include <string>

namespace core {

// The flags of each kind of box (icon and buttons of the message box).
constexpr unsigned kMsgPlain = 0x00;        // OK only, no icon
constexpr unsigned kMsgStop = 0x10;         // stop icon, OK
constexpr unsigned kMsgWarning = 0x30;      // warning icon, OK
constexpr unsigned kMsgInformation = 0x40;  // information icon, OK
constexpr unsigned kMsgQuestion = 0x124;    // question icon, Yes/No, No the default
constexpr int kMsgAnswerYes = 6;            // what a question returns for Yes

// The warning of every View whose path is no existing folder (a file, which
// the shell's "open" would start, or nothing at all): the shell is not asked.
inline constexpr char kNotAFolderText[] =
    "The folder does not exist !\nAction : You must select an existing folder.";

// One message: the window's key, the four-digit number, the kind, the text
// ("{}" stands for the variable part) and the whole caption (nullptr where the
// window composes it from its title, see TitledCaption).
template <class Id>
struct NumberedMessage {
  Id id;
  const char* number;
  unsigned flags;
  const char* text;
  const char* caption;
};

// A window's table: its rows and the look-up by key.
template <class Id>
struct MessageTable {
  const NumberedMessage<Id>* rows;
  size_t count;

  const NumberedMessage<Id>* begin() const { return rows; }
  const NumberedMessage<Id>* end() const { return rows + count; }
  const NumberedMessage<Id>& operator[](Id id) const {
    for (const NumberedMessage<Id>& m : *this)
      if (m.id == id) return m;
    throw std::logic_error("a message table lacks a message");
  }
};

template <class Id, size_t N>
constexpr MessageTable<Id> TableOf(const NumberedMessage<Id> (&rows)[N]) {
  return {rows, N};
}

// A box ready to show.
struct BoxMessage {
  std::string number;
  std::string text;
  std::string caption;
  unsigned flags = kMsgPlain;
};

// The text with its "{}" replaced by arg.
inline std::string MessageText(const char* text, const std::string& arg = std::string()) {
  std::string out = text;
  const size_t at = out.find("{}");
  if (at != std::string::npos) out.replace(at, 2, arg);
  return out;
}

// A caption of the usual form: the title, twelve blanks, the kind word
// ("Warning", "Information"), " no: ", the number and a full stop.
inline std::string TitledCaption(const std::string& title, const char* kind, const char* number) {
  return title + "            " + kind + " no: " + number + ".";
}

// The row composed: text with arg, the row's caption (or `caption` when the
// row leaves it to the window).
template <class Id>
BoxMessage Compose(const NumberedMessage<Id>& m, const std::string& arg = std::string(),
                   const std::string& caption = std::string()) {
  return {m.number, MessageText(m.text, arg), m.caption ? std::string(m.caption) : caption, m.flags};
}

// The messages of the window-free engines.
enum class CoreMsg { SettingsSaveFailed, UnpairedMarks };
extern const MessageTable<CoreMsg> kCoreMessages;

} // namespace core
