#pragma once
// The result list List1: filling it with a category's paths and putting its
// selected entries on the clipboard.

#include <QListWidget>

#include <string>
#include <vector>

namespace ferwis {

// Replaces the entries of list with paths (Windows-1250), in the given order.
// Emptying and filling the list is no selection by the user: the clipboard is
// left alone meanwhile.
void fill_result_list(QListWidget& list, const std::vector<std::string>& paths);

// The selected entries of list (Windows-1250), in list order, whatever the
// order in which they were selected.
std::vector<std::string> selected_entries(const QListWidget& list);

// Puts the selected entries on the clipboard, one per line (CR LF between them);
// the empty text when nothing is selected.
void copy_selection(const QListWidget& list);

} // namespace ferwis
