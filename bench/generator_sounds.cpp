// Sounds and rolling stock: the sound pools and the definition files.
#include "bench/generator_parts.h"

#include "common/code_page.h"
#include "common/native_path.h"
#include "common/platform.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

namespace ferwis::bench {

std::vector<Sound> Generator::make_sound_pool(const std::vector<std::string>& categories,
                                              std::size_t n, double subtitles) {
    std::vector<Sound> pool;
    for (std::size_t i = 0; i < n; ++i) {
        Sound s{categories[i % categories.size()] + "/zestaw_" + num(i / 50) + "/",
                "dzwiek_" + num(i)};
        write("sounds", s.dir + disk_name(random_, s.base, ".wav"),
              blob(random_, "RIFF\x10\x00\x00\x00WAVEfmt ", 500, 6000));
        if (random_.chance(subtitles)) {
            write("sounds", s.dir + s.base + ".txt",
                  text_file({"Napis do " + s.base, cp1250("Słychać pociąg.")}));
        }
        pool.push_back(std::move(s));
    }
    return pool;
}

void Generator::make_sounds() {
    scenery_sounds_ =
        make_sound_pool({"ptaki", "otoczenie", "stacje", "przejazdy"}, count(5000, 10), 0.4);
    stock_sounds_ = make_sound_pool({"pojazdy/spalinowe", "pojazdy/elektryczne", "pojazdy/wagony"},
                                    count(3000, 10), 0.0);
}

void Generator::make_dynamic() {
    const std::size_t definitions = count(5000, 10);
    const std::vector<std::string> makers = {"pkp", "db", cp1250("łódź"), "cd"};
    for (std::size_t i = 0; i < definitions; ++i) {
        const std::string dir = makers[i % makers.size()] + "/pojazd_" + num(i / 2) + "/";
        std::vector<std::string> beside;
        if (i % 2 == 0) {
            // The vehicle's own sounds lie beside its definition files.
            const std::size_t n = random_.between(1, 4);
            for (std::size_t k = 0; k < n; ++k) {
                std::string name =
                    (k == 3 ? "dzwieki/" : "") + std::string("wlasny_") + num(k) + ".wav";
                write("dynamic", dir + name, blob(random_, "RIFF", 200, 2000));
                beside.push_back(name);
            }
            write("dynamic", dir + "tekstura.dds", blob(random_, "DDS |", 200, 2000));
            vehicle_beside_.push_back(beside);
        } else {
            beside = vehicle_beside_.back();
        }
        const std::string name = dir + disk_name(random_, "pojazd_" + num(i), ".mmd");
        if (i % 997 == 5) {
            write("dynamic", name, "\r\n"); // skipped: shorter than four bytes
            continue;
        }
        write("dynamic", name, definition(beside));
        read_text_.insert(main_ + "dynamic/" + name);
        ++summary_["mmd_files"];
    }
}

std::string Generator::stock_sound(const std::vector<std::string>& beside) {
    const std::size_t r = random_.below(100);
    if (r < 45 && !beside.empty()) {
        return random_.pick(beside);
    }
    if (r < 88) {
        const Sound& s = random_.pick(stock_sounds_);
        return s.dir + s.base + ".wav";
    }
    return missing_name("pojazdy/", ".wav");
}

std::string Generator::definition(const std::vector<std::string>& beside) {
    std::vector<std::string> lines = {"// Definicja pojazdu", "Typ: EZT",
                                      cp1250("Masa: 45000 Długość: 21.5")};
    const std::size_t n = random_.between(3, 20);
    for (std::size_t k = 0; k < n; ++k) {
        const std::size_t r = random_.below(10);
        if (r == 0) {
            lines.push_back("// stary: " + stock_sound(beside));
        } else if (r == 1) {
            lines.push_back("sounds:\t" + stock_sound(beside) + ";" + stock_sound(beside));
        } else if (r == 2) {
            lines.push_back("a:" + stock_sound(beside) + "," + stock_sound(beside));
        } else if (r < 6) {
            lines.push_back("horn: " + stock_sound(beside) + " 1.0 80");
        } else {
            lines.push_back("Engine:  power  " + num(random_.between(100, 3000)) + " kW");
        }
    }
    return text_file(lines);
}

} // namespace ferwis::bench
