// libFuzzer entry for the record-file reader: any bytes must give either a checked record or an
// error message, never a crash or a read out of bounds; what is accepted must write back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "record/record_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const velk::RecordParseResult r = velk::decodeRecordFile(bytes);
    if (!r.ok) {
        if (r.error.empty()) std::abort();
        return 0;
    }
    if (r.count < 0 || r.count > velk::MAX_MOVES) std::abort();
    const velk::RecordEncodeResult again = velk::encodeRecordFile(r.header, r.moves, r.count);
    if (!again.ok) std::abort();
    // Reading what was written gives the same record.
    const velk::RecordParseResult back = velk::decodeRecordFile(again.bytes);
    if (!back.ok || back.count != r.count || back.header.title != r.header.title) std::abort();
    return 0;
}
