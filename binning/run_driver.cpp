// run: the program's dialogue, in one fixed sequence of records and answers.
#include "binning/binning_run.h"

#include "binning/data_column.h"
#include "binning/histogram.h"
#include "binning/statistics.h"
#include "channels/open_channel.h"
#include "runtime/square_root.h"
#include "runtime/stop.h"
#include "textio/record_writer.h"
#include "textio/value_reader.h"

#include <string_view>

namespace {

constexpr int consoleIn = 5;
constexpr int consoleOut = 6;
constexpr int logChannel = 16;
constexpr std::string_view logFileName = "talvo.log";

std::string_view field(const char (&name)[nameFieldWidth]) { return {name, nameFieldWidth}; }

// The standard-deviation record: the square root is taken between the two
// items, so a domain error leaves the record unwritten.
void writeStandardDeviation(int channel, double variance) {
    RecordWrite write = beginWrite(channel);
    placeItem(write, textItem("std dev.: "));
    placeItem(write, realItem(squareRoot(variance)));
    endWrite(write);
}

void writeStatistics(int channel, const BinningRun& run) {
    writeItems(channel, {textItem("media: "), realItem(run.mean)});
    writeItems(channel, {textItem("varianza: "), realItem(run.variance)});
    writeStandardDeviation(channel, run.variance);
}

}  // namespace

void run() {
    static BinningRun run;

    writeItems(consoleOut, {textItem("esegue il binning di dati su una mesh data")});
    writeItems(consoleOut, {textItem("File di dati (ASCII n colonne)?")});
    readValue(consoleIn, textTarget(run.dataFileName, nameFieldWidth));
    writeItems(consoleOut, {textItem("File di uscita? (ASCII 2 colonne)?")});
    readValue(consoleIn, textTarget(run.histogramFileName, nameFieldWidth));
    writeItems(consoleOut, {textItem("colonna dei dati")});
    readValue(consoleIn, integerTarget(run.column));

    openChannel(histogramChannel, run.histogramFileName, nameFieldWidth, OpenMode::OpenOrCreate, false);
    if (openChannel(dataChannel, run.dataFileName, nameFieldWidth, OpenMode::ExistingOnly, true) != 0) {
        writeItems(consoleOut, {textItem("il file"), textItem(field(run.dataFileName)),
                                textItem(" Non esiste, 99 per uscire")});
        readValue(consoleIn, realTarget(run.finalAnswer));
        normalStop();
    }
    openChannel(logChannel, logFileName.data(), logFileName.size(), OpenMode::OpenOrCreate, false);

    writeItems(logChannel, {textItem("file dati: "), textItem(field(run.dataFileName))});
    writeItems(logChannel, {textItem("file out: "), textItem(field(run.histogramFileName))});
    writeItems(logChannel, {textItem("colonna dei dati : "), integerItem(run.column)});

    readDataColumn(run);
    writeItems(consoleOut, {textItem("letti "), integerItem(run.count), textItem(" dati")});
    writeItems(consoleOut, {textItem(" range: "), realItem(run.minimum), realItem(run.maximum)});
    writeItems(logChannel, {textItem("N. dati: "), integerItem(run.count), textItem(" Range: "),
                            realItem(run.minimum), realItem(run.maximum)});

    computeMeanAndVariance(run);
    writeStatistics(consoleOut, run);
    writeStatistics(logChannel, run);

    suggestions(run);
    writeItems(consoleOut, {textItem("valore minimo per gli intervalli? es.:"),
                            realItem(run.minimum - run.suggestionStep)});
    readValue(consoleIn, realTarget(run.lower));
    writeItems(consoleOut, {textItem("ampiezza dell'intervallo? es.:"), realItem(run.suggestionStep * 2.0)});
    readValue(consoleIn, realTarget(run.width));
    writeItems(consoleOut, {textItem("valore massimo? es.:"), realItem(run.suggestionStep + run.maximum)});
    readValue(consoleIn, realTarget(run.upper));

    computeBinCount(run);
    writeItems(consoleOut, {textItem(" N. di intervalli: "), integerItem(run.binCount)});
    writeItems(logChannel, {textItem("primo punto: "), realItem(run.width / 2.0 + run.lower)});
    writeItems(logChannel, {textItem("intervallo: "), realItem(run.width)});
    writeItems(logChannel, {textItem("N. bin: "), integerItem(run.binCount)});
    writeItems(logChannel,
               {textItem("estremo: "), realItem(static_cast<double>(run.binCount) * run.width + run.lower)});
    writeHistogram(run);

    writeItems(consoleOut, {textItem(" OK, 99 per uscire")});
    readValue(consoleIn, realTarget(run.finalAnswer));
    normalStop();
}
