// What sets one kind of record file apart in the record panel: its name, its encoding or
// decoding, and the few boxes it words its own way. Form1 writes and reads every kind through
// one flow (form1_record.cpp) with the same checks, questions and boxes in the same order.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "record/record_file.h"

namespace velk {

struct RecordWriting {
    std::string fileName;            // the name typed, with the kind's extension
    std::size_t extensionBytes = 0;  // what the extension takes of the name limit
    // The file's bytes for the header typed, or the box text that says why not.
    std::function<RecordEncodeResult(const RecordHeader& header)> encode;
    const char* written = nullptr;  // the box after a good write
};

struct RecordReading {
    std::size_t maxBytes = 0;
    RecordParseResult (*decode)(std::string_view bytes) = nullptr;
    std::string (*notRead)(std::string_view reason) = nullptr;  // the file could not be read
    const char* noMoves = nullptr;                              // it holds no move
};

}  // namespace velk
