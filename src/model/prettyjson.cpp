#include "model/prettyjson.h"

#include "model/jsonescape.h"

#include <QUtf8StringView>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace mako {

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\n' || c == '\r' || c == '\t';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Offset of the closing quote of the string whose opening quote is at `open`. The text is
// already known to be valid, so an escape always has a character after the backslash.
size_t stringEnd(const char* text, size_t open)
{
    size_t i = open + 1;
    for (;;) {
        const char c = text[i];
        if (c == '"')
            return i;
        i += (c == '\\') ? 2 : 1;
    }
}

// Asks the caller whether to give up, once per kStopCheckBytes of progress, and remembers a
// yes so that every level of the recursion unwinds.
class StopCheck {
public:
    explicit StopCheck(const std::function<bool()>& stopRequested)
        : m_stopRequested(stopRequested)
    { }

    bool due(size_t progress)
    {
        if (m_stopped)
            return true;
        if (progress < m_next || !m_stopRequested)
            return false;
        m_next = progress + kStopCheckBytes;
        m_stopped = m_stopRequested();
        return m_stopped;
    }

    bool stopped() const { return m_stopped; }

    /// For a pass that counts its progress from zero again.
    void startPass() { m_next = kStopCheckBytes; }

private:
    const std::function<bool()>& m_stopRequested;
    size_t m_next = kStopCheckBytes;
    bool m_stopped = false;
};

// First pass: checks the whole grammar and records where every object and array ends, so that
// the second pass can step over a nested value without scanning it again.
class Validator {
public:
    Validator(const char* text, size_t size, StopCheck& stop)
        : m_text(text)
        , m_size(size)
        , m_stop(stop)
    { }

    bool run()
    {
        skipSpace();
        if (m_pos >= m_size || (m_text[m_pos] != '{' && m_text[m_pos] != '['))
            return false;
        if (!value(0))
            return false;
        skipSpace();
        return m_pos == m_size;
    }

    std::vector<uint32_t> starts;
    std::vector<uint32_t> ends;
    size_t valueCount = 0;
    size_t indentTotal = 0;

private:
    void skipSpace()
    {
        while (m_pos < m_size && isSpace(m_text[m_pos]))
            ++m_pos;
    }

    bool expect(char c)
    {
        if (m_pos < m_size && m_text[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }

    bool value(int depth)
    {
        if (m_pos >= m_size)
            return false;
        ++valueCount;
        indentTotal += static_cast<size_t>(depth);
        switch (m_text[m_pos]) {
        case '{':
            return container(depth, '}');
        case '[':
            return container(depth, ']');
        case '"':
            return string();
        case 't':
            return literal("true");
        case 'f':
            return literal("false");
        case 'n':
            return literal("null");
        default:
            return number();
        }
    }

    bool container(int depth, char close)
    {
        if (depth >= kMaxJsonDepth)
            return false;
        const size_t ordinal = starts.size();
        starts.push_back(static_cast<uint32_t>(m_pos));
        ends.push_back(0);
        ++m_pos;
        skipSpace();
        if (!expect(close)) {
            for (;;) {
                if (close == '}') {
                    if (m_pos >= m_size || m_text[m_pos] != '"' || !string())
                        return false;
                    skipSpace();
                    if (!expect(':'))
                        return false;
                    skipSpace();
                }
                if (!value(depth + 1) || m_stop.due(m_pos))
                    return false;
                skipSpace();
                if (expect(close))
                    break;
                if (!expect(','))
                    return false;
                skipSpace();
            }
        }
        ends[ordinal] = static_cast<uint32_t>(m_pos - 1);
        return true;
    }

    bool string()
    {
        ++m_pos;
        while (m_pos < m_size) {
            const auto c = static_cast<unsigned char>(m_text[m_pos]);
            if (c == '"') {
                ++m_pos;
                return true;
            }
            if (c < 0x20)
                return false;
            if (c == '\\') {
                if (m_pos + 1 >= m_size)
                    return false;
                const char e = m_text[m_pos + 1];
                if (e == 'u') {
                    if (m_pos + 5 >= m_size)
                        return false;
                    for (size_t k = 2; k < 6; ++k) {
                        if (hexValue(m_text[m_pos + k]) < 0)
                            return false;
                    }
                    m_pos += 6;
                    continue;
                }
                if (e == '\0' || !std::strchr("\"\\/bfnrt", e))
                    return false;
                m_pos += 2;
                continue;
            }
            ++m_pos;
        }
        return false;
    }

    bool literal(const char* word)
    {
        const size_t length = std::strlen(word);
        if (m_size - m_pos < length || std::memcmp(m_text + m_pos, word, length) != 0)
            return false;
        m_pos += length;
        return true;
    }

    bool digits()
    {
        const size_t begin = m_pos;
        while (m_pos < m_size && isDigit(m_text[m_pos]))
            ++m_pos;
        return m_pos > begin;
    }

    bool number()
    {
        expect('-');
        if (expect('0')) {
            // A leading zero stands alone.
        } else if (!digits()) {
            return false;
        }
        if (expect('.') && !digits())
            return false;
        if (m_pos < m_size && (m_text[m_pos] == 'e' || m_text[m_pos] == 'E')) {
            ++m_pos;
            if (!expect('+'))
                expect('-');
            if (!digits())
                return false;
        }
        return true;
    }

    const char* m_text;
    size_t m_size;
    size_t m_pos = 0;
    StopCheck& m_stop;
};

struct Member {
    uint32_t keyBegin; // first byte after the opening quote
    uint32_t keyEnd; // the closing quote
    uint32_t value;
    bool escaped;
};

void appendUtf8(std::string& out, uint32_t codePoint)
{
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

uint32_t hex4(const char* p)
{
    return static_cast<uint32_t>(
        (hexValue(p[0]) << 12) | (hexValue(p[1]) << 8) | (hexValue(p[2]) << 4) | hexValue(p[3]));
}

// Decodes the escapes of a string body. A lone surrogate cannot become UTF-8; its escape is kept
// as written (marked so that the writer copies it) rather than corrupting the text.

std::string decodeString(const char* begin, const char* end)
{
    std::string out;
    out.reserve(static_cast<size_t>(end - begin));
    for (const char* p = begin; p < end;) {
        if (*p != '\\') {
            out += *p++;
            continue;
        }
        const char e = p[1];
        switch (e) {
        case 'b':
            out += '\b';
            break;
        case 'f':
            out += '\f';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 't':
            out += '\t';
            break;
        case 'u': {
            uint32_t unit = hex4(p + 2);
            if (unit >= 0xD800 && unit <= 0xDBFF && end - p >= 12 && p[6] == '\\' && p[7] == 'u') {
                const uint32_t low = hex4(p + 8);
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                    p += 12;
                    continue;
                }
            }
            if (unit >= 0xD800 && unit <= 0xDFFF) {
                // Marker bytes that cannot occur in valid UTF-8; the writer turns them back
                // into the escape.
                out += '\xFF';
                out.append(p + 2, 4);
            } else {
                appendUtf8(out, unit);
            }
            p += 6;
            continue;
        }
        default:
            out += e; // '"', '\\' or '/'
            break;
        }
        p += 2;
    }
    return out;
}

class Writer {
public:
    Writer(
        const char* text, const Validator& index, size_t estimate, StopCheck& stop, JsonSlash slash)
        : m_text(text)
        , m_starts(index.starts)
        , m_ends(index.ends)
        , m_stop(stop)
        , m_escapeSlash(slash == JsonSlash::escaped)
    {
        m_out.resize(static_cast<qsizetype>(estimate));
        m_levels.resize(static_cast<size_t>(kMaxJsonDepth) + 1);
    }

    QByteArray finish()
    {
        m_out.resize(static_cast<qsizetype>(m_used));
        m_out.squeeze();
        return std::move(m_out);
    }

    void value(size_t pos, int depth)
    {
        switch (m_text[pos]) {
        case '{':
            object(pos, depth);
            return;
        case '[':
            array(pos, depth);
            return;
        case '"':
            string(pos + 1, stringEnd(m_text, pos));
            return;
        default:
            write(m_text + pos, scalarEnd(pos) - pos);
            return;
        }
    }

private:
    size_t containerEnd(size_t pos) const
    {
        const auto it = std::lower_bound(m_starts.begin(), m_starts.end(), pos);
        return m_ends[static_cast<size_t>(it - m_starts.begin())];
    }

    size_t scalarEnd(size_t pos) const
    {
        size_t i = pos;
        while (true) {
            const char c = m_text[i];
            // Every scalar sits inside a container, so a delimiter always follows it.
            if (c == ',' || c == '}' || c == ']' || isSpace(c))
                return i;
            ++i;
        }
    }

    // Offset just past the value that starts at pos.
    size_t skipValue(size_t pos) const
    {
        switch (m_text[pos]) {
        case '{':
        case '[':
            return containerEnd(pos) + 1;
        case '"':
            return stringEnd(m_text, pos) + 1;
        default:
            return scalarEnd(pos);
        }
    }

    size_t skipSpace(size_t pos) const
    {
        while (isSpace(m_text[pos]))
            ++pos;
        return pos;
    }

    void array(size_t pos, int depth)
    {
        const size_t end = containerEnd(pos);
        size_t p = skipSpace(pos + 1);
        if (p == end) {
            write("[]", 2);
            return;
        }
        write("[\n", 2);
        for (bool first = true; p < end; first = false) {
            if (m_stop.due(m_used))
                return;
            if (!first)
                write(",\n", 2);
            indent(depth + 1);
            value(p, depth + 1);
            p = skipSpace(skipValue(p));
            if (m_text[p] == ',')
                p = skipSpace(p + 1);
        }
        write("\n", 1);
        indent(depth);
        write("]", 1);
    }

    void object(size_t pos, int depth)
    {
        const size_t end = containerEnd(pos);
        std::vector<Member>& members = m_levels[static_cast<size_t>(depth)];
        members.clear();
        for (size_t p = skipSpace(pos + 1); p < end;) {
            const size_t keyEnd = stringEnd(m_text, p);
            const bool escaped = std::memchr(m_text + p + 1, '\\', keyEnd - p - 1) != nullptr;
            const size_t v = skipSpace(skipSpace(keyEnd + 1) + 1); // past the colon
            members.push_back({static_cast<uint32_t>(p + 1), static_cast<uint32_t>(keyEnd),
                static_cast<uint32_t>(v), escaped});
            p = skipSpace(skipValue(v));
            if (m_text[p] == ',')
                p = skipSpace(p + 1);
        }
        if (members.empty()) {
            write("{}", 2);
            return;
        }
        sortMembers(members);
        write("{\n", 2);
        bool wroteMember = false;
        for (size_t i = 0; i < members.size(); ++i) {
            // Of equal keys keep the last written, as a parsed map would.
            if (i + 1 < members.size() && keyEquals(members[i], members[i + 1]))
                continue;
            if (m_stop.due(m_used))
                return;
            if (wroteMember)
                write(",\n", 2);
            wroteMember = true;
            indent(depth + 1);
            string(members[i].keyBegin, members[i].keyEnd);
            write(" : ", 3);
            value(members[i].value, depth + 1);
        }
        write("\n", 1);
        indent(depth);
        write("}", 1);
    }

    std::string keyText(const Member& m) const
    {
        if (m.escaped)
            return decodeString(m_text + m.keyBegin, m_text + m.keyEnd);
        return std::string(m_text + m.keyBegin, m.keyEnd - m.keyBegin);
    }

    int compareKeys(const Member& a, const Member& b) const
    {
        if (!a.escaped && !b.escaped) {
            const size_t la = a.keyEnd - a.keyBegin;
            const size_t lb = b.keyEnd - b.keyBegin;
            const int c = std::memcmp(m_text + a.keyBegin, m_text + b.keyBegin, std::min(la, lb));
            if (c != 0)
                return c;
            return la < lb ? -1 : (la > lb ? 1 : 0);
        }
        return keyText(a).compare(keyText(b));
    }

    bool keyEquals(const Member& a, const Member& b) const { return compareKeys(a, b) == 0; }

    void sortMembers(std::vector<Member>& members) const
    {
        // Stable, so that among equal keys the last written stays last.
        std::stable_sort(members.begin(), members.end(),
            [this](const Member& a, const Member& b) { return compareKeys(a, b) < 0; });
    }

    void string(size_t begin, size_t end)
    {
        const char* b = m_text + begin;
        const size_t length = end - begin;
        if (!std::memchr(b, '\\', length) && !(m_escapeSlash && std::memchr(b, '/', length))) {
            reserve(length + 2);
            char* out = m_out.data() + m_used;
            out[0] = '"';
            std::memcpy(out + 1, b, length);
            out[length + 1] = '"';
            m_used += length + 2;
            return;
        }
        writeEscaped(decodeString(b, m_text + end));
    }

    void writeEscaped(const std::string& text)
    {
        QByteArray literal;
        appendJsonString(literal, text, m_escapeSlash);
        write(literal.constData(), size_t(literal.size()));
    }

    void indent(int depth)
    {
        const auto count = static_cast<size_t>(depth) * 2;
        reserve(count);
        std::memset(m_out.data() + m_used, ' ', count);
        m_used += count;
    }

    void write(const char* data, size_t length)
    {
        reserve(length);
        std::memcpy(m_out.data() + m_used, data, length);
        m_used += length;
    }

    void reserve(size_t extra)
    {
        const auto needed = m_used + extra;
        if (needed > static_cast<size_t>(m_out.size()))
            m_out.resize(static_cast<qsizetype>(std::max(needed, m_used + m_used / 4 + 4096)));
    }

    const char* m_text;
    const std::vector<uint32_t>& m_starts;
    const std::vector<uint32_t>& m_ends;
    std::vector<std::vector<Member>> m_levels;
    QByteArray m_out;
    size_t m_used = 0;
    StopCheck& m_stop;
    const bool m_escapeSlash;
};

} // namespace

std::optional<QByteArray> prettyPrintJson(
    QByteArrayView json, const std::function<bool()>& stopRequested, JsonSlash slash)
{
    // Offsets are kept in 32 bits to keep the index small.
    if (json.size() >= static_cast<qsizetype>(std::numeric_limits<uint32_t>::max()))
        return std::nullopt;
    if (!QUtf8StringView(json.data(), json.size()).isValidUtf8())
        return std::nullopt;

    const char* text = json.data();
    StopCheck stop(stopRequested);
    Validator index(text, static_cast<size_t>(json.size()), stop);
    if (!index.run())
        return std::nullopt;

    const size_t estimate
        = static_cast<size_t>(json.size()) + index.valueCount * 4 + index.indentTotal * 2;
    stop.startPass();
    Writer writer(text, index, estimate, stop, slash);
    writer.value(index.starts.front(), 0);
    if (stop.stopped())
        return std::nullopt;
    return writer.finish();
}

} // namespace mako
