#include "results/file_operations.h"

#include "common/code_page.h"

namespace ferwis {

const std::string& operation_status(Operation operation) {
    static const std::string kCopy = cp1250("Trwa kopiowanie plików...");
    static const std::string kMove = cp1250("Trwa przenoszenie plików...");
    static const std::string kDelete = cp1250("Trwa usuwanie plików...");
    switch (operation) {
    case Operation::Copy:
        return kCopy;
    case Operation::Move:
        return kMove;
    case Operation::Delete:
        break;
    }
    return kDelete;
}

// Placeholders until the file operations land.
OperationResult execute_operation(const AppState&, Operation, ResultCode, std::string_view,
                                  Progress&, Messages&) {
    return {};
}

CategoryFootprint measure_category(const AppState&, ResultCode, std::string_view) {
    return {};
}

} // namespace ferwis
