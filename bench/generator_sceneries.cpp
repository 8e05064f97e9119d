// Sceneries: the selected ones, their includes, nodes, tracks and trainsets.
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

std::string Generator::model_reference(std::size_t index) {
    const Model& m = models_[index];
    std::string ext = random_.chance(0.7) ? ".t3d" : ".e3d";
    if (random_.chance(0.05)) {
        ext = upper(ext);
    }
    return written(random_, m.dir + m.base + ext);
}

std::string Generator::placed_model(std::vector<std::size_t>& reached_models) {
    if (random_.chance(0.03)) {
        return missing_name("brak/", ".t3d");
    }
    const std::size_t index = random_.pick(used_models_);
    reached_models.push_back(index);
    return model_reference(index);
}

void Generator::read_model(std::size_t index) {
    const Model& m = models_[index];
    if (m.binary) {
        read_binary_.insert(main_ + "models/" + m.dir + m.binary_name);
    } else {
        read_text_.insert(main_ + "models/" + m.dir + m.text_name);
    }
}

void Generator::reach(std::vector<IncludeFile>& files, std::size_t index) {
    if (files[index].reached) {
        return;
    }
    files[index].reached = true;
    read_text_.insert(main_ + "scenery/" + files[index].name);
    for (std::size_t m : files[index].models) {
        read_model(m);
    }
    for (std::size_t i : files[index].includes) {
        reach(files, i);
    }
}

std::string Generator::scenery_texture(const std::vector<Texture>& local) {
    const std::size_t r = random_.below(100);
    if (r < 45) {
        return written(random_, random_.pick(terrain_textures_).reference(random_));
    }
    if (r < 65 && !local.empty()) {
        return random_.pick(local).local_reference(random_);
    }
    if (r < 90) {
        return written(random_, random_.pick(shared_textures_).reference(random_));
    }
    if (r < 96) {
        return "none";
    }
    return missing_name("teren_brak/", random_.chance(0.5) ? ".dds" : "");
}

std::string Generator::model_node(const std::string& model, const std::string& texture) {
    const std::string separator = random_.chance(0.03) ? "\t" : random_.chance(0.03) ? ";" : " ";
    std::string line = "node -1 0 m" + num(node_++);
    for (const std::string& token :
         {std::string("model"), coordinate(random_), coordinate(random_), coordinate(random_),
          num(random_.below(360)), model, texture}) {
        line += separator + token;
    }
    return line + " endmodel";
}

void Generator::triangles(std::vector<std::string>& lines, const std::string& texture) {
    const char* kind = random_.chance(0.2) ? "triangle_strip" : "triangles";
    if (random_.chance(0.25)) {
        lines.push_back("node 1000 0 g" + num(node_++) + " " + kind +
                        " material ambient: 0.6 0.6 0.6 diffuse: 1 1 1 endmaterial " + texture);
    } else {
        lines.push_back("node 1000 0 g" + num(node_++) + " " + kind + " " + texture);
    }
    const std::size_t verts = random_.between(1, 6) * 3;
    for (std::size_t v = 0; v < verts; ++v) {
        lines.push_back(coordinate(random_) + " " + coordinate(random_) + " " +
                        coordinate(random_) + " 0 1 0 " + num(random_.below(8)) + " " +
                        num(random_.below(8)) + (v + 1 < verts ? " end" : ""));
    }
    lines.push_back("endtri");
}

void Generator::track(std::vector<std::string>& lines, const std::vector<Texture>& local) {
    const bool hidden = random_.chance(0.1);
    lines.push_back("node 2000 0 t" + num(node_++) + " track normal 25.0 1.435 0.25 0.2 20 0 1.5 " +
                    (hidden ? (random_.chance(0.5) ? "unvis" : "novis") : "vis"));
    if (!hidden) {
        if (random_.chance(0.1)) {
            lines.push_back("");
        }
        const std::string rail = random_.chance(0.1) && !local.empty()
                                     ? random_.pick(local).local_reference(random_)
                                     : random_.pick(track_textures_).reference(random_);
        lines.push_back(written(random_, rail) + " 1.5 " +
                        random_.pick(track_textures_).reference(random_) + " 0.2");
    }
    lines.push_back(coordinate(random_) + " 0.0 " + coordinate(random_) + " 0");
    lines.push_back("0 0 0 " + coordinate(random_) + " 0.0 " + coordinate(random_) + " 0");
    lines.push_back("0.0 0.0 0.0 endtrack");
}

std::string Generator::sound_node() {
    std::string name;
    if (random_.chance(0.04)) {
        name = missing_name("otoczenie/", ".wav");
    } else {
        const Sound& s = random_.pick(scenery_sounds_);
        name = s.dir + s.base + ".wav";
    }
    return "node 300 0 d" + num(node_++) + " sound " + coordinate(random_) + " 2.0 " +
           coordinate(random_) + " " + name + " endsound";
}

void Generator::make_shared_includes() {
    const std::size_t n = count(300, 3);
    for (std::size_t i = 0; i < n; ++i) {
        shared_includes_.push_back({"wspolne/w_" + num(i) + ".inc", false, {}, {}});
    }
    for (std::size_t i = 0; i < n; ++i) {
        std::vector<std::string> lines = {"// element wspolny " + num(i)};
        std::vector<std::size_t> models;
        const std::size_t statements = random_.between(5, 30);
        for (std::size_t k = 0; k < statements; ++k) {
            const std::size_t r = random_.below(10);
            if (r < 5) {
                lines.push_back(model_node(placed_model(models), "none"));
            } else if (r < 7) {
                lines.push_back(sound_node());
            } else if (r < 9) {
                triangles(lines, scenery_texture({}));
            } else if (i + 1 < n) {
                const std::size_t child = random_.between(i + 1, n - 1);
                shared_includes_[i].includes.push_back(child);
                lines.push_back("include " + written(random_, shared_includes_[child].name) +
                                " end");
            }
        }
        shared_includes_[i].models = models;
        write("scenery", shared_includes_[i].name, text_file(lines));
    }
}

void Generator::make_parameter_includes() {
    const std::size_t n = count(400, 3);
    const std::vector<Texture> leaves =
        make_texture_pool("scenery", "obiekty/", "liscie_", count(50, 2));
    for (std::size_t i = 0; i < n; ++i) {
        IncludeFile file{"obiekty/grupa_" + num(i) + ".inc", false, {}, {}};
        std::vector<std::string> lines = {"// obiekt z parametrami"};
        const std::size_t statements = random_.between(3, 20);
        lines.push_back(model_node("(p1)", "(p2)"));
        for (std::size_t k = 0; k < statements; ++k) {
            const std::size_t r = random_.below(12);
            if (r < 3) {
                lines.push_back(model_node(placed_model(file.models), "none"));
            } else if (r < 5) {
                lines.push_back(model_node("(p1)", random_.pick(leaves).local_reference(random_)));
            } else if (r < 8) {
                triangles(lines, r == 5 ? "(p2)" : random_.pick(leaves).local_reference(random_));
            } else if (r == 8) {
                lines.push_back(sound_node());
            } else if (r == 9) {
                lines.push_back("include wspolne/w_0.inc end"); // not followed here
            } else if (r == 10) {
                lines.push_back("node 2000 0 t" + num(node_++) +
                                " track normal 25 1.435 0.2 0.2 10 0 1.5 vis");
            } else {
                lines.push_back("// " + num(k));
            }
        }
        write("scenery", file.name, text_file(lines));
        parameter_includes_.push_back(std::move(file));
    }
}

std::string Generator::parameter_include() {
    if (random_.chance(0.02)) {
        return "include obiekty/brak_" + num(random_.below(50)) + ".inc x y 1 end";
    }
    const std::size_t index = random_.below(parameter_includes_.size());
    reach(parameter_includes_, index);
    const std::size_t model = random_.pick(used_models_);
    read_model(model);
    return "include " + written(random_, parameter_includes_[index].name) + " " +
           models_[model].dir + models_[model].base + ".t3d " +
           random_.pick(terrain_textures_).reference(random_) + " " + num(random_.between(1, 9)) +
           " end";
}

void Generator::make_sceneries() {
    make_shared_includes();
    make_parameter_includes();
    const std::vector<std::string> names = {"linia_1",       cp1250("Głowno"), "Trasa_Polnocna",
                                            cp1250("Krzyż"), "wies",           cp1250("Łąka"),
                                            "gory",          "miasto"};
    const std::size_t lines_total = count(1000000, 2000);
    const std::size_t per_scenery = lines_total / sceneries_;
    const std::size_t part_budget = std::clamp<std::size_t>(per_scenery / 20, 150, 1500);
    for (std::size_t s = 0; s < sceneries_; ++s) {
        const std::string region = "obszar_" + num(s) + "/";
        const std::vector<Texture> local =
            make_texture_pool("scenery", region, "lok_", count(400.0 / 8, 3));
        std::vector<std::string> timetables;
        for (std::size_t k = 0; k < count(250, 3); ++k) {
            const std::string name = "rozklady/" + region + "r_" + num(k);
            write("scenery", disk_name(random_, name, ".txt"),
                  text_file({"Rozklad jazdy " + num(k), "Stacja  Przyjazd  Odjazd"}));
            if (random_.chance(0.3)) {
                write("scenery", name + "radio.wav", blob(random_, "RIFF", 300, 3000));
            }
            timetables.push_back(name);
        }
        std::vector<std::string> images;
        for (std::size_t k = 0; k < count(60, 2); ++k) {
            images.push_back(region + "foto_" + num(k) + ".jpg");
            write("scenery", "images/" + images.back(), blob(random_, "JFIF", 300, 5000));
        }
        std::vector<std::string> notes;
        for (std::size_t k = 0; k < count(100, 2); ++k) {
            notes.push_back("inne/opisy/obszar_" + num(s) + "_" + num(k) + ".txt");
            write("inne", notes.back().substr(5),
                  text_file({"Opis obszaru " + num(s), cp1250("Zażółć gęślą jaźń.")}));
        }

        std::vector<std::string> main = {"// Sceneria " + names[s % names.size()],
                                         "//$i " + images.front(),
                                         "//$f pl " + notes.front(),
                                         "atmo 0.5 0.5 0.7 500 2000 0 0 0 endatmo",
                                         "time 12:00 6:00 20:00 endtime",
                                         "config movelight 0 endconfig"};
        if (!sky_models_.empty()) {
            const std::size_t sky = random_.pick(sky_models_);
            read_model(sky);
            main.push_back("sky " + models_[sky].dir + models_[sky].base + ".t3d endsky");
        }
        main.push_back("include " + shared_includes_.front().name + " end");
        reach(shared_includes_, 0);
        std::size_t written_lines = main.size();
        std::size_t part = 0;
        while (written_lines < per_scenery) {
            const std::string name = region + "czesc_" + num(part++) + ".scm";
            if (random_.chance(0.02)) {
                main.push_back("include " + region + "brak_" + num(part) + ".scm end");
            }
            main.push_back("Include " + written(random_, name) + "  End");
            read_text_.insert(main_ + "scenery/" + name);
            written_lines += write_part(name, part_budget, local, timetables, images, notes) + 1;
            if (random_.chance(0.1)) {
                trainset(timetables, main);
            }
        }
        main.push_back("// koniec");
        const std::string file = names[s % names.size()] + ".scn";
        write("scenery", file, text_file(main));
        read_text_.insert(main_ + "scenery/" + file);
        summary_["scenery_lines"] += main.size();
        ++summary_["scenery_files_selected"];
    }
}

void Generator::trainset(const std::vector<std::string>& timetables,
                         std::vector<std::string>& lines) {
    const std::string name = random_.chance(0.1)    ? "none"
                             : random_.chance(0.05) ? missing_name("rozklady/", "")
                                                    : random_.pick(timetables);
    lines.push_back("trainset " + written(random_, name) + " t" + num(node_) + " 0 0");
    lines.push_back("node -1 0 v" + num(node_++) +
                    " dynamic pkp/ep07 ep07 t0 0 headdriver 0 0 1 enddynamic");
    lines.push_back("endtrainset");
}

std::size_t Generator::write_part(const std::string& name, std::size_t budget,
                                  const std::vector<Texture>& local,
                                  const std::vector<std::string>& timetables,
                                  const std::vector<std::string>& images,
                                  const std::vector<std::string>& notes) {
    std::vector<std::string> lines = {"// " + name};
    std::vector<std::size_t> models;
    while (lines.size() < budget) {
        const std::size_t r = random_.below(1000);
        if (r < 330) {
            triangles(lines, scenery_texture(local));
        } else if (r < 580) {
            track(lines, local);
        } else if (r < 860) {
            lines.push_back(model_node(placed_model(models),
                                       random_.chance(0.7) ? "none" : scenery_texture(local)));
        } else if (r < 890) {
            lines.push_back(sound_node());
        } else if (r < 915) {
            const std::size_t index = random_.below(shared_includes_.size());
            reach(shared_includes_, index);
            lines.push_back("include " + written(random_, shared_includes_[index].name) + " end");
        } else if (r < 955) {
            lines.push_back(parameter_include());
        } else if (r < 965) {
            lines.push_back("event ev" + num(node_++) + " multiple 0 none timetable:" +
                            (random_.chance(0.05) ? missing_name("rozklady/", "")
                                                  : written(random_, random_.pick(timetables))));
        } else if (r < 972) {
            trainset(timetables, lines);
        } else if (r < 975) {
            lines.push_back(
                "//$i " + (random_.chance(0.1) ? missing_name("", ".jpg") : random_.pick(images)));
        } else if (r < 978) {
            lines.push_back("//$f pl " + written(random_, random_.pick(notes)) + " opis");
        } else if (r < 990) {
            lines.push_back("// node stary " + num(r) + " model usuniety");
        } else {
            lines.push_back("lua skrypt_" + num(r) + ".lua");
        }
    }
    for (std::size_t m : models) {
        read_model(m);
    }
    write("scenery", name, text_file(lines));
    summary_["scenery_lines"] += lines.size();
    return lines.size();
}

} // namespace ferwis::bench
