// The free-format record writer: lays out texts, integers and doubles into
// records of at most 80 characters, each handed to the system with CR LF in
// one write the moment it is complete.
#pragma once

#include "channels/channel.h"

#include <cstdint>
#include <initializer_list>
#include <string_view>

struct OutputItem {
    enum class Kind { text, integer, real };
    Kind kind;
    std::string_view text;
    std::int32_t integer = 0;
    double real = 0.0;
};

inline OutputItem textItem(std::string_view text) { return {OutputItem::Kind::text, text}; }
inline OutputItem integerItem(std::int32_t value) { return {OutputItem::Kind::integer, {}, value}; }
inline OutputItem realItem(double value) { return {OutputItem::Kind::real, {}, 0, value}; }

// One write in progress on a channel, which it holds until endWrite.
struct RecordWrite {
    Channel* channel = nullptr;
    std::int32_t room = 0;   // free positions in the open record
    bool blankDue = true;    // the open record holds no item yet
    bool refused = false;    // the system refused a record of this write
    std::size_t length = 0;  // characters in the open record
};

// Starts a write on channel `number` (channel 6 connects to the standard
// output on its first write). A read-only channel fails with 47 here.
RecordWrite beginWrite(std::int32_t number);
// Places one item by the layout rules; may end records on the way.
void placeItem(RecordWrite& write, const OutputItem& item);
// Ends the last record and releases the channel. A refused record fails with 38.
void endWrite(RecordWrite& write);

// One whole write: begin, every item, end.
void writeItems(std::int32_t number, std::initializer_list<OutputItem> items);
