// ferwis-generate: writes a synthetic installation for the benchmark.
#include "bench/generator.h"
#include "common/code_page.h"
#include "common/platform.h"

#include <exception>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    "usage: ferwis-generate [--size tiny|small|medium|large|huge] [--seed N] DIR\n";

} // namespace

int main(int argc, char** argv) {
    ferwis::bench::GeneratorOptions options;
    bool have_dir = false;
    const std::vector<std::string> args = ferwis::platform::utf8_arguments(argc, argv);
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            // Asked for, the usage is an answer, not an error.
            std::cout << kUsage;
            return 0;
        }
        if (arg == "--size" && i + 1 < args.size()) {
            const auto size = ferwis::bench::parse_size(args[++i]);
            if (!size) {
                std::cerr << "ferwis-generate: unknown size " << args[i] << '\n';
                return 2;
            }
            options.size = *size;
        } else if (arg == "--seed" && i + 1 < args.size()) {
            // A seed that is not a whole number is a usage error, not a crash.
            const std::string& seed = args[++i];
            std::size_t used = 0;
            try {
                options.seed = std::stoull(seed, &used);
            } catch (const std::exception&) {
                used = 0;
            }
            if (used == 0 || used != seed.size()) {
                std::cerr << "ferwis-generate: not a seed: " << seed << '\n';
                return 2;
            }
        } else if (!have_dir && !arg.empty() && arg[0] != '-') {
            options.out_dir = ferwis::utf8_to_cp1250(arg);
            if (options.out_dir.back() != '/') {
                options.out_dir += '/';
            }
            have_dir = true;
        } else {
            have_dir = false;
            break;
        }
    }
    if (!have_dir) {
        std::cerr << kUsage;
        return 2;
    }
    try {
        for (const auto& [name, value] : ferwis::bench::generate_installation(options)) {
            std::cout << name << ' ' << value << '\n';
        }
    } catch (const std::exception& e) {
        std::cerr << "ferwis-generate: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
