#include "common/catalogue.h"
#include "common/code_page.h"
#include "common/errors.h"
#include "common/native_path.h"
#include "format/provenance_file.h"
#include "format/result_file.h"
#include "format/result_record.h"
#include "results/read_category.h"
#include "results/record_path.h"
#include "results/result_provenance.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>
#include <utility>

namespace fs = std::filesystem;

namespace ferwis {
namespace {

using Records = std::vector<std::pair<std::string, std::string>>;
using test::crlf;
using test::TempTree;

Records read_records(const test::TempTree& tree, const std::string& bytes) {
    tree.write("wynik.txt", bytes);
    RecordReader reader(tree.path("wynik.txt"));
    Records records;
    ResultRecord record;
    while (reader.next(record)) {
        records.emplace_back(record.path, record.code);
    }
    return records;
}

TEST(result_record, lines_and_fields) {
    test::TempTree tree;
    const std::pair<std::string, Records> cases[] = {
        {"", {}},
        {"\"a\",\"U\"\r\n\"b\",\"N\"\r\n", {{"a", "U"}, {"b", "N"}}},
        {"\"a\",\"U\"\n\"b\",\"N\"", {{"a", "U"}, {"b", "N"}}}, // hand-edited: LF only, no last end
        {"\"a\",\"U\"\r\"b\",\"N\"\r", {{"a", "U"}, {"b", "N"}}},
        {"\"x, y\",\"U\"\r\n", {{"x, y", "U"}}},         // a comma inside quotes
        {"  \"a\" junk, \"UD\"\r\n", {{"a", "UD"}}},     // text after the closing quote
        {" plain path , u \r\n", {{"plain path", "u"}}}, // fields without quotes
        {"\"only\"\r\n\r\n", {{"only", ""}, {"", ""}}},  // short lines give empty fields
        {"\"unclosed,U\r\n", {{"unclosed,U", ""}}},
    };
    for (const auto& [bytes, records] : cases) {
        EXPECT_EQ(read_records(tree, bytes), records) << bytes;
    }
}

// A file name may hold a double quote or a line break on POSIX. Written as it
// is, the record would read back as another path (x.dds" as x.dds, a file that
// a move or delete of the category would then touch) or as a second record.
TEST(result_record, a_path_that_would_break_its_record_cannot_name_another_file) {
    test::TempTree tree;
    const std::pair<std::string, std::string> cases[] = {
        {"/s/x.dds\"", "/s/x.dds?"},
        {"/s/a\r\n\"/s/b.dds\",\"N", "/s/a??\?/s/b.dds?,?N"},
        {"/s/a\nb", "/s/a?b"},
        {"/s/x, y.dds", "/s/x, y.dds"},
    };
    for (const auto& [path, read_back] : cases) {
        std::string bytes;
        append_record(bytes, path, "U");
        EXPECT_EQ(read_records(tree, bytes), (Records{{read_back, "U"}})) << path;
    }
}

TEST(read_category, whole_codes_any_case_and_the_list_limit) {
    test::TempTree tree;
    const std::string file = tree.path("wynik.txt");
    EXPECT_THROW(read_category(file, ResultCode::U), DisplayFailure); // gone: said so
    tree.write("wynik.txt", "\"U\"");
    EXPECT_FALSE(read_category(file, ResultCode::U)); // shorter than 4 bytes
    tree.write("wynik.txt", test::crlf({"\"/s/A.dds\",\"U\"", "\"/s/b.wav\",\"UD\"",
                                        "\"/s/C//x.dds\",\"u\"", "\"/s/d\",\"U\""}));
    const auto used = read_category(file, ResultCode::U, 2);
    EXPECT_EQ(used->paths, (std::vector<std::string>{"/s/A.dds", "/s/C//x.dds"})); // as stored
    EXPECT_EQ(used->count, 3u);
    EXPECT_TRUE(used->list_full);
    EXPECT_EQ(read_category(file, ResultCode::BD)->count, 0u);
    EXPECT_EQ(read_category(file, std::nullopt)->count, 0u);

    // The counts at the end of an analysis: the same whole codes, any case; an
    // unknown code counts nowhere.
    tree.write("wynik.txt", test::crlf({"\"/s/A.dds\",\"U\"", "\"/s/b.wav\",\"ud\"",
                                        "\"/s/c\",\"u\"", "\"/s/d\",\"BD\"", "\"/s/e\",\"X\""}));
    EXPECT_EQ(count_categories(file), (std::array<std::size_t, 6>{2, 0, 0, 0, 1, 1}));
    EXPECT_EQ(analysis_summary(count_categories(file), 1234.56),
              cp1250("Analiza zakończona w 1 234,6 s. U: 2, N: 0, B: 0, W: 0, UD: 1, BD: 1."));
    fs::remove(to_native(file));
    EXPECT_THROW(count_categories(file), DisplayFailure);
}

// A hand-edited or damaged result file can hold a line larger than a reader
// holds; reading it is a failure that the display and the file operations
// report, not an end of the program.
TEST(read_category, a_line_too_long_is_a_read_failure) {
    test::TempTree tree;
    tree.write("wynik.txt", "\"a\",\"U\"\r\n");
    // A gigabyte of zero bytes without a line end, which takes no room on disk.
    fs::resize_file(to_native(tree.path("wynik.txt")), std::uintmax_t{1} << 30);
    EXPECT_THROW(read_category(tree.path("wynik.txt"), ResultCode::U), DisplayFailure);
}

TEST(record_path, normalised_and_checked_against_main) {
    EXPECT_EQ(normalize_record_path("C:/Sym//textures\\\\x.dds"),
              test::separated("C:/Sym/textures/x.dds"));
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"/sim/textures/x.dds", "textures/x.dds"},
        {"/SIM/Textures/x.dds", "Textures/x.dds"}, // the one comparison
        {"/sim/", ""},                             // the main directory itself
        {"/simx/a.dds", std::nullopt},
        {"/other/a.dds", std::nullopt},
        {"/sim/textures/../../etc/passwd", std::nullopt},
        {"/sim/..", std::nullopt},
        {"/sim/a..b/c.dds", "a..b/c.dds"},
        {std::string("/sim/a\0b", 8), std::nullopt},
    };
    for (const auto& [path, relative] : cases) {
        const auto expected =
            relative ? std::optional<std::string>(test::separated(*relative)) : std::nullopt;
        EXPECT_EQ(path_below_main(test::absolute(path), test::absolute("/sim/")), expected) << path;
    }
    EXPECT_FALSE(path_below_main(test::absolute("/sim/a.dds"), ""));
    EXPECT_FALSE(path_below_main(test::separated("sim/a.dds"), test::separated("sim/")));
}

TEST(result_digest, the_same_bytes_in_any_pieces_give_the_same_digest) {
    const std::string bytes = "\"/m/scenery/a.scn\",\"U\"\r\n\"/m/textures/b.dds\",\"N\"\r\n";
    ResultDigest whole;
    whole.add(bytes);
    for (std::size_t cut_1 = 0; cut_1 <= bytes.size(); cut_1 += 3) {
        for (std::size_t cut_2 = cut_1; cut_2 <= bytes.size(); cut_2 += 5) {
            ResultDigest pieces;
            pieces.add(std::string_view(bytes).substr(0, cut_1));
            pieces.add(std::string_view(bytes).substr(cut_1, cut_2 - cut_1));
            pieces.add(std::string_view(bytes).substr(cut_2));
            ASSERT_EQ(pieces, whole) << cut_1 << " " << cut_2;
        }
    }
    // One changed byte anywhere, in a whole word or in the last few, shows.
    for (std::size_t at : {std::size_t{0}, bytes.size() / 2, bytes.size() - 1}) {
        std::string changed = bytes;
        changed[at] = 'x';
        ResultDigest other;
        other.add(changed);
        EXPECT_NE(other.hash(), whole.hash()) << at;
    }
}

TEST(provenance_path, each_result_file_has_its_own) {
    EXPECT_EQ(provenance_path("/a/wynik.txt"), "/a/wynik_zrodla.txt");
    EXPECT_EQ(provenance_path("/a/small.wynik.txt"), "/a/small.wynik_zrodla.txt");
    EXPECT_EQ(provenance_path("/a/WYNIK.TXT"), "/a/WYNIK_zrodla.txt");
    EXPECT_EQ(provenance_path("/a/wynik"), "/a/wynik_zrodla.txt");
}

struct Written {
    Written() {
        ResultFileWriter result(tree.path("wynik.txt"));
        result.add("/m/scenery/a.scn", "U");
        result.add("/m/textures/b.dds", "U");
        result.add("/m/textures/c.dds", "N");
        ProvenanceFileWriter places(tree.path("wynik.txt"), result.finish());
        places.add(0, "", 0);
        places.add(1, "/m/scenery/a.scn", 7);
        places.commit();
        result.commit();
    }
    TempTree tree;
};

TEST(result_provenance, places_are_read_only_with_the_result_they_belong_to) {
    Written w;
    const auto provenance = ResultProvenance::load(w.tree.path("wynik.txt"));
    ASSERT_TRUE(provenance);
    EXPECT_EQ(chain_text(*provenance, *provenance->find("/M/TEXTURES\\B.dds")),
              "U /m/textures/b.dds\n  <- /m/scenery/a.scn:7\n");
    EXPECT_EQ(provenance->place(2), nullptr);

    const std::string places = w.tree.read("wynik_zrodla.txt");
    const std::string body = places.substr(places.find('\n') + 1);
    const std::tuple<const char*, std::string, std::string> cases[] = {
        {"result changed", w.tree.read("wynik.txt") + crlf({"\"/x\",\"U\""}), places},
        {"no binding line", w.tree.read("wynik.txt"), body},
        {"a row beyond the result", w.tree.read("wynik.txt"), places + crlf({"9,\"/m/x\",1"})},
        {"rows out of order", w.tree.read("wynik.txt"), places + crlf({"1,\"/m/x\",1"})},
        {"a malformed record", w.tree.read("wynik.txt"), places + crlf({"3,/m/x,1"})},
        {"a line that is no number", w.tree.read("wynik.txt"), places + crlf({"3,\"/m/x\",a"})},
    };
    for (const auto& [what, result, bad_places] : cases) {
        Written fresh;
        fresh.tree.write("wynik.txt", result);
        fresh.tree.write("wynik_zrodla.txt", bad_places);
        EXPECT_FALSE(ResultProvenance::load(fresh.tree.path("wynik.txt"))) << what;
    }
    remove_provenance(w.tree.path("wynik.txt"));
    EXPECT_FALSE(w.tree.exists("wynik_zrodla.txt"));
    EXPECT_FALSE(ResultProvenance::load(w.tree.path("wynik.txt")));
}

} // namespace
} // namespace ferwis
