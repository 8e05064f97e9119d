#include "common/errors.h"
#include "common/native_path.h"
#include "format/result_file.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <iterator>
#include <string>
#ifndef _WIN32
#include <sys/resource.h>
#endif

namespace ferwis {
namespace {

constexpr const char* kPrevious = "\"previous\",\"U\"\r\n";

// A run that fails while wynik.txt is being written leaves the previous
// wynik.txt whole, whether the failure comes before the last record or while
// the bytes go to disk.
TEST(ResultFileWriter, a_failure_while_writing_leaves_the_previous_result_whole) {
    const struct {
        const char* name;
        std::function<void(ResultFileWriter&, const test::TempTree&)> fail;
    } cases[] = {
        {"records of a file never made",
         [](ResultFileWriter& writer, const test::TempTree& tree) {
             writer.add("a", "U");
             writer.add_records_of(WavDynamicFile(tree.path("missing.txt")));
         }},
#ifndef _WIN32
        {"no room for the bytes",
         [](ResultFileWriter& writer, const test::TempTree&) {
             // Every write beyond 1 KiB fails, as on a full disk; the records
             // are many times that, so some reach the disk before it fails.
             std::signal(SIGXFSZ, SIG_IGN);
             rlimit old{};
             ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
             rlimit tight = old;
             tight.rlim_cur = 1024;
             ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
             try {
                 for (int i = 0; i < 20000; ++i) {
                     writer.add("textures/" + std::to_string(i) + ".dds", "N");
                 }
                 writer.commit();
             } catch (...) {
                 setrlimit(RLIMIT_FSIZE, &old);
                 throw;
             }
             setrlimit(RLIMIT_FSIZE, &old);
         }},
#endif
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempTree tree;
        tree.write("wynik.txt", kPrevious);
        EXPECT_THROW(
            {
                ResultFileWriter writer(tree.path("wynik.txt"));
                c.fail(writer, tree);
            },
            FileError);
        EXPECT_EQ(tree.read("wynik.txt"), kPrevious);
        // Nothing is left behind beside it.
        const std::filesystem::directory_iterator folder(to_native(tree.root()));
        EXPECT_EQ(std::distance(begin(folder), end(folder)), 1);
    }
}

// The records of wav_dynamic.txt come read in pieces of 64 KiB, the last
// ones from memory: each is written once and whole, however the pieces cut
// its line, its line end included.
TEST(ResultFileWriter, takes_every_record_of_wav_dynamic_whole_wherever_a_piece_ends) {
    // Lines of 64 bytes after a first one longer by longer: the first piece
    // then ends after a LF, after a CR, before a CR, within a code or a path.
    for (const std::size_t longer : {0U, 1U, 2U, 3U, 30U}) {
        SCOPED_TRACE(longer);
        test::TempTree tree;
        WavDynamicFile wav_dynamic(tree.path("wav_dynamic.txt"));
        wav_dynamic.create();
        std::string expected;
        for (std::size_t i = 0; i < 3000; ++i) {
            std::string path = "sounds/" + std::to_string(i) + "/";
            path.append(55 + (i == 0 ? longer : 0) - path.size() - 4, 'a').append(".wav");
            const ResultCode code = i % 3 == 0 ? ResultCode::BD : ResultCode::UD;
            wav_dynamic.append(path, code);
            expected += "\"" + path + "\",\"" + std::string(code_text(code)) + "\"\r\n";
            if (i % 100 == 99 && i < 2900) {
                wav_dynamic.flush();
            }
        }
        {
            ResultFileWriter writer(tree.path("wynik.txt"));
            EXPECT_EQ(writer.add_records_of(wav_dynamic), 3000U);
            writer.commit();
        }
        EXPECT_EQ(tree.read("wynik.txt"), expected);
    }
}

} // namespace
} // namespace ferwis
