// The one protocol by which a list page takes the smart import window's result:
// show the window modally; an empty result is the page's warning whatever
// closed the window; only OK copies, each item (refused whole when it holds a
// character of codes 0-31, else cut at drive starts where the
// page asks for it) trimmed, once, when neither page list holds it and the
// page's rule accepts it. What the rule refuses is named, with its reason, in
// the page's one closing box; a refusal that stops the road (the page's own
// box shown) leaves the items after it unread, and the closing box names them.
#pragma once
#include "listwin/list_page.h"

// Returns the number of entries added to the page's include list.
int SmartImportToPage(const ListPageDescription& page);

// The same protocol for any window that hands a list back: an empty list is
// warned about under caption whatever closed the window, only ok copies.
int HandBackToPage(const ListPageDescription& page, bool ok, const std::vector<std::string>& items,
                   const std::string& emptyCaption, ListRoad road);

// The subfolder list builder's hand-back (its entries are whole paths: never
// cut at drive starts).
int SubFolderListBuilderToPage(const ListPageDescription& page);
