// The 棋譜 menu's KIF items: writing the game on the board as KIF through the record panel, and
// reading a KIF game for stepping through with 進, as the .棋譜 writer and reader do.
#include "match/form1.h"
#include "record/file_io.h"
#include "record/kif.h"
#include "record/record_file.h"

namespace velk {

namespace {

constexpr std::string_view KIF_EXTENSION = ".kif";    // CP932
constexpr std::string_view KIFU_EXTENSION = ".kifu";  // UTF-8

bool endsWith(std::string_view s, std::string_view tail) {
    return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

}  // namespace

bool isKifFileName(std::string_view name) {
    return endsWith(name, KIF_EXTENSION) || endsWith(name, KIFU_EXTENSION);
}

void Form1::KIF_WRITE_Click() {
    if (closed) return;
    KIFU_WRITE_Click();
    // The panel opened past the checks above writes KIF until another item opens it.
    if (s.reversed != YES && s.handicapSet != YES) kifWrite_ = true;
}

void Form1::KIF_READ_Click() {
    if (closed) return;
    // One file list shows both kinds of record; a click reads a file by its extension.
    KIFU_READ_Click();
}

void Form1::writeKifFile() {
    RecordPanel& panel = ports_.panel;
    Dialogs& dialogs = ports_.dialogs;
    const std::string name = panel.text(1);
    if (name.empty()) {
        dialogs.message("ﾌｧｲﾙ名が入力されていません", "  ");
        return;
    }
    if (const std::string bad = checkFileName(name); !bad.empty()) {
        dialogs.message(bad, "  ");
        return;
    }
    // A name typed with .kifu is written in UTF-8, one with .kif or none in CP932 as .kif.
    const bool utf8 = endsWith(name, KIFU_EXTENSION);
    const std::string fileName = isKifFileName(name) ? name : name + std::string(KIF_EXTENSION);
    if (fileName.size() > MAX_FILE_NAME_BYTES) {
        const std::size_t room = MAX_FILE_NAME_BYTES - KIF_EXTENSION.size();
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
    KifInfo info;
    info.ending = kifEndingOf(s.record, s.moveNo);
    if (s.moveNo == s.moveNoLast) {
        if (s.missCountMAN > 9) info.ending = KifEnding::TenthMissMAN;
        if (s.missCountCOM > 9) info.ending = KifEnding::TenthMissCOM;
    }
    const KifEncodeResult kif = encodeKif(header, s.record, s.moveNo, info);
    if (!kif.ok) {
        dialogs.message(kif.error, "棋譜保存");
        return;
    }
    const std::optional<std::string> bytes =
        kifFileBytes(kif.text, utf8 ? KifEncoding::Utf8 : KifEncoding::Cp932);
    if (!bytes) {
        dialogs.message("Shift-JISで書き込めない文字があります\n（.kifuならUTF-8で書き込めます）",
                        "棋譜保存");
        return;
    }
    const std::string path = joinPath(panel.folder(), fileName);
    if (fileExists(path) &&
        !dialogs.askYesNo("「" + fileName + "」は既にあります。\n上書きしますか？", "棋譜保存")) {
        return;
    }
    const FileWriteResult written = writeFileAtomic(path, *bytes);
    if (!written.ok) {
        dialogs.message("棋譜を書き込めませんでした\n" + written.error, "棋譜保存");
        return;
    }

    s.movesUnsaved = 0;
    kifWrite_ = false;
    hidePanel();
    panel.refreshFiles();
    dialogs.message("KIFを書き込みました", "  ");
}

void Form1::readKifFile(const std::string& fileName) {
    Dialogs& dialogs = ports_.dialogs;
    // Everything is read and checked before the game changes.
    if (const std::string bad = checkFileName(fileName); !bad.empty()) {
        dialogs.message(bad, "棋譜");
        return;
    }
    const FileReadResult file =
        readWholeFile(joinPath(ports_.panel.folder(), fileName), KIF_MAX_FILE_BYTES);
    if (!file.ok) {
        dialogs.message("KIFﾌｧｲﾙを読み込めませんでした\n" + file.error, "棋譜");
        return;
    }
    const RecordParseResult record = decodeKif(file.bytes);
    if (!record.ok) {
        dialogs.message(record.error, "棋譜");
        return;
    }
    if (record.count == 0) {
        dialogs.message("KIFﾌｧｲﾙに指し手がありません", "棋譜");
        return;
    }
    if (!mayLoseUnsavedMoves("棋譜を読み込みますか？", "棋譜")) return;

    Form_Load();
    if (closed) return;
    loadRecordIntoGame(s, record);
    printRecordHeader(record.header.title, record.header.topPlayer, record.header.bottomPlayer);

    dialogs.message(" 読み込みました", "棋譜");
    dialogs.message("棋譜を '進 'で進めて下さい", "棋譜");
}

}  // namespace velk
