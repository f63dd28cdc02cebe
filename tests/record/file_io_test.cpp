#include "record/file_io.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <future>

#include "texts/texts.h"

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
    EXPECT_EQ(w.error, fileErrorText(EFBIG));
    EXPECT_EQ(readWholeFile(target, 100).bytes, "old contents");
    EXPECT_EQ(entries(), 1);

    // A folder in place of the target is not replaced.
    fs::create_directory(path("adir"));
    EXPECT_FALSE(writeFileAtomic(path("adir"), "x").ok);
    EXPECT_TRUE(fs::is_directory(path("adir")));
}

// Runs read in another thread; if it is still waiting after two seconds, a writer is opened on
// the FIFO so that it ends, and the test fails.
FileReadResult readWithoutHanging(const std::string& path, const std::string& fifo) {
    auto reading = std::async(std::launch::async, [&] { return readWholeFile(path, 100); });
    if (reading.wait_for(std::chrono::seconds(2)) != std::future_status::ready) {
        ADD_FAILURE() << "reading " << path << " blocked";
        const int w = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        if (w >= 0) ::close(w);
    }
    return reading.get();
}

bool startsInJapanese(const std::string& text) {
    return !text.empty() && static_cast<unsigned char>(text[0]) >= 0x80;
}

TEST_F(FileIo, FifosAndLinksToThemAreRefusedWithoutBlocking) {
    const std::string fifo = path("pipe.棋譜");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_symlink(fifo, path("link.棋譜"));
    ASSERT_TRUE(writeFileAtomic(path("real.棋譜"), "text").ok);
    fs::create_symlink(path("real.棋譜"), path("good.棋譜"));

    for (const char* name : {"pipe.棋譜", "link.棋譜"}) {
        SCOPED_TRACE(name);
        const FileReadResult r = readWithoutHanging(path(name), fifo);
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.notRegular);
        EXPECT_FALSE(r.notFound);
        EXPECT_EQ(r.error.rfind("通常のﾌｧｲﾙではありません", 0), 0u) << r.error;
        EXPECT_FALSE(fileExists(path(name)));
    }
    const FileReadResult folder = readWholeFile(dir_.string(), 100);
    EXPECT_TRUE(folder.notRegular);
    EXPECT_EQ(folder.error, texts::file::A_FOLDER);

    // A link to a regular file is followed.
    EXPECT_TRUE(fileExists(path("good.棋譜")));
    EXPECT_EQ(readWholeFile(path("good.棋譜"), 100).bytes, "text");

    // Writing does not replace a FIFO, nor follow it.
    const FileWriteResult w = writeFileAtomic(fifo, "x");
    EXPECT_FALSE(w.ok);
    EXPECT_TRUE(startsInJapanese(w.error)) << w.error;
    EXPECT_TRUE(fs::is_fifo(fifo));
}

TEST_F(FileIo, NamesUpToTheFileSystemLimitAreWritten) {
    // 248 letters and ".棋譜" (7 bytes in UTF-8) make the longest name allowed, 255 bytes.
    const std::string ascii = std::string(248, 'a') + ".棋譜";
    ASSERT_EQ(ascii.size(), MAX_FILE_NAME_BYTES);
    const FileWriteResult a = writeFileAtomic(path(ascii), "one");
    EXPECT_TRUE(a.ok) << a.error;
    EXPECT_TRUE(writeFileAtomic(path(ascii), "two").ok);  // and replaced
    EXPECT_EQ(readWholeFile(path(ascii), 100).bytes, "two");

    // Kana, three bytes each: the temporary name must not cut a character in two either.
    std::string kana;
    for (int i = 0; i < 82; ++i) kana += "あ";
    const FileWriteResult k = writeFileAtomic(path("x" + kana + ".棋譜"), "kana");
    EXPECT_TRUE(k.ok) << k.error;
    EXPECT_EQ(entries(), 2);  // no temporary file left behind

    const FileWriteResult tooLong = writeFileAtomic(path(std::string(256, 'b')), "x");
    EXPECT_FALSE(tooLong.ok);
    EXPECT_EQ(tooLong.error.rfind("ﾌｧｲﾙ名が長すぎます", 0), 0u) << tooLong.error;
    EXPECT_EQ(entries(), 2);
}

TEST_F(FileIo, SystemErrorsAreExplainedInJapanese) {
    // Every reason the record and settings files meet has its own Japanese text, with the
    // system's text after it in brackets.
    const std::pair<int, const char*> table[] = {
        {EROFS, "書き込みが禁止されたﾃﾞｨｽｸです"},      {ENOSPC, "ﾃﾞｨｽｸに空きがありません"},
        {EDQUOT, "ﾃﾞｨｽｸの使用量が上限に達しています"}, {EFBIG, "ﾌｧｲﾙが大きすぎます"},
        {ENAMETOOLONG, "ﾌｧｲﾙ名が長すぎます"},          {EACCES, "ｱｸｾｽが許可されていません"},
        {EPERM, "ｱｸｾｽが許可されていません"},           {ENOENT, "ﾌｧｲﾙまたはﾌｫﾙﾀﾞが見つかりません"},
        {EISDIR, "同じ名前のﾌｫﾙﾀﾞがあります"},         {ENOTDIR, "ﾌｫﾙﾀﾞの指定が正しくありません"},
        {EIO, "ﾃﾞｨｽｸの読み書きに失敗しました"},
    };
    for (const auto& [err, text] : table) {
        SCOPED_TRACE(std::strerror(err));
        EXPECT_EQ(fileErrorText(err), std::string(text) + "（" + std::strerror(err) + "）");
    }
    EXPECT_TRUE(startsInJapanese(fileErrorText(12345)));

    // And the files themselves report through that table.
    const FileWriteResult noFolder = writeFileAtomic(path("none/x.棋譜"), "x");
    EXPECT_EQ(noFolder.error, fileErrorText(ENOENT));
    EXPECT_EQ(readWholeFile(path("none"), 100).error, fileErrorText(ENOENT));
    ASSERT_TRUE(writeFileAtomic(path("big"), std::string(101, 'x')).ok);
    EXPECT_EQ(readWholeFile(path("big"), 100).error, texts::file::TOO_LARGE);
    fs::create_directory(path("adir"));
    EXPECT_EQ(writeFileAtomic(path("adir"), "x").error, texts::file::A_FOLDER);
}

// The id of a process that has ended (and been reaped), so that no process runs under it.
pid_t goneProcess() {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(0);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return pid;
}

TEST_F(FileIo, AWriteRemovesTemporaryFilesThatAKilledSaveLeftAndNothingElse) {
    const std::string gone = std::to_string(goneProcess());
    const std::string alive = std::to_string(::getpid());
    const std::string longest = std::string(32, 'a');
    const struct {
        std::string name;
        bool removed;
    } table[] = {
        {".対局.棋譜.tmp" + gone + "_0", true},
        {".Velkついたて将棋.ini.tmp" + gone + "_99", true},
        {"." + longest + ".tmp" + gone + "_7", true},
        // Another instance saving now.
        {".対局.棋譜.tmp" + alive + "_0", false},
        // Names writeFileAtomic never makes.
        {"対局.棋譜.tmp" + gone + "_0", false},
        {"..tmp" + gone + "_0", false},
        {"." + longest + "a.tmp" + gone + "_0", false},
        {".x.tmp" + gone + "_100", false},
        {".x.tmp" + gone + "_01", false},
        {".x.tmp" + gone + "_", false},
        {".x.tmp" + gone + "_0~", false},
        {".x.tmp0" + gone + "_0", false},
        {".x.tmp_0", false},
        {".x.TMP" + gone + "_0", false},
        {".x.tmp" + gone + "0000000000_0", false},
    };
    for (const auto& row : table) std::ofstream(path(row.name)) << "x";
    // Only regular files go: a folder or a link of such a name stays.
    fs::create_directory(path(".d.tmp" + gone + "_0"));
    fs::create_symlink(path("none"), path(".l.tmp" + gone + "_0"));

    ASSERT_TRUE(writeFileAtomic(path("next.棋譜"), "saved").ok);
    for (const auto& row : table) EXPECT_EQ(fs::exists(path(row.name)), !row.removed) << row.name;
    EXPECT_TRUE(fs::is_directory(path(".d.tmp" + gone + "_0")));
    EXPECT_TRUE(fs::is_symlink(path(".l.tmp" + gone + "_0")));
    EXPECT_EQ(readWholeFile(path("next.棋譜"), 100).bytes, "saved");
    EXPECT_EQ(removeStaleTemporaryFiles(dir_.string()), 0);
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
