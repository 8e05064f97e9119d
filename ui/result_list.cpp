#include "ui/result_list.h"

#include "results/read_category.h"
#include "ui/ui_text.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QSignalBlocker>
#include <QStringList>

namespace ferwis {
namespace {

// Each entry keeps the bytes it was made from, so that a path with characters
// the widget shows differently still reaches the clipboard as stored.
constexpr int kBytesRole = Qt::UserRole;

} // namespace

void fill_result_list(QListWidget& list, const std::vector<std::string>& paths) {
    const QSignalBlocker quiet(list);
    list.clear();
    for (const auto& path : paths) {
        auto* item = new QListWidgetItem(to_qstring(path));
        item->setData(kBytesRole, QByteArray(path.data(), static_cast<qsizetype>(path.size())));
        list.addItem(item);
    }
}

std::vector<std::string> selected_entries(const QListWidget& list) {
    std::vector<std::string> entries;
    for (int i = 0; i < list.count(); ++i) {
        const QListWidgetItem* item = list.item(i);
        if (item->isSelected()) {
            entries.push_back(item->data(kBytesRole).toByteArray().toStdString());
        }
    }
    return entries;
}

void copy_selection(const QListWidget& list) {
    QGuiApplication::clipboard()->setText(to_qstring(clipboard_text(selected_entries(list))));
}

} // namespace ferwis
