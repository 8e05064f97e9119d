#pragma once
// A simulator main directory sim/, a copy/move folder kopia/ and wynik.txt in
// one temporary tree, for the file operations. A test that includes this links
// ferwis_results.

#include "common/native_path.h"
#include "format/result_record.h"
#include "results/file_operations.h"
#include "support/doubles.h"
#include "support/temp_tree.h"

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace ferwis::test {

struct OperationInstallation {
    OperationInstallation() {
        state.main_dir = tree.path("sim/");
        state.copy_move_path = tree.path("kopia/");
        tree.mkdir("sim/");
        tree.mkdir("kopia/");
    }
    // Writes wynik.txt with a record for each (path, code).
    void records(const std::vector<std::pair<std::string, std::string>>& path_and_code) const {
        std::string bytes;
        for (const auto& [path, code] : path_and_code) {
            append_record(bytes, path, code);
        }
        tree.write("wynik.txt", bytes);
    }
    // Writes wynik.txt with a record of code for each path.
    void records_with_code(const std::vector<std::string>& paths,
                           const std::string& code = "U") const {
        std::vector<std::pair<std::string, std::string>> coded;
        for (const auto& path : paths) {
            coded.emplace_back(path, code);
        }
        records(coded);
    }
    // Makes a link at at (below the tree) to target (below the tree).
    void link(const std::string& target, const std::string& at) const {
        std::filesystem::create_symlink(to_native(tree.path(target)), to_native(tree.path(at)));
    }
    OperationSummary run(Operation operation, ResultCode code = ResultCode::U) {
        const OperationRequest request{operation, code, DeleteMode::Permanent, false};
        return execute_operation(state, request, result_path(), progress);
    }
    std::string result_path() const { return tree.path("wynik.txt"); }
    std::string main(const std::string& relative) const { return state.main_dir + relative; }

    TempTree tree;
    OperationSettings state;
    SilentProgress progress;
};

} // namespace ferwis::test
