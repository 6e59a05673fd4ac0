// The in-memory parse of one data line: the first byte picks the target kinds,
// the rest is the line. Requests go on until the end of the record; every
// outcome must be a delivered value, the end indication, or the reader's
// failures 59 or 64.
#include "fuzz/fuzz_support.h"
#include "textio/value_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    beginFuzzRun();
    std::uint8_t kinds = data[0];
    const char* line = reinterpret_cast<const char*>(data + 1);
    try {
        beginTextParse(line, size - 1);
        bool ended = false;
        for (int request = 0; request < 2100 && !ended; ++request) {
            char text[16];
            std::int32_t integer = 0;
            double real = 0;
            switch ((kinds >> (request % 4 * 2)) & 3) {
            case 0: ended = parseValue(textTarget(text, sizeof text)) == ParseResult::endOfFile; break;
            case 1: ended = parseValue(integerTarget(integer)) == ParseResult::endOfFile; break;
            default: ended = parseValue(realTarget(real)) == ParseResult::endOfFile; break;
            }
        }
        if (!ended) endTextParse();
    } catch (const RunEnded& end) {
        if (!statusIn(end.status, {59, 64})) finding();
    }
    return 0;
}
