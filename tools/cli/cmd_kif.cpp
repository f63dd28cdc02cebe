// velk-tsuitate-cli kif / kif-import: a .棋譜 record as KIF, and a KIF game as a .棋譜 record.
#include <istream>
#include <iterator>
#include <ostream>
#include <string>

#include "cli/kif_commands.h"
#include "record/kif.h"
#include "record/record_file.h"
#include "texts/texts.h"

namespace velk::cli {

namespace {

// The whole input, or one byte more than limit to tell that it is too large.
std::string readAll(std::istream& in, std::size_t limit) {
    std::string bytes;
    char buf[4096];
    while (bytes.size() <= limit && in.read(buf, sizeof buf).gcount() > 0)
        bytes.append(buf, static_cast<std::size_t>(in.gcount()));
    return bytes;
}

}  // namespace

int runKif(std::istream& in, std::ostream& out, std::ostream& err, bool sjis) {
    const RecordParseResult record = decodeRecordFile(readAll(in, RECORD_MAX_FILE_BYTES));
    if (!record.ok) {
        err << record.error << '\n';
        return 1;
    }
    const KifInfo info{{}, kifEndingOf(record.moves, record.count)};
    const KifEncodeResult kif = encodeKif(record.header, record.moves, record.count, info);
    if (!kif.ok) {
        err << kif.error << '\n';
        return 1;
    }
    const auto bytes = kifFileBytes(kif.text, sjis ? KifEncoding::Cp932 : KifEncoding::Utf8);
    if (!bytes) {
        err << texts::kif::CLI_NOT_CP932 << '\n';
        return 1;
    }
    out << *bytes;
    return 0;
}

int runKifImport(std::istream& in, std::ostream& out, std::ostream& err) {
    const RecordParseResult record = decodeKif(readAll(in, KIF_MAX_FILE_BYTES));
    if (!record.ok) {
        err << record.error << '\n';
        return 1;
    }
    // A game without a move is no record, as the window's KIF読込 says too.
    if (record.count == 0) {
        err << texts::kif::NO_MOVES << '\n';
        return 1;
    }
    const RecordEncodeResult file = encodeRecordFile(record.header, record.moves, record.count);
    if (!file.ok) {
        err << file.error << '\n';
        return 1;
    }
    out << file.bytes;
    return 0;
}

}  // namespace velk::cli
