#include "ui/result_list.h"

#include "common/catalogue.h"
#include "common/code_page.h"
#include "results/likely_matches.h"
#include "results/read_category.h"
#include "results/result_provenance.h"
#include "ui/widget_helpers.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QSignalBlocker>
#include <QStringList>

#include <memory>
#include <optional>

namespace ferwis {
namespace {

// Each entry keeps the bytes it was made from, so that a path with characters
// the widget shows differently still reaches the clipboard as stored.
constexpr int kBytesRole = Qt::UserRole;

std::string entry_bytes(const QListWidgetItem& item) {
    return item.data(kBytesRole).toByteArray().toStdString();
}

// The provenance of the result the list shows, a child of the list: it goes
// with the list, or with the next filling of it.
class ListProvenance : public QObject {
public:
    ListProvenance(QListWidget& list, ResultProvenance shown, std::string_view main_dir,
                   Messages& to)
        : QObject(&list), provenance(std::move(shown)), messages(to), main_dir_(main_dir) {
        setObjectName(QStringLiteral("provenance"));
    }

    // The likely matches of a missing file; the indexes are built when the
    // first is asked for, so a list of found files never needs them.
    std::vector<LikelyMatch> matches(std::string_view missing) {
        if (!likely_) {
            likely_.emplace(likely_matches_of(main_dir_, provenance));
        }
        return likely_->find(missing);
    }

    // The record's chain, and a missing file's likely matches under it.
    std::string chain_and_matches(std::size_t row) {
        const ResultRecord& record = provenance.record(row);
        return chain_text(provenance, row) +
               (names_missing_file(record) ? matches_text(matches(record.path)) : "");
    }

    ResultProvenance provenance;
    Messages& messages;

private:
    std::string main_dir_;
    std::optional<LikelyMatches> likely_;
};

ListProvenance* provenance_of(const QListWidget& list) {
    return list.findChild<ListProvenance*>(QStringLiteral("provenance"),
                                           Qt::FindDirectChildrenOnly);
}

void forget_provenance(QListWidget& list) {
    if (ListProvenance* old = provenance_of(list)) {
        old->setParent(nullptr);
        delete old;
        list.setContextMenuPolicy(Qt::DefaultContextMenu);
    }
}

} // namespace

void fill_result_list(QListWidget& list, const std::vector<std::string>& paths) {
    const QSignalBlocker quiet(list);
    forget_provenance(list);
    list.clear();
    for (const auto& path : paths) {
        auto* item = new QListWidgetItem(to_qstring(path));
        item->setData(kBytesRole, QByteArray(path.data(), static_cast<qsizetype>(path.size())));
        list.addItem(item);
    }
}

void show_provenance(QListWidget& list, std::string_view result_path, std::string_view main_dir,
                     Messages& messages) {
    forget_provenance(list);
    auto provenance = ResultProvenance::load(result_path);
    if (!provenance) {
        return;
    }
    // The menu goes with the provenance: deleting it ends the connection.
    auto* shown = new ListProvenance(list, std::move(*provenance), main_dir, messages);
    for (int i = 0; i < list.count(); ++i) {
        QListWidgetItem* item = list.item(i);
        const auto row = shown->provenance.find(entry_bytes(*item));
        const SourcePlace* place = row ? shown->provenance.place(*row) : nullptr;
        if (place == nullptr) {
            continue;
        }
        std::string tip = place_text(*place);
        const ResultRecord& record = shown->provenance.record(*row);
        if (names_missing_file(record)) {
            const auto matches = shown->matches(record.path);
            // The first match only, without the indent of the list of all.
            tip += "\n" + (matches.empty() ? text(Text::NoLikelyMatch)
                                           : match_line(matches.front()).substr(2));
        }
        item->setToolTip(to_qstring(tip));
    }
    list.setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(&list, &QWidget::customContextMenuRequested, shown, [&list](QPoint at) {
        const std::unique_ptr<QMenu> menu(provenance_menu(list, at));
        if (menu) {
            menu->exec(list.viewport()->mapToGlobal(at));
        }
    });
}

QMenu* provenance_menu(QListWidget& list, const QPoint& at) {
    ListProvenance* shown = provenance_of(list);
    const QListWidgetItem* item = list.itemAt(at);
    if (shown == nullptr || item == nullptr) {
        return nullptr;
    }
    const auto row = shown->provenance.find(entry_bytes(*item));
    auto* menu = new QMenu(&list);
    QAction* action = menu->addAction(QStringLiteral("Pokaż pochodzenie"));
    action->setEnabled(row && shown->provenance.place(*row) != nullptr);
    QObject::connect(action, &QAction::triggered, menu, [shown, row] {
        shown->messages.show_titled(cp1250("Pochodzenie pliku"), shown->chain_and_matches(*row));
    });
    return menu;
}

std::vector<std::string> selected_entries(const QListWidget& list) {
    std::vector<std::string> entries;
    for (int i = 0; i < list.count(); ++i) {
        const QListWidgetItem* item = list.item(i);
        if (item->isSelected()) {
            entries.push_back(entry_bytes(*item));
        }
    }
    return entries;
}

void copy_selection(const QListWidget& list) {
    QGuiApplication::clipboard()->setText(to_qstring(clipboard_text(selected_entries(list))));
}

} // namespace ferwis
