#include "ui/editor/syntaxhighlight.h"

#include <QRegularExpression>
#include <QStringList>

#include <array>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

QStringList keywordsOf(const QString& language)
{
    if (language == u"Swift"_s)
        return {
            u"import"_s, u"let"_s, u"var"_s, u"func"_s, u"try"_s, u"await"_s, u"as!"_s, u"print"_s};
    if (language == u"JavaScript"_s)
        return {u"const"_s, u"await"_s, u"async"_s, u"function"_s, u"console"_s};
    if (language == u"k6"_s)
        return {
            u"import"_s, u"from"_s, u"export"_s, u"default"_s, u"function"_s, u"const"_s, u"let"_s};
    if (language == u"Python"_s)
        return {u"import"_s, u"print"_s, u"def"_s, u"from"_s};
    if (language == u"Go"_s)
        return {u"package"_s, u"import"_s, u"func"_s, u"defer"_s, u"main"_s};
    if (language == u"Ruby"_s)
        return {u"require"_s, u"puts"_s, u"end"_s, u"do"_s};
    if (language == u"PHP"_s)
        return {u"echo"_s, u"curl_init"_s, u"curl_setopt"_s, u"curl_exec"_s, u"curl_close"_s,
            u"curl_getinfo"_s};
    return {};
}

struct Pattern {
    QRegularExpression expression;
    SystemColor color;
};

const std::array<Pattern, 5>& patterns()
{
    static const std::array<Pattern, 5> list {
        Pattern {QRegularExpression(u"\"[^\"]*\""_s), SystemColor::green},
        Pattern {QRegularExpression(u"'[^']*'"_s), SystemColor::green},
        Pattern {QRegularExpression(u"//.*$"_s), SystemColor::grey},
        Pattern {QRegularExpression(u"#.*$"_s), SystemColor::grey},
        Pattern {QRegularExpression(u"https?://[^\"'\\s]+"_s), SystemColor::cyan},
    };
    return list;
}

} // namespace

QList<std::optional<SystemColor>> syntaxColors(const QString& line, const QString& language)
{
    QList<std::optional<SystemColor>> colors(line.size());
    const auto paint = [&colors](qsizetype start, qsizetype length, SystemColor color) {
        std::fill_n(colors.begin() + start, length, color);
    };
    for (const QString& keyword : keywordsOf(language)) {
        for (qsizetype at = line.indexOf(keyword); at >= 0;
             at = line.indexOf(keyword, at + keyword.size())) {
            paint(at, keyword.size(), SystemColor::pink);
        }
    }
    for (const Pattern& pattern : patterns()) {
        for (const QRegularExpressionMatch& match : pattern.expression.globalMatch(line))
            paint(match.capturedStart(), match.capturedLength(), pattern.color);
    }
    return colors;
}

} // namespace mako
