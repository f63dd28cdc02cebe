// libFuzzer entry for the KIF reader: any bytes must give either a checked record or an error
// message, never a crash; what is accepted must write as KIF and read back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "record/kif.h"
#include "record/record_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const velk::RecordParseResult r = velk::decodeKif(bytes);
    if (!r.ok) {
        if (r.error.empty()) std::abort();
        return 0;
    }
    if (r.count < 0 || r.count > velk::MAX_MOVES) std::abort();
    const velk::KifEncodeResult kif =
        velk::encodeKif(r.header, r.moves, r.count, {"", velk::kifEndingOf(r.moves, r.count)});
    if (!kif.ok) std::abort();
    const velk::RecordParseResult back = velk::decodeKif(kif.text);
    if (!back.ok || back.count != r.count || back.header.title != r.header.title ||
        back.header.topPlayer != r.header.topPlayer ||
        back.header.bottomPlayer != r.header.bottomPlayer)
        std::abort();
    for (int n = 1; n <= r.count; ++n)
        if (velk::formatMoveLine(back.moves, n) != velk::formatMoveLine(r.moves, n)) std::abort();
    return 0;
}
