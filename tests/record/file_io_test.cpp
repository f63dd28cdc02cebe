#include "record/file_io.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>

namespace velk {
namespace {

namespace fs = std::filesystem;

class FileIo : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("velk_file_io_" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    int entries() const {
        int n = 0;
        for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir_)) ++n;
        return n;
    }

    fs::path dir_;
};

TEST_F(FileIo, WritesReplacesAndReadsBackWholeFiles) {
    const std::string target = path("対局.棋譜");
    ASSERT_TRUE(writeFileAtomic(target, std::string("a\0b\r\n", 5)).ok);
    ASSERT_TRUE(writeFileAtomic(target, "second").ok);
    const FileReadResult r = readWholeFile(target, 100);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.bytes, "second");
    EXPECT_TRUE(fileExists(target));
    EXPECT_EQ(entries(), 1);  // no temporary file left behind
}

TEST_F(FileIo, ReadingRefusesMissingLargeAndNonRegularFiles) {
    const FileReadResult missing = readWholeFile(path("none"), 100);
    EXPECT_FALSE(missing.ok);
    EXPECT_TRUE(missing.notFound);
    EXPECT_FALSE(fileExists(path("none")));

    ASSERT_TRUE(writeFileAtomic(path("big"), std::string(101, 'x')).ok);
    const FileReadResult big = readWholeFile(path("big"), 100);
    EXPECT_FALSE(big.ok);
    EXPECT_FALSE(big.notFound);
    EXPECT_FALSE(big.error.empty());

    EXPECT_FALSE(readWholeFile(dir_.string(), 100).ok);
    EXPECT_FALSE(fileExists(dir_.string()));
}

TEST_F(FileIo, FailedWriteReportsAnErrorAndKeepsTheOldFile) {
    EXPECT_FALSE(writeFileAtomic(path("no/such/folder/x.棋譜"), "data").ok);

    const std::string target = path("keep.ini");
    ASSERT_TRUE(writeFileAtomic(target, "old contents").ok);

    // A full disk, imitated by a file-size limit: the write fails half way.
    struct sigaction ignore {
    }, before{};
    ignore.sa_handler = SIG_IGN;
    ASSERT_EQ(sigaction(SIGXFSZ, &ignore, &before), 0);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 4;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const FileWriteResult w = writeFileAtomic(target, "new contents that do not fit");
    setrlimit(RLIMIT_FSIZE, &saved);
    sigaction(SIGXFSZ, &before, nullptr);

    EXPECT_FALSE(w.ok);
    EXPECT_FALSE(w.error.empty());
    EXPECT_EQ(readWholeFile(target, 100).bytes, "old contents");
    EXPECT_EQ(entries(), 1);

    // A folder in place of the target is not replaced.
    fs::create_directory(path("adir"));
    EXPECT_FALSE(writeFileAtomic(path("adir"), "x").ok);
    EXPECT_TRUE(fs::is_directory(path("adir")));
}

TEST(FileName, RefusesSeparatorsAndControlCharacters) {
    EXPECT_EQ(checkFileName("第1局 名人戦"), "");
    EXPECT_EQ(checkFileName("a.b"), "");
    EXPECT_NE(checkFileName(""), "");
    EXPECT_NE(checkFileName("."), "");
    EXPECT_NE(checkFileName(".."), "");
    EXPECT_NE(checkFileName("../etc"), "");
    EXPECT_NE(checkFileName("a\\b"), "");
    EXPECT_NE(checkFileName("a\nb"), "");
    EXPECT_NE(checkFileName("tab\there"), "");
    EXPECT_NE(checkFileName("del\x7f"), "");
    EXPECT_EQ(joinPath("/tmp", "x"), "/tmp/x");
    EXPECT_EQ(joinPath("/tmp/", "x"), "/tmp/x");
    EXPECT_EQ(joinPath("", "x"), "./x");
}

}  // namespace
}  // namespace velk
