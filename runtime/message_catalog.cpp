// The rows of the message catalog that this program can reach.
#include "runtime/message_catalog.h"

namespace {

constexpr CatalogRow rows[] = {
    {diagnostic::permissionDenied, "permission to access file denied, unit %d, file %s\r\n"},
    {diagnostic::recordTooLong, "input record too long, unit %d, file %s\r\n"},
    {diagnostic::endOfFile, "end-of-file during read, unit %d, file %s\r\n"},
    {diagnostic::closeError, "CLOSE error, unit %d, file %s\r\n"},
    {diagnostic::fileNotFound, "file not found, unit %d, file %s\r\n"},
    {diagnostic::openFailure, "open failure, unit %d, file %s\r\n"},
    {diagnostic::writeError, "error during write, unit %d, file %s\r\n"},
    {diagnostic::readError, "error during read, unit %d, file %s\r\n"},
    {diagnostic::recursiveOperation, "recursive I/O operation, unit %d, file %s\r\n"},
    {diagnostic::outOfMemory, "insufficient virtual memory\r\n"},
    {diagnostic::noSuchDevice, "no such device, unit %d, file %s\r\n"},
    {diagnostic::badFileName, "file name specification error, unit %d, file %s\r\n"},
    {diagnostic::writeToReadOnly, "write to READONLY file, unit %d, file %s\r\n"},
    {diagnostic::syntaxError, "list-directed I/O syntax error, unit %d, file %s\r\n"},
    {diagnostic::conversionError, "input conversion error, unit %d, file %s\r\n"},
    {diagnostic::consoleEvent, "program aborting due to %s event\r\n"},
};

}  // namespace

std::span<const CatalogRow> messageCatalog() { return rows; }

std::string_view catalogText(DiagnosticCode code) {
    for (const CatalogRow& row : rows)
        if (row.code == code) return row.text;
    return {};
}
