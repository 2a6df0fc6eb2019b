// Saves replace the real file behind a link, keep its permissions, never part hard links
// silently, and clean up after a save that was killed.

#include "errors/errors.hpp"
#include "store/atomic_file.hpp"

#include "test_support.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ombrelune {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;

void save(const fs::path& target, const std::string& text) {
    AtomicFile out(target);
    out.write(text);
    out.commit();
}

std::vector<std::string> temporaries(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        if (entry.path().filename().string().find(atomicTempMarker) != std::string::npos)
            names.push_back(entry.path().filename().string());
    return names;
}

TEST(AtomicFile, SavingThroughLinksReplacesTheRealFileAndKeepsTheLinks) {
    TempDir dir;
    fs::create_directory(dir / "data");
    writeFile(dir / "data/real.dat", "old");
    fs::create_symlink("data/real.dat", dir / "near"); // relative to the link's folder
    fs::create_symlink(dir / "near", dir / "far");     // a link to a link
    fs::create_symlink("data/new.dat", dir / "dangling");
    save(dir / "far", "new");
    save(dir / "dangling", "made");
    EXPECT_TRUE(fs::is_symlink(dir / "far"));
    EXPECT_TRUE(fs::is_symlink(dir / "near"));
    EXPECT_EQ(readFile(dir / "data/real.dat"), "new");
    EXPECT_TRUE(fs::is_symlink(dir / "dangling"));
    EXPECT_EQ(readFile(dir / "data/new.dat"), "made");
    EXPECT_TRUE(temporaries(dir / "data").empty());
    EXPECT_TRUE(temporaries(dir.path()).empty());

    fs::create_symlink("loop2", dir / "loop1");
    fs::create_symlink("loop1", dir / "loop2");
    EXPECT_THROW(save(dir / "loop1", "x"), EInOutError);
}

TEST(AtomicFile, ASavedFileKeepsItsPermissions) {
    TempDir dir;
    for (const mode_t mode : {0600, 0640, 0755}) {
        const fs::path file = dir / ("m" + std::to_string(mode));
        writeFile(file, "old");
        ::chmod(file.c_str(), mode);
        save(file, "new");
        struct stat st {};
        ASSERT_EQ(::stat(file.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, mode) << std::oct << mode;
        EXPECT_EQ(readFile(file), "new");
    }
    // A new file gets the user's usual permissions, not the private ones of a temporary.
    const mode_t mask = ::umask(022);
    save(dir / "fresh", "x");
    ::umask(mask);
    struct stat st {};
    ASSERT_EQ(::stat((dir / "fresh").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);
}

TEST(AtomicFile, FileWithOtherHardLinksIsRefusedAndKept) {
    TempDir dir;
    writeFile(dir / "a", "shared");
    fs::create_hard_link(dir / "a", dir / "b");
    try {
        save(dir / "a", "new");
        FAIL() << "saved over a file with two links";
    } catch (const EInOutError& e) {
        EXPECT_NE(std::string(e.what()).find("2 hard links"), std::string::npos) << e.what();
    }
    EXPECT_EQ(readFile(dir / "a"), "shared");
    EXPECT_EQ(fs::hard_link_count(dir / "b"), 2u);
    EXPECT_TRUE(temporaries(dir.path()).empty());
}

// A save killed half-way leaves its temporary file; the next save of that file removes it,
// but never the temporary file of a save still under way, nor those of other files.
TEST(AtomicFile, LeftoversOfAKilledSaveGoAtTheNextSave) {
    TempDir dir;
    const fs::path target = dir / "big.dat";
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        AtomicFile out(target);
        out.write(std::string(1 << 20, 'x'));
        ::raise(SIGKILL);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    const auto killed = temporaries(dir.path());
    ASSERT_EQ(killed.size(), 1u);

    AtomicFile other(dir / "other.dat"); // under way, another file
    AtomicFile running(target);          // under way, the same file
    const auto underWay = temporaries(dir.path());
    save(target, "done");
    EXPECT_EQ(readFile(target), "done");
    auto left = temporaries(dir.path());
    auto expected = underWay;
    std::erase(expected, killed[0]);
    std::sort(left.begin(), left.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(left, expected);
    EXPECT_EQ(left.size(), 2u);
}

} // namespace
} // namespace ombrelune
