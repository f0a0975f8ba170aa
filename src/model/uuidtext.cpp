#include "model/uuidtext.h"

namespace mako {

QString uuidToText(const QUuid& uuid)
{
    return uuid.toString(QUuid::WithoutBraces).toUpper();
}

std::optional<QUuid> uuidFromText(QStringView text)
{
    // QUuid alone is too lenient (braces) and cannot tell the nil UUID from garbage, so check
    // the shape first.
    if (text.size() != 36)
        return std::nullopt;
    const auto isHexDigit = [](char16_t c) {
        return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool dashPosition = i == 8 || i == 13 || i == 18 || i == 23;
        if (dashPosition ? c != u'-' : !isHexDigit(c.unicode()))
            return std::nullopt;
    }
    return QUuid::fromString(text);
}

} // namespace mako
