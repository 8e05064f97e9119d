#pragma once
// The result list List1: filling it with a category's paths and putting its
// selected entries on the clipboard.

#include "common/messages.h"

#include <QListWidget>
#include <QMenu>

#include <string>
#include <string_view>
#include <vector>

namespace ferwis {

// Replaces the entries of list with paths (Windows-1250), in the given order.
// Emptying and filling the list is no selection by the user: the clipboard is
// left alone meanwhile. The list's provenance, if any, goes with its entries.
void fill_result_list(QListWidget& list, const std::vector<std::string>& paths);

// When the result file has valid provenance: each entry of list that has a
// place shows it as its tooltip, a missing file (B, BD) with its first likely
// match under the simulator main directory main_dir, and the list's context
// menu offers "Pokaż pochodzenie", which shows the entry's whole chain, and a
// missing file's likely matches, through messages. Without valid provenance
// the list stays as it is.
void show_provenance(QListWidget& list, std::string_view result_path, std::string_view main_dir,
                     Messages& messages);

// The context menu of the entry at a point of the list's viewport; nothing
// when the list shows no provenance or there is no entry there.
QMenu* provenance_menu(QListWidget& list, const QPoint& at);

// The selected entries of list (Windows-1250), in list order, whatever the
// order in which they were selected.
std::vector<std::string> selected_entries(const QListWidget& list);

// Puts the selected entries on the clipboard, one per line (CR LF between them);
// the empty text when nothing is selected.
void copy_selection(const QListWidget& list);

} // namespace ferwis
