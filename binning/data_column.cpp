// readDataColumn. Only the chosen column's remembered value can reach the data
// set, so that one value is all that is kept between lines; the fields before
// it are parsed (their failures count) and dropped.
#include "binning/data_column.h"

#include "channels/line_input.h"
#include "textio/value_reader.h"

namespace {

void accept(BinningRun& run, double value) {
    run.count += 1;
    run.dataSet[run.count] = value;
    if (!(run.maximum >= value)) run.maximum = value;
    if (run.minimum > value) run.minimum = value;
    run.sum = run.sum + value;
}

}  // namespace

void readDataColumn(BinningRun& run) {
    static char lineBuffer[dataLineWidth];
    double remembered = 0.0;  // the chosen column's value from the last line that had it
    run.count = 0;
    run.maximum = -1.0e8;
    run.minimum = 1.0e8;
    run.sum = 0.0;
    for (int pass = 0; pass < maximumDataLines; ++pass) {
        if (readLine(dataChannel, lineBuffer, dataLineWidth, true) == -1) break;
        if (lineBuffer[0] == '#' || lineBuffer[1] == '#') continue;
        double position = 0.0;
        beginTextParse(lineBuffer, dataLineWidth);
        position = 1.0;
        bool ended = false;
        if (run.column >= 1) {
            std::int64_t taken = 0;
            ended = skipValues(run.column - 1, taken) == ParseResult::endOfFile;
            position += static_cast<double>(taken);
            if (!ended) {
                ended = parseValue(realTarget(remembered)) == ParseResult::endOfFile;
                if (!ended) position += 1.0;
            }
        }
        if (!ended) endTextParse();
        if (position > 1.0) accept(run, remembered);
    }
}
