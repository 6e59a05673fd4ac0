// The value scanner shared by console requests and in-memory parses, and the
// delivery of a token to its target.
#include "textio/value_reader.h"

#include "channels/channel_table.h"
#include "channels/line_input.h"
#include "runtime/reports.h"
#include "textio/number_conversion.h"

#include <cmath>
#include <cstring>
#include <new>
#include <vector>

namespace {

enum class TokenClass { nullValue, slash, quotedString, plainString, logicalWord, number };

struct Token {
    TokenClass kind = TokenClass::nullValue;
    std::size_t start = 0;   // number: its characters in the record
    std::size_t length = 0;  // number: in the record; strings: in tokenBuffer
    bool realForm = false;   // a number with a period or an exponent letter
    char letter = 0;         // logical word: its first letter
};

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool isLogicalLetter(char c) { return c == 'T' || c == 't' || c == 'F' || c == 'f'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isExponentLetter(char c) {
    switch (c) {
    case 'E': case 'e': case 'D': case 'd': case 'Q': case 'q': return true;
    default: return false;
    }
}
// Characters that end a number or a logical word without being part of it.
bool endsValue(char c) { return isBlank(c) || c == ',' || c == '/' || c == ')'; }

class ValueScanner {
public:
    // Console: the channel's current record; in memory: the private copy.
    void start(Channel& channel, const char* record, std::size_t length, bool inMemory) {
        channel_ = &channel;
        inMemory_ = inMemory;
        record_ = record;
        end_ = length;
        cursor_ = 0;
        firstToken_ = true;
        commaTaken_ = slashSeen_ = pairOpen_ = false;
        repeatRemaining_ = 0;
        if (tokenBuffer_.size() < maximumStringLength + 1) {
            try {
                tokenBuffer_.resize(maximumStringLength + 1);
            } catch (const std::bad_alloc&) {
                issueDiagnostic(diagnostic::outOfMemory, {});
            }
        }
    }

    // One value request. False: the in-memory record holds no further value.
    bool request(const ValueTarget& target) {
        if (slashSeen_) return true;
        if (repeatRemaining_ > 0) {
            --repeatRemaining_;
        } else {
            commaTaken_ = pairOpen_ = false;
            if (!scan(target.kind)) return false;
        }
        deliver(target);
        firstToken_ = false;
        return true;
    }

    // Takes up to count values without keeping them; false at the end of
    // the record. Repeats and the state after a slash are passed in one step.
    bool skip(std::int64_t count, std::int64_t& taken) {
        double scratch = 0.0;
        ValueTarget target = realTarget(scratch);
        taken = 0;
        while (taken < count) {
            if (slashSeen_) {
                taken = count;
                break;
            }
            if (repeatRemaining_ > 0) {
                std::int64_t reused = std::min<std::int64_t>(repeatRemaining_, count - taken);
                repeatRemaining_ -= static_cast<std::int32_t>(reused);
                taken += reused;
                firstToken_ = false;
                continue;
            }
            if (!request(target)) return false;
            ++taken;
        }
        return true;
    }

    [[noreturn]] void fail(DiagnosticCode code) {
        reportChannelFailure(ChannelDisposal::release, code, *channel_);
        __builtin_unreachable();  // no error branch: the report ends the run
    }

private:
    // Moves to the next character that is not a blank; false at the end of
    // an in-memory record. On the console blank records are passed over.
    bool skipToToken() {
        for (;;) {
            while (cursor_ < end_ && isBlank(record_[cursor_])) ++cursor_;
            if (cursor_ < end_) return true;
            if (inMemory_) {
                // The one record is used up; a pair left open there is an error.
                if (pairOpen_) fail(diagnostic::syntaxError);
                return false;
            }
            fetchRecord();
            firstToken_ = true;
        }
    }

    void fetchRecord() {
        if (DiagnosticCode failure = readRecord(*channel_)) fail(failure);
        record_ = channel_->buffer.data() + channel_->recordStart;
        end_ = channel_->recordEnd - channel_->recordStart;
        cursor_ = 0;
    }

    bool scan(TargetKind kind) {
        for (;;) {
            if (!skipToToken()) return false;
            char c = record_[cursor_];
            if (c == '"' || c == '\'') {
                scanQuoted();
                checkPair();
                return true;
            }
            if (c == ',') {
                if (commaIsNull()) {
                    ++cursor_;
                    token_ = Token{TokenClass::nullValue};
                    checkPair();
                    return true;
                }
                ++cursor_;
                commaTaken_ = true;
                continue;
            }
            if (c == '/') {
                checkPair();
                slashSeen_ = true;
                token_ = Token{TokenClass::slash};
                return true;
            }
            if (kind == TargetKind::text) {
                if (startsRepeatCount())
                    scanNumberWithRepeat();
                else
                    scanPlain();
                return true;
            }
            if (c == '(') {
                if (pairOpen_) fail(diagnostic::syntaxError);
                pairOpen_ = true;
                ++cursor_;
                continue;
            }
            if (c == ')') fail(diagnostic::syntaxError);
            if (pairOpen_) {
                scanNumberOrWord(false);
                if (token_.kind != TokenClass::number) fail(diagnostic::syntaxError);
                if (kind == TargetKind::real) closePair();
                return true;
            }
            scanNumberWithRepeat();
            return true;
        }
    }

    // A token other than a number may not follow an open parenthesis.
    void checkPair() {
        if (pairOpen_) fail(diagnostic::syntaxError);
    }

    bool commaIsNull() const {
        if (firstToken_ || commaTaken_) return true;
        if (cursor_ > 0 && (record_[cursor_ - 1] == ',' || record_[cursor_ - 1] == '*')) return true;
        std::size_t back = cursor_;
        while (back > 0 && (record_[back - 1] == ' ' || record_[back - 1] == '\t')) --back;
        return back > 0 && record_[back - 1] == ',';
    }

    bool startsRepeatCount() const {
        std::size_t i = cursor_;
        while (i < end_ && isDigit(record_[i])) ++i;
        return i < end_ && record_[i] == '*';
    }

    // A number or logical word, by the number-target rules; a number ending in
    // an asterisk carries a repeat count.
    void scanNumberWithRepeat() {
        scanNumberOrWord(true);
        if (token_.kind != TokenClass::number || token_.length == 0 || record_[token_.start + token_.length - 1] != '*')
            return;
        if (token_.length == 1) fail(diagnostic::syntaxError);
        Int32Conversion count = parseInt32Text(record_ + token_.start, token_.length - 1);
        if (count.status != ConversionStatus::success) fail(diagnostic::conversionError);
        repeatRemaining_ = count.value > 1 ? count.value - 1 : 0;
        if (cursor_ >= end_ || record_[cursor_] == ' ' || record_[cursor_] == '\t') {
            token_ = Token{TokenClass::nullValue};
            return;
        }
        // The repeated value starts right after the asterisk.
        char c = record_[cursor_];
        if (c == '"' || c == '\'') return scanQuoted();
        if (c == '/') {
            slashSeen_ = true;
            token_ = Token{TokenClass::slash};
            return;
        }
        if (c == ',') {
            ++cursor_;  // right after an asterisk a comma is a null value
            token_ = Token{TokenClass::nullValue};
            return;
        }
        if (c == '(' || c == ')') fail(diagnostic::syntaxError);
        scanNumberOrWord(false);
    }

    // A logical word or a number at the cursor. With allowRepeat false a
    // number may not end in an asterisk.
    void scanNumberOrWord(bool allowRepeat) {
        char c = record_[cursor_];
        bool periodWord = c == '.' && cursor_ + 1 < end_ && isLogicalLetter(record_[cursor_ + 1]);
        if (periodWord || isLogicalLetter(c)) {
            token_ = Token{TokenClass::logicalWord};
            token_.letter = record_[cursor_ + (periodWord ? 1 : 0)];
            while (cursor_ < end_ && !endsValue(record_[cursor_])) ++cursor_;
            return;
        }
        token_ = Token{TokenClass::number};
        token_.start = cursor_;
        bool period = false, exponentLetter = false;
        while (cursor_ < end_) {
            char d = record_[cursor_];
            if (endsValue(d)) break;
            ++cursor_;
            if (d == '*') {
                if (!allowRepeat) fail(diagnostic::syntaxError);
                break;
            }
            if (isDigit(d) || d == '+' || d == '-') continue;
            if (d == '.' && !period) {
                period = true;
                continue;
            }
            if (isExponentLetter(d) && !exponentLetter) {
                exponentLetter = true;
                continue;
            }
            fail(diagnostic::syntaxError);
        }
        token_.length = cursor_ - token_.start;
        token_.realForm = period || exponentLetter;
    }

    // After the first number of a pair: blanks, a comma, then directly a
    // second number of the form [sign] digit {digit} [. {digit}] [letter {digit}]
    // and the closing parenthesis.
    void closePair() {
        std::size_t i = cursor_;
        while (i < end_ && (record_[i] == ' ' || record_[i] == '\t')) ++i;
        if (i >= end_ || record_[i] != ',') fail(diagnostic::syntaxError);
        ++i;
        if (i < end_ && (record_[i] == '+' || record_[i] == '-')) ++i;
        if (i >= end_ || !isDigit(record_[i])) fail(diagnostic::syntaxError);
        while (i < end_ && isDigit(record_[i])) ++i;
        if (i < end_ && record_[i] == '.') {
            ++i;
            while (i < end_ && isDigit(record_[i])) ++i;
        }
        if (i < end_ && isExponentLetter(record_[i])) {
            ++i;
            while (i < end_ && isDigit(record_[i])) ++i;
        }
        if (i >= end_ || record_[i] != ')') fail(diagnostic::syntaxError);
        cursor_ = i + 1;
        pairOpen_ = false;
    }

    void collect(std::size_t& length, char c) {
        if (length >= maximumStringLength) fail(diagnostic::syntaxError);
        tokenBuffer_[length++] = c;
    }

    void scanQuoted() {
        char mark = record_[cursor_++];
        token_ = Token{TokenClass::quotedString};
        std::size_t length = 0;
        for (;;) {
            if (cursor_ >= end_) {
                // On the console a string goes on in the next record.
                if (inMemory_) fail(diagnostic::syntaxError);
                fetchRecord();
                continue;
            }
            char c = record_[cursor_++];
            if (c == mark) {
                if (cursor_ < end_ && record_[cursor_] == mark) {
                    ++cursor_;
                    collect(length, mark);
                    continue;
                }
                break;
            }
            collect(length, c);
        }
        token_.length = length;
    }

    void scanPlain() {
        token_ = Token{TokenClass::plainString};
        std::size_t length = 0;
        while (cursor_ < end_) {
            char c = record_[cursor_];
            if (isBlank(c) || c == ',' || c == '/' || c == '\0') break;
            collect(length, c);
            ++cursor_;
        }
        token_.length = length;
    }

    void deliver(const ValueTarget& target) {
        switch (token_.kind) {
        case TokenClass::nullValue:
        case TokenClass::slash: return;
        case TokenClass::quotedString:
        case TokenClass::plainString:
            if (target.kind != TargetKind::text) fail(diagnostic::conversionError);
            {
                std::size_t copied = std::min(token_.length, target.width);
                std::memcpy(target.text, tokenBuffer_.data(), copied);
                std::memset(target.text + copied, ' ', target.width - copied);
            }
            return;
        case TokenClass::logicalWord:
            if (target.kind == TargetKind::text) fail(diagnostic::syntaxError);
            if (target.kind == TargetKind::integer)
                *target.integer = logicalWordValue(token_.letter);
            else
                *target.real = logicalWordValue(token_.letter);
            return;
        case TokenClass::number: deliverNumber(target); return;
        }
    }

    void deliverNumber(const ValueTarget& target) {
        if (target.kind == TargetKind::text) fail(diagnostic::syntaxError);
        const char* text = record_ + token_.start;
        std::size_t length = token_.length;
        if (target.kind == TargetKind::integer && !token_.realForm) {
            Int32Conversion converted = parseInt32Text(text, length);
            if (converted.status != ConversionStatus::success) fail(diagnostic::conversionError);
            *target.integer = converted.value;
            return;
        }
        DoubleConversion converted = parseDoubleText(text, length);
        if (converted.status != ConversionStatus::success) fail(diagnostic::conversionError);
        if (target.kind == TargetKind::real) {
            *target.real = converted.value;
            return;
        }
        // Truncated to 64 bits; the low 32 bits are stored.
        double truncated = std::trunc(converted.value);
        std::int64_t wide = std::fabs(truncated) >= 9223372036854775808.0 ? 0 : static_cast<std::int64_t>(truncated);
        *target.integer = static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(wide)));
    }

    Channel* channel_ = nullptr;
    bool inMemory_ = false;
    const char* record_ = nullptr;
    std::size_t cursor_ = 0, end_ = 0;
    bool firstToken_ = true, commaTaken_ = false, slashSeen_ = false, pairOpen_ = false;
    std::int32_t repeatRemaining_ = 0;
    Token token_;
    std::vector<char> tokenBuffer_;
};

// The in-memory parse: its channel record, its copy of the text, its scanner.
struct TextParse {
    Channel channel;
    std::vector<char> copy;
    ValueScanner scanner;
};

TextParse& textParse() {
    static TextParse parse;
    return parse;
}

}  // namespace

void readValue(std::int32_t number, const ValueTarget& target) {
    Channel& channel = channelFor(number, false);
    channel.errorBranch = channel.endBranch = false;
    if (DiagnosticCode failure = readRecord(channel)) reportChannelFailure(ChannelDisposal::release, failure, channel);
    static ValueScanner scanner;
    scanner.start(channel, channel.buffer.data() + channel.recordStart, channel.recordEnd - channel.recordStart,
                  false);
    scanner.request(target);
    releaseChannel(number);
}

void beginTextParse(const char* text, std::size_t length) {
    TextParse& parse = textParse();
    parse.channel.number = internalReadChannel;
    parse.channel.name = internalReadName;
    parse.channel.named = true;
    parse.channel.endBranch = true;
    parse.channel.errorBranch = false;
    try {
        parse.copy.assign(text, text + length);
    } catch (const std::bad_alloc&) {
        issueDiagnostic(diagnostic::outOfMemory, {});
    }
    parse.scanner.start(parse.channel, parse.copy.data(), length, true);
}

ParseResult parseValue(const ValueTarget& target) {
    TextParse& parse = textParse();
    if (parse.scanner.request(target)) return ParseResult::delivered;
    reportChannelFailure(ChannelDisposal::keep, diagnostic::endOfFile, parse.channel);
    return ParseResult::endOfFile;
}

ParseResult skipValues(std::int64_t count, std::int64_t& taken) {
    TextParse& parse = textParse();
    if (parse.scanner.skip(count, taken)) return ParseResult::delivered;
    reportChannelFailure(ChannelDisposal::keep, diagnostic::endOfFile, parse.channel);
    return ParseResult::endOfFile;
}

void endTextParse() {}
