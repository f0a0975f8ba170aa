#include "ui/response/bodyhighlighter.h"

#include "ui/common/colors.h"

namespace mako {

namespace {

int skipString(QStringView row, int at, QChar quote)
{
    ++at;
    while (at < row.size() && row[at] != quote) {
        if (row[at] == u'\\')
            ++at;
        ++at;
    }
    return std::min<int>(int(row.size()), at + 1);
}

bool isNumberChar(QChar c)
{
    return c.isDigit() || c == u'-' || c == u'+' || c == u'.' || c == u'e' || c == u'E';
}

void add(QList<BodyView::Run>& runs, int start, int end, SystemColor color, const QPalette& pal)
{
    if (end > start)
        runs.append({start, end - start, systemColor(color, pal)});
}

} // namespace

QList<BodyView::Run> highlightJsonRow(QStringView row, const QPalette& palette)
{
    QList<BodyView::Run> runs;
    int at = 0;
    const int size = int(row.size());
    while (at < size) {
        const QChar c = row[at];
        if (c == u'"') {
            const int end = skipString(row, at, u'"');
            int next = end;
            while (next < size && row[next] == u' ')
                ++next;
            const bool key = next < size && row[next] == u':';
            add(runs, at, end, key ? SystemColor::blue : SystemColor::green, palette);
            at = end;
        } else if (c.isDigit() || (c == u'-' && at + 1 < size && row[at + 1].isDigit())) {
            int end = at + 1;
            while (end < size && isNumberChar(row[end]))
                ++end;
            add(runs, at, end, SystemColor::orange, palette);
            at = end;
        } else if (row.sliced(at).startsWith(u"true") || row.sliced(at).startsWith(u"null")) {
            add(runs, at, at + 4, SystemColor::purple, palette);
            at += 4;
        } else if (row.sliced(at).startsWith(u"false")) {
            add(runs, at, at + 5, SystemColor::purple, palette);
            at += 5;
        } else {
            ++at;
        }
    }
    return runs;
}

QList<BodyView::Run> highlightMarkupRow(QStringView row, const QPalette& palette)
{
    QList<BodyView::Run> runs;
    int at = 0;
    const int size = int(row.size());
    while (at < size) {
        if (row.sliced(at).startsWith(u"<!--")) {
            const qsizetype close = row.indexOf(u"-->", at);
            const int end = close < 0 ? size : int(close) + 3;
            add(runs, at, end, SystemColor::grey, palette);
            at = end;
            continue;
        }
        if (row[at] != u'<') {
            ++at;
            continue;
        }
        // The tag name, then attribute names and quoted values up to the closing bracket.
        int end = at + 1;
        while (end < size && !row[end].isSpace() && row[end] != u'>')
            ++end;
        add(runs, at, end, SystemColor::pink, palette);
        at = end;
        while (at < size && row[at] != u'>' && row[at] != u'<') {
            const QChar c = row[at];
            if (c == u'"' || c == u'\'') {
                const int close = skipString(row, at, c);
                add(runs, at, close, SystemColor::green, palette);
                at = close;
            } else if (c.isLetter()) {
                int name = at;
                while (name < size
                    && (row[name].isLetterOrNumber() || row[name] == u'-' || row[name] == u':'
                        || row[name] == u'_'))
                    ++name;
                add(runs, at, name, SystemColor::teal, palette);
                at = name;
            } else {
                ++at;
            }
        }
    }
    return runs;
}

} // namespace mako
