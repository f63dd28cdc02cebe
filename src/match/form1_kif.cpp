// The 棋譜 menu's KIF items: writing the game on the board as KIF through the record panel, and
// reading a KIF game for stepping through with 進, as the .棋譜 writer and reader do.
#include "match/form1.h"
#include "match/record_formats.h"
#include "record/file_io.h"
#include "record/kif.h"
#include "record/record_file.h"
#include "texts/texts.h"

namespace velk {

namespace {

constexpr std::string_view KIF_EXTENSION = ".kif";    // CP932
constexpr std::string_view KIFU_EXTENSION = ".kifu";  // UTF-8

bool endsWith(std::string_view s, std::string_view tail) {
    return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

}  // namespace

std::string fileStem(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    return std::string(dot == std::string_view::npos || dot == 0 ? name : name.substr(0, dot));
}

bool isKifFileName(std::string_view name) {
    return endsWith(name, KIF_EXTENSION) || endsWith(name, KIFU_EXTENSION);
}

void Form1::KIF_WRITE_Click() {
    if (closed) return;
    KIFU_WRITE_Click();
    // The panel opened past the checks above writes KIF until another item opens it; it says
    // so, and offers the game's name with the KIF extension.
    if (s.reversed != YES && s.handicapSet != YES && net_ == nullptr) {
        kifWrite_ = true;
        ports_.panel.setLabel(1, texts::record::KIF_FILE_LABEL);
        ports_.panel.setText(
            1, (gameName_.empty() ? std::string(texts::record::DEFAULT_GAME_NAME) : gameName_) +
                   std::string(KIF_EXTENSION));
    }
}

void Form1::KIF_READ_Click() {
    if (closed) return;
    // One file list shows both kinds of record; a click reads a file by its extension.
    KIFU_READ_Click();
}

void Form1::writeKifFile() {
    const std::string name = ports_.panel.text(1);
    if (!panelNameUsable(name)) return;
    // A name typed with .kifu is written in UTF-8, one with .kif or none in CP932 as .kif.
    const KifEncoding encoding =
        endsWith(name, KIFU_EXTENSION) ? KifEncoding::Utf8 : KifEncoding::Cp932;
    const auto encode = [this, encoding](const RecordHeader& header) {
        KifInfo info;
        info.ending = kifEndingOf(s.record, s.moveNo);
        info.comPiecesShown = s.comPiecesShown == YES;
        if (s.moveNo == s.moveNoLast) {
            // A finished game's tenth miss came after its last move: no entry holds it.
            const int missMAN = finished_ ? finished_->missMAN : s.missCountMAN;
            const int missCOM = finished_ ? finished_->missCOM : s.missCountCOM;
            if (missMAN > 9) info.ending = KifEnding::TenthMissMAN;
            if (missCOM > 9) info.ending = KifEnding::TenthMissCOM;
            if (resignedSide() != Side::None) info.ending = KifEnding::Resigned;
        }
        const KifEncodeResult kif = encodeKif(header, s.record, s.moveNo, info);
        RecordEncodeResult file;
        if (!kif.ok) {
            file.error = kif.error;
        } else if (std::optional<std::string> bytes = kifFileBytes(kif.text, encoding)) {
            file.ok = true;
            file.bytes = std::move(*bytes);
        } else {
            file.error = texts::kif::NOT_CP932;
        }
        return file;
    };
    writeRecord({isKifFileName(name) ? name : name + std::string(KIF_EXTENSION),
                 KIF_EXTENSION.size(), encode, texts::kif::WRITTEN});
}

void Form1::readKifFile(const std::string& fileName) {
    readRecord(fileName,
               {KIF_MAX_FILE_BYTES, decodeKif, texts::kif::notRead, texts::kif::NO_MOVES});
}

}  // namespace velk
