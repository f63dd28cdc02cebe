// The 棋譜 menu and the record panel: writing the move record to a record file and reading one
// back for stepping through with 進.
#include <sys/stat.h>

#include <cerrno>

#include "match/form1.h"
#include "match/record_formats.h"
#include "record/file_io.h"
#include "record/record_file.h"
#include "texts/texts.h"
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
    if (closed || netRefuses()) return;
    if (s.reversed == YES) {
        ports_.dialogs.message(texts::record::NO_WRITE_AFTER_REVERSE, texts::record::WRITE_TITLE);
    } else if (s.handicapSet == YES) {
        ports_.dialogs.message(texts::record::NO_WRITE_AFTER_HANDICAP, texts::record::WRITE_TITLE);
    } else {
        kifWrite_ = false;
        描画_可視(ports_.panel, YES, YES, NO);
        描画_棋譜_IO(ports_.panel, 0);
        ports_.panel.setLabel(1, texts::record::PANEL_LABELS[0]);
        // The name the KIF panel offered is not this writer's.
        if (isKifFileName(ports_.panel.text(1))) ports_.panel.setText(1, "");
    }
}

void Form1::KIFU_READ_Click() {
    const EventScope event(*this);
    if (closed) return;
    kifWrite_ = false;
    描画_可視(ports_.panel, YES, YES, YES);
    描画_棋譜_IO(ports_.panel, 1);
}

void Form1::Command1_Click() {
    const EventScope event(*this);
    if (closed) return;
    // The KIF item, or a name typed with a KIF extension, writes KIF.
    if (kifWrite_ || isKifFileName(ports_.panel.text(1))) {
        writeKifFile();
        return;
    }
    const std::string name = ports_.panel.text(1);
    if (!panelNameUsable(name)) return;
    const auto encode = [this](const RecordHeader& header) {
        return encodeRecordFile(header, s.record, s.moveNo);
    };
    writeRecord({name + RECORD_EXTENSION, std::string_view(RECORD_EXTENSION).size(), encode,
                 texts::record::WRITTEN});
}

bool Form1::panelNameUsable(const std::string& name) {
    Dialogs& dialogs = ports_.dialogs;
    if (name.empty()) {
        dialogs.message(texts::file::NAME_NOT_ENTERED, texts::record::NAME_TITLE);
        return false;
    }
    // The name is used inside the chosen folder only.
    if (const std::string bad = checkFileName(name); !bad.empty()) {
        dialogs.message(bad, texts::record::NAME_TITLE);
        return false;
    }
    return true;
}

void Form1::writeRecord(const RecordWriting& kind) {
    if (netRefuses()) return;
    RecordPanel& panel = ports_.panel;
    Dialogs& dialogs = ports_.dialogs;
    // The name with its extension must fit the file system's limit, counted in UTF-8 bytes:
    // one byte for a letter or digit, three for kana and kanji.
    if (kind.fileName.size() > MAX_FILE_NAME_BYTES) {
        const std::size_t room = MAX_FILE_NAME_BYTES - kind.extensionBytes;
        dialogs.message(texts::record::nameTooLong(room, room / 3), texts::record::NAME_TITLE);
        return;
    }
    if (s.moveNo < 1) {
        dialogs.message(texts::record::NOTHING_TO_SAVE, texts::record::SAVE_TITLE);
        return;
    }

    const RecordHeader header =
        makeRecordHeader(panel.text(2), panel.text(3), panel.text(4), s.roleMAN);
    const RecordEncodeResult file = kind.encode(header);
    if (!file.ok) {
        dialogs.message(file.error, texts::record::SAVE_TITLE);
        return;
    }
    // A record already under that name is replaced only when the player says so; "no" leaves
    // it and the panel as they are. Anything but a regular file is refused by the write below.
    const std::string path = joinPath(panel.folder(), kind.fileName);
    if (fileExists(path) && !dialogs.askYesNo(texts::record::overwriteQuestion(kind.fileName),
                                              texts::record::SAVE_TITLE)) {
        return;
    }
    // Written to a temporary file and renamed, so a failure leaves any old file as it was; the
    // panel stays open to try another name or folder.
    const FileWriteResult written = writeFileAtomic(path, file.bytes);
    if (!written.ok) {
        dialogs.message(texts::record::notWritten(written.error), texts::record::SAVE_TITLE);
        return;
    }

    s.movesUnsaved = 0;
    kifWrite_ = false;
    gameName_ = fileStem(kind.fileName);
    hidePanel();
    panel.refreshFiles();
    dialogs.message(kind.written, texts::record::NAME_TITLE);
}

void Form1::File1_Click(const std::string& fileName) {
    const EventScope event(*this);
    if (closed) return;
    描画_可視(ports_.panel, NO, NO, NO);
    if (isKifFileName(fileName)) {
        readKifFile(fileName);
        return;
    }
    readRecord(fileName, {RECORD_MAX_FILE_BYTES, decodeRecordFile, texts::record::notRead,
                          texts::record::NO_MOVES});
}

void Form1::readRecord(const std::string& fileName, const RecordReading& kind) {
    Dialogs& dialogs = ports_.dialogs;
    // The whole file is read and checked before anything is reset: a file that cannot be used,
    // an empty record included, leaves the game on the board as it was.
    if (const std::string bad = checkFileName(fileName); !bad.empty()) {
        dialogs.message(bad, texts::record::TITLE);
        return;
    }
    const FileReadResult file =
        readWholeFile(joinPath(ports_.panel.folder(), fileName), kind.maxBytes);
    if (!file.ok) {
        dialogs.message(kind.notRead(file.error), texts::record::TITLE);
        return;
    }
    const RecordParseResult record = kind.decode(file.bytes);
    if (!record.ok) {
        dialogs.message(record.error, texts::record::TITLE);
        return;
    }
    if (record.count == 0) {
        dialogs.message(kind.noMoves, texts::record::TITLE);
        return;
    }
    // A good record replaces the game on the board: a game with unsaved moves asks first.
    if (!mayLoseUnsavedMoves(texts::record::READ_QUESTION, texts::record::TITLE)) return;

    Form_Load();
    if (closed) return;
    loadRecordIntoGame(s, record);
    gameName_ = fileStem(fileName);
    printRecordHeader(record.header.title, record.header.topPlayer, record.header.bottomPlayer);

    dialogs.message(texts::record::READ_DONE, texts::record::TITLE);
    dialogs.message(texts::match::STEP_WITH_AFTER, texts::record::TITLE);
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
        if (deviceNotReady(errno))
            ports_.dialogs.message(texts::file::DEVICE_NOT_READY, texts::record::DRIVE_TITLE);
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
