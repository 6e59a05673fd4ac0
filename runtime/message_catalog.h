// The message catalog: one row per reachable diagnostic, its text a template
// with %d/%ld (signed), %lx (unsigned hexadecimal) and %s (text) placeholders.
// Every text carries its own CR LF.
#pragma once

#include "runtime/diagnostic_code.h"

#include <span>
#include <string_view>

struct CatalogRow {
    DiagnosticCode code;
    std::string_view text;
};

std::span<const CatalogRow> messageCatalog();

// The row's text for code, or an empty view when the catalog has no row.
std::string_view catalogText(DiagnosticCode code);
