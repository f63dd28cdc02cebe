// The 棋譜 menu and the record panel: writing the move record to a record file and reading one
// back for stepping through with 進.
#include <sys/stat.h>

#include <cerrno>

#include "match/form1.h"
#include "record/file_io.h"
#include "record/record_file.h"
#include "ui/draw.h"

namespace velk {

namespace {

constexpr const char* RECORD_EXTENSION = ".棋譜";

// A drive or folder that cannot be reached because its device is absent or not ready.
bool deviceNotReady(int err) {
    return err == ENOMEDIUM || err == ENXIO || err == ENODEV || err == EIO || err == ENOTCONN;
}

}  // namespace

void Form1::KIFU_WRITE_Click() {
    const EventScope event(*this);
    if (closed) return;
    if (s.reversed == YES) {
        ports_.dialogs.message("反転後は書き込みできません", "棋譜書込");
    } else if (s.handicapSet == YES) {
        ports_.dialogs.message("ﾊﾝﾃﾞｷｬｯﾌﾟ設定後は書き込みできません", "棋譜書込");
    } else {
        描画_可視(ports_.panel, YES, YES, NO);
        描画_棋譜_IO(ports_.panel, 0);
    }
}

void Form1::KIFU_READ_Click() {
    const EventScope event(*this);
    if (closed) return;
    描画_可視(ports_.panel, YES, YES, YES);
    描画_棋譜_IO(ports_.panel, 1);
}

void Form1::Command1_Click() {
    const EventScope event(*this);
    if (closed) return;
    RecordPanel& panel = ports_.panel;
    Dialogs& dialogs = ports_.dialogs;
    const std::string name = panel.text(1);
    if (name.empty()) {
        dialogs.message("ﾌｧｲﾙ名が入力されていません", "  ");
        return;
    }
    // The name is used inside the chosen folder only.
    if (const std::string bad = checkFileName(name); !bad.empty()) {
        dialogs.message(bad, "  ");
        return;
    }
    // The name with its extension must fit the file system's limit, counted in UTF-8 bytes:
    // one byte for a letter or digit, three for kana and kanji.
    const std::string fileName = name + RECORD_EXTENSION;
    if (fileName.size() > MAX_FILE_NAME_BYTES) {
        const std::size_t room = MAX_FILE_NAME_BYTES - std::string_view(RECORD_EXTENSION).size();
        dialogs.message("ﾌｧｲﾙ名が長すぎます\n（英数字なら" + std::to_string(room) +
                            "文字、かなや漢字なら" + std::to_string(room / 3) + "文字までです）",
                        "  ");
        return;
    }
    if (s.moveNo < 1) {
        dialogs.message("保存するデータがありません", "棋譜保存");
        return;
    }

    const RecordHeader header =
        makeRecordHeader(panel.text(2), panel.text(3), panel.text(4), s.roleMAN);
    const RecordEncodeResult file = encodeRecordFile(header, s.record, s.moveNo);
    if (!file.ok) {
        dialogs.message(file.error, "棋譜保存");
        return;
    }
    // A record already under that name is replaced only when the player says so; "no" leaves
    // it and the panel as they are. Anything but a regular file is refused by the write below.
    const std::string path = joinPath(panel.folder(), fileName);
    if (fileExists(path) &&
        !dialogs.askYesNo("「" + fileName + "」は既にあります。\n上書きしますか？", "棋譜保存")) {
        return;
    }
    // Written to a temporary file and renamed, so a failure leaves any old file as it was; the
    // panel stays open to try another name or folder.
    const FileWriteResult written = writeFileAtomic(path, file.bytes);
    if (!written.ok) {
        dialogs.message("棋譜を書き込めませんでした\n" + written.error, "棋譜保存");
        return;
    }

    s.movesUnsaved = 0;
    hidePanel();
    panel.refreshFiles();
    dialogs.message("棋譜を書き込みました", "  ");
}

void Form1::File1_Click(const std::string& fileName) {
    const EventScope event(*this);
    if (closed) return;
    Dialogs& dialogs = ports_.dialogs;
    描画_可視(ports_.panel, NO, NO, NO);

    // The whole file is read and checked before anything is reset: a file that cannot be used,
    // an empty record included, leaves the game on the board as it was.
    if (const std::string bad = checkFileName(fileName); !bad.empty()) {
        dialogs.message(bad, "棋譜");
        return;
    }
    const FileReadResult file =
        readWholeFile(joinPath(ports_.panel.folder(), fileName), RECORD_MAX_FILE_BYTES);
    if (!file.ok) {
        dialogs.message("棋譜ﾌｧｲﾙを読み込めませんでした\n" + file.error, "棋譜");
        return;
    }
    const RecordParseResult record = decodeRecordFile(file.bytes);
    if (!record.ok) {
        dialogs.message(record.error, "棋譜");
        return;
    }
    if (record.count == 0) {
        dialogs.message("棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません", "棋譜");
        return;
    }
    // A good record replaces the game on the board: a game with unsaved moves asks first.
    if (!mayLoseUnsavedMoves("棋譜を読み込みますか？", "棋譜")) return;

    Form_Load();
    if (closed) return;
    loadRecordIntoGame(s, record);
    printRecordHeader(record.header.title, record.header.topPlayer, record.header.bottomPlayer);

    dialogs.message(" 読み込みました", "棋譜");
    dialogs.message("棋譜を '進 'で進めて下さい", "棋譜");
}

void Form1::printRecordHeader(const std::string& title, const std::string& top,
                              const std::string& bottom) {
    描画_棋譜見出し(s, ports_.canvas, title, top, bottom);
    ports_.window.repaint();
}

void Form1::Drive1_Change(const std::string& drive) {
    const EventScope event(*this);
    if (closed) return;
    struct stat st {};
    if (::stat(drive.c_str(), &st) != 0) {
        if (deviceNotReady(errno)) ports_.dialogs.message("ﾃﾞﾊﾞｲｽが準備できていません", "ｴﾗｰ");
        return;
    }
    if (!S_ISDIR(st.st_mode)) return;
    ports_.panel.setFolder(drive);
    Dir1_Change();
}

void Form1::Dir1_Change() {
    const EventScope event(*this);
    if (closed) return;
    // The file list follows the folder list: both read the panel's one folder.
    ports_.panel.refreshFiles();
}

}  // namespace velk
