#include "ui/common/englishplurals.h"

using namespace Qt::StringLiterals;

namespace mako {

QString EnglishPlurals::translate(const char*, const char* sourceText, const char*, int n) const
{
    if (n < 0 || !sourceText)
        return {};
    QString text = QString::fromUtf8(sourceText);
    if (!text.contains(u"(s)"_s))
        return {};
    // Qt puts the count in for %n itself, after this.
    return text.replace(u"(s)"_s, n == 1 ? QString() : u"s"_s);
}

} // namespace mako
