// The overview of the program, shown from the Help menu.
#include "examples/help_windows.h"

namespace {
const char* const kOverView[] = {
    "Vextil - creating and handling many folders at once.",
    " ",
    "Vextil creates folders in bulk and prepares batch jobs over existing",
    "folders, with previews, simulations, undo and a detailed results log.",
    " ",
    "Creating folders:",
    "  - Generating folders from a list of strings under one destination",
    "    folder, with prefix, suffix and hyphens.",
    "  - Generating folders from a list of folders (full paths on any drives),",
    "    with prefix, suffix and hyphens framing the last folder name.",
    "  - Generating folders from increased numbers (a start and an end",
    "    number), with prefix, suffix, hyphens and padded zeroes.",
    "  - Creating folders manually: full paths typed by hand with all their",
    "    missing levels, or a subfolder structure under a chosen folder.",
    "  - Copying subfolder structures into each created folder, with or",
    "    without their files.",
    " ",
    "The level of folder structure is limited only by a number of characters and can be max 256.",
    " ",
    "Working on lists of existing folders:",
    "  - Copying folder structures into every folder of a list.",
    "  - Deleting folders, their structures or selected files.",
    "  - Renaming the last folder of every path of a list.",
    " ",
    "Lists are filled by typing, by importing text files, by the subfolder",
    "level builder or in an editor, and are exported to text files.",
    " ",
    "Safety:",
    "  - Simulation shows a complete run without touching the disk.",
    "  - Undo of a creation run deletes only what that run created and is",
    "    still unchanged, and removes folders only when they are empty.",
    "  - Existing folders and files are never overwritten.",
    "  - A structure is never copied into itself, and linked folders are",
    "    never entered.",
    "  - Typed paths and names are checked (drive letter, illegal characters,",
    "    length) before anything is created.",
    " ",
    "Each page has its own Help (\"?\") and Examples buttons.",
    "The settings are kept in the file default.set in the start-up folder.",
    nullptr};
} // namespace

const HelpText kOverViewText[] = {kOverView, nullptr};
