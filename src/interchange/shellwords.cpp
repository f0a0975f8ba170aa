#include "interchange/curlparser.h"

#include <QByteArray>
#include <QHash>

using namespace Qt::StringLiterals;

namespace mako::CurlParser {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

int digitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    int value = -1;
    if (u >= u'0' && u <= u'9')
        value = u - u'0';
    else if (u >= u'a' && u <= u'f')
        value = u - u'a' + 10;
    else if (u >= u'A' && u <= u'F')
        value = u - u'A' + 10;
    return value < base ? value : -1;
}

// Reads up to maxDigits digits of the given base starting at i; returns the value and moves
// i past them, or -1 (i unchanged) when there is none.
qint64 readNumber(const QString& text, qsizetype& i, int base, int maxDigits)
{
    qint64 value = 0;
    int digits = 0;
    while (digits < maxDigits && i < text.size() && digitValue(text[i], base) >= 0) {
        value = value * base + digitValue(text[i], base);
        ++digits;
        ++i;
    }
    return digits == 0 ? -1 : value;
}

void appendCodePoint(QByteArray& bytes, char32_t codePoint)
{
    bytes += QString::fromUcs4(&codePoint, 1).toUtf8();
}

// Bash's $'…' quoting. \x and octal escapes give bytes, so a UTF-8 sequence spelled out
// byte by byte decodes to its character, as it does in the shell.
std::optional<qsizetype> readAnsiC(const QString& text, qsizetype i, QString& word)
{
    QByteArray bytes;
    while (i < text.size()) {
        const QChar c = text[i++];
        if (c == u'\'') {
            word += QString::fromUtf8(bytes);
            return i;
        }
        if (c != u'\\' || i >= text.size()) {
            bytes += QString(c).toUtf8();
            continue;
        }
        const QChar e = text[i++];
        static const QHash<char16_t, char> simple {{u'a', '\a'}, {u'b', '\b'}, {u'e', '\x1b'},
            {u'E', '\x1b'}, {u'f', '\f'}, {u'n', '\n'}, {u'r', '\r'}, {u't', '\t'}, {u'v', '\v'},
            {u'\\', '\\'}, {u'\'', '\''}, {u'"', '"'}, {u'?', '?'}};
        if (simple.contains(e.unicode())) {
            bytes += simple.value(e.unicode());
        } else if (e >= u'0' && e <= u'7') {
            --i;
            bytes += char(readNumber(text, i, 8, 3) & 0xff);
        } else if (e == u'x' || e == u'u' || e == u'U') {
            const qint64 value = readNumber(text, i, 16, e == u'x' ? 2 : e == u'u' ? 4 : 8);
            if (value < 0)
                bytes += '\\' + QString(e).toUtf8();
            else if (e == u'x')
                bytes += char(value);
            else
                appendCodePoint(bytes, char32_t(value));
        } else if (e == u'c' && i < text.size()) {
            bytes += char(text[i++].toUpper().unicode() & 0x1f);
        } else {
            bytes += '\\' + QString(e).toUtf8();
        }
    }
    return std::nullopt;
}

// Inside double quotes a backslash escapes only $ ` " \ and a line break.
std::optional<qsizetype> readDoubleQuoted(const QString& text, qsizetype i, QString& word)
{
    while (i < text.size()) {
        const QChar c = text[i++];
        if (c == u'"')
            return i;
        if (c == u'\\' && i < text.size()) {
            const QChar e = text[i];
            if (e == u'\n') {
                ++i;
                continue;
            }
            if (e == u'$' || e == u'`' || e == u'"' || e == u'\\') {
                word += e;
                ++i;
                continue;
            }
        }
        word += c;
    }
    return std::nullopt;
}

} // namespace

std::optional<QStringList> shellWords(const QString& text)
{
    QStringList words;
    QString word;
    bool inWord = false;
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text[i];
        if (c == u'\\') {
            // A backslash before a line break continues the line; before anything else it
            // takes the next character literally.
            const QStringView rest = QStringView(text).mid(i + 1);
            if (rest.startsWith(u"\r\n"_s) || rest.startsWith(u'\n')) {
                i += rest.startsWith(u'\n') ? 2 : 3;
                continue;
            }
            if (!rest.isEmpty()) {
                word += rest.front();
                inWord = true;
            }
            i += 2;
            continue;
        }
        if (isBlank(c)) {
            if (inWord)
                words.append(std::exchange(word, QString()));
            inWord = false;
            ++i;
            continue;
        }
        inWord = true;
        std::optional<qsizetype> next = i + 1;
        if (c == u'\'') {
            const qsizetype end = text.indexOf(u'\'', i + 1);
            next = end < 0 ? std::nullopt : std::optional<qsizetype>(end + 1);
            if (next)
                word += text.mid(i + 1, end - i - 1);
        } else if (c == u'$' && i + 1 < text.size() && text[i + 1] == u'\'') {
            next = readAnsiC(text, i + 2, word);
        } else if (c == u'"') {
            next = readDoubleQuoted(text, i + 1, word);
        } else {
            word += c;
        }
        if (!next)
            return std::nullopt;
        i = *next;
    }
    if (inWord)
        words.append(word);
    return words;
}

} // namespace mako::CurlParser
