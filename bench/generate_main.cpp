// ferwis-generate: writes a synthetic installation for the benchmark.
#include "bench/generator.h"
#include "common/code_page.h"

#include <exception>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    ferwis::bench::GeneratorOptions options;
    bool have_dir = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--size" && i + 1 < argc) {
            const auto size = ferwis::bench::parse_size(argv[++i]);
            if (!size) {
                std::cerr << "ferwis-generate: unknown size " << argv[i] << '\n';
                return 2;
            }
            options.size = *size;
        } else if (arg == "--seed" && i + 1 < argc) {
            options.seed = std::stoull(argv[++i]);
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
        std::cerr << "usage: ferwis-generate [--size tiny|small|medium|large] [--seed N] DIR\n";
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
