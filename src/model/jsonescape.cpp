#include "model/jsonescape.h"

#include <algorithm>

namespace mako {

void appendJsonString(QByteArray& out, std::string_view utf8, bool escapeSlash)
{
    static const char hexDigits[] = "0123456789abcdef";
    out += '"';
    // Most texts need no escape at all; copy those in one piece.
    const bool plain = std::none_of(utf8.cbegin(), utf8.cend(), [escapeSlash](char ch) {
        const auto c = static_cast<unsigned char>(ch);
        return c < 0x20 || c == '"' || c == '\\' || c == 0xFF || (c == '/' && escapeSlash);
    });
    if (plain) {
        out.append(utf8.data(), qsizetype(utf8.size()));
        out += '"';
        return;
    }
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '/':
            out += escapeSlash ? "\\/" : "/";
            break;
        case 0xFF:
            out += "\\u";
            out.append(utf8.data() + i + 1, 4);
            i += 4;
            break;
        default:
            if (c < 0x20) {
                out += "\\u00";
                out += hexDigits[c >> 4];
                out += hexDigits[c & 0xF];
            } else {
                out += char(c);
            }
        }
    }
    out += '"';
}

} // namespace mako
