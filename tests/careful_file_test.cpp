// The careful file by itself: finding it once, reading it up to where its content ends, and
// saves that are all or nothing, as a kill at any point of one leaves the file.
#include "driver/careful_file.h"
#include "games.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace realmsfall {
namespace {

using namespace testing;
using namespace ::testing;
namespace fs = std::filesystem;

// Content that ends after its first line holding only "end".
const ContentEnd ENDS_AT_END = [](std::string_view text) -> std::optional<std::size_t> {
    const std::size_t at = text.find("end\n");
    return at == std::string_view::npos ? std::nullopt : std::optional(at + 4);
};

FileHome homeOf(const std::string& path) {
    auto found = findHome(path);
    EXPECT_TRUE(std::holds_alternative<FileHome>(found)) << std::get<std::string>(found);
    return std::move(std::get<FileHome>(found));
}

std::string contentOf(const FileHome& home) {
    auto read = readFile(home, false, ENDS_AT_END, Patience{});
    EXPECT_TRUE(std::holds_alternative<FileContent>(read)) << std::get<FileTrouble>(read).why;
    return std::get<FileContent>(read).text;
}

// Writes the content the whole way, whatever stood there.
const Compose WRITE_NEW = [](std::string_view, const std::function<void(std::string_view)>& write) {
    write("new content\nend\n");
    return std::optional<std::string>();
};

TEST(CarefulFile, IsFoundOnceThroughItsLinksAndIsRefusedThroughAnotherUsersLinkInASharedFolder) {
    const std::string top = ownFolder();
    fs::create_directories(top + "/a/b");
    std::ofstream(top + "/a/b/file") << "found\nend\n";
    fs::create_directory_symlink("a/b", top + "/to-b");
    fs::create_symlink("../to-b/file", top + "/a/link");
    const FileHome home = homeOf(top + "/a/./link");
    EXPECT_EQ(home.name, "file");
    fs::remove(top + "/a/link"); // the link goes, the file found stays reachable
    EXPECT_EQ(contentOf(home), "found\nend\n");
    EXPECT_EQ(homeOf(top + "/a/b/").name, ".");
    EXPECT_EQ(homeOf(top + "/missing/file").folder.get(), -1);
    EXPECT_EQ(std::get<std::string>(findHome(top + "/a/b/file/x")),
              "cannot be read: Not a directory");
    // As many links in a row as the kernel follows, and not one more.
    for (int link = 1; link <= 41; ++link) {
        fs::create_symlink(link == 1 ? "a/b/file" : "chain" + std::to_string(link - 1),
                           top + "/chain" + std::to_string(link));
    }
    EXPECT_EQ(homeOf(top + "/chain40").name, "file");
    EXPECT_EQ(std::get<std::string>(findHome(top + "/chain41")),
              "cannot be read: Too many levels of symbolic links");
    if (geteuid() != 0) {
        GTEST_SKIP() << "another user's link needs root";
    }
    fs::create_directory(top + "/shared");
    ASSERT_EQ(chmod((top + "/shared").c_str(), 01777), 0);
    fs::create_symlink(top + "/a/b/file", top + "/shared/link");
    EXPECT_EQ(homeOf(top + "/shared/link").name, "file"); // the runner's own link
    ASSERT_EQ(lchown((top + "/shared/link").c_str(), 65534, 65534), 0);
    EXPECT_THAT(std::get<std::string>(findHome(top + "/shared/link")),
                StartsWith("refused: it leads through the symbolic link \"link\""));
    for (const mode_t unguarded : {0777, 01775}) { // not sticky, or not written by everyone
        ASSERT_EQ(chmod((top + "/shared").c_str(), unguarded), 0);
        EXPECT_EQ(homeOf(top + "/shared/link").name, "file") << unguarded;
    }
    ASSERT_EQ(chown((top + "/shared").c_str(), 65534, 65534), 0); // the folder's owner's link
    EXPECT_EQ(homeOf(top + "/shared/link").name, "file");
}

TEST(CarefulFile, IsReadOnlyUpToTheEndOfItsContent) {
    const std::string path = standingsFile("kept\nend\nnever read");
    fs::resize_file(path, std::uintmax_t{100} << 30); // 100 GiB of holes past the end
    EXPECT_EQ(contentOf(homeOf(path)), "kept\nend\n");
    const auto missing = readFile(homeOf(path + "-missing"), true, ENDS_AT_END, Patience{});
    EXPECT_FALSE(std::get<FileContent>(missing).exists);
}

// Each state a kill can leave a save in place in, as readers see it and as a run that may write
// then leaves the file: new content written past the old end without its journal, with a journal
// whose check fails, and with a whole journal while the copy over the old content is under way.
TEST(CarefulFile, ASaveInPlaceCutOffIsSeenAndLeftAsOldOrNew) {
    const std::string old = "old content, longer than the new\nend\n", fresh = "new content\nend\n";
    const auto journal = journalBytes({old.size(), fresh.size(), old.size(), contentCheck(fresh)});
    const auto bad = journalBytes({old.size(), fresh.size(), old.size(), contentCheck(fresh) ^ 1});
    const std::string whole = fresh + std::string(journal.begin(), journal.end());
    const struct {
        std::string file, seen;
    } cases[] = {
        {old + fresh.substr(0, 5), old},
        {old + fresh + std::string(bad.begin(), bad.end()), old},
        {old + whole, fresh},
        {fresh + old.substr(fresh.size()) + whole, fresh},
        {old + whole.substr(0, whole.size() - 1), old},
    };
    for (const auto& c : cases) {
        const std::string path = standingsFile(c.file);
        const FileHome home = homeOf(path);
        EXPECT_EQ(contentOf(home), c.seen) << c.file;
        EXPECT_EQ(readFile(path), c.file) << "a reader writes nothing";
        const auto read = readFile(home, true, ENDS_AT_END, Patience{});
        EXPECT_EQ(std::get<FileContent>(read).text, c.seen) << c.file;
        EXPECT_EQ(readFile(path).substr(0, c.seen.size()), c.seen) << c.file;
        if (c.file.size() > whole.size() && c.file.ends_with(whole)) {
            EXPECT_EQ(std::get<FileContent>(read).recovery, Recovery::COMPLETED);
            EXPECT_EQ(readFile(path), fresh);
        }
        if (c.file.ends_with(std::string(bad.begin(), bad.end()))) {
            EXPECT_EQ(std::get<FileContent>(read).recovery, Recovery::UNDONE);
            EXPECT_EQ(readFile(path), old);
        }
    }
}

TEST(CarefulFile, ReplacesByRenameOrInPlaceAndMakesAMissingFileWhole) {
    const std::string path = standingsFile("old\nend\njunk past the end");
    const std::string temporary =
        path.substr(0, path.rfind('/') + 1) + "." + fs::path(path).filename().string() + ".";
    std::ofstream(temporary + "azAZ09.tmp") << "left by a killed run";
    std::ofstream(temporary + "@[`{:~.tmp") << "no temporary file of the game's";
    Recovery recovery = Recovery::NONE;
    std::ifstream replaced(path, std::ios::binary); // a file of one link is replaced, not rewritten
    EXPECT_FALSE(replaceFile(homeOf(path), ENDS_AT_END, WRITE_NEW, Patience{}, recovery));
    EXPECT_EQ(readFile(path), "new content\nend\n");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(replaced), {}),
              "old\nend\njunk past the end");
    EXPECT_FALSE(fs::exists(temporary + "azAZ09.tmp")); // cleared away by the save
    EXPECT_TRUE(fs::remove(temporary + "@[`{:~.tmp"));
    fs::create_hard_link(path, path + "-second");
    const Compose longer = [](std::string_view current,
                              const std::function<void(std::string_view)>& write) {
        write(std::string(current.substr(0, current.size() - 4)) + "more\nend\n");
        return std::optional<std::string>();
    };
    EXPECT_FALSE(replaceFile(homeOf(path), ENDS_AT_END, longer, Patience{}, recovery));
    EXPECT_EQ(readFile(path + "-second"), "new content\nmore\nend\n");
    const Compose refusing = [](std::string_view, const std::function<void(std::string_view)>&) {
        return std::optional<std::string>("damaged");
    };
    const auto refused = replaceFile(homeOf(path), ENDS_AT_END, refusing, Patience{}, recovery);
    EXPECT_EQ(refused->why, "damaged");
    EXPECT_EQ(readFile(path), "new content\nmore\nend\n");
    int composed = 0; // content that comes out otherwise when written than when counted
    const Compose fickle = [&composed](std::string_view,
                                       const std::function<void(std::string_view)>& write) {
        write(++composed == 1 ? "counted\nend\n" : "WRITTEN\nend\n");
        return std::optional<std::string>();
    };
    EXPECT_TRUE(replaceFile(homeOf(path), ENDS_AT_END, fickle, Patience{}, recovery));
    EXPECT_EQ(composed, 2);
    EXPECT_EQ(readFile(path + "-second"), "new content\nmore\nend\n");
    fs::remove(path + "-second");
    fs::remove(path);
    EXPECT_FALSE(makeFile(homeOf(path), "made\nend\n"));
    EXPECT_FALSE(makeFile(homeOf(path), "not made\nend\n")); // one stands there already
    EXPECT_EQ(readFile(path), "made\nend\n");
    EXPECT_EQ(makeFile(homeOf(path + "-missing/file"), "x")->kind, FileTrouble::NOT_KEPT);
}

// Another program holds the lock: the wait is announced once after about a second, and given up
// at its limit (a run already ended by a signal waits so at its save).
TEST(CarefulFile, AWaitForTheLockIsAnnouncedAndGivenUpAtItsLimit) {
    const std::string path = standingsFile("held\nend\n");
    const int holder = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(flock(holder, LOCK_EX), 0);
    int announced = 0;
    const auto start = std::chrono::steady_clock::now();
    const auto read = readFile(homeOf(path), false, ENDS_AT_END,
                               {[&announced] { ++announced; }, std::chrono::milliseconds(1500)});
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1500));
    EXPECT_EQ(std::get<FileTrouble>(read).kind, FileTrouble::GAVE_UP);
    EXPECT_EQ(announced, 1);
    close(holder);
}

} // namespace
} // namespace realmsfall
