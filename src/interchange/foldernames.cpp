#include "interchange/foldernames.h"

#include <QSet>

namespace mako::FolderNames {

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype kMaxStem = 60;

// Windows refuses these as a file's name whatever its extension ("con.json" too).
bool isDeviceName(const QString& stem)
{
    static const QSet<QString> devices {
        u"con"_s, u"prn"_s, u"aux"_s, u"nul"_s, u"conin$"_s, u"conout$"_s};
    if (devices.contains(stem))
        return true;
    return stem.size() == 4 && (stem.startsWith(u"com"_s) || stem.startsWith(u"lpt"_s))
        && stem[3].isDigit();
}

QString folded(const QString& stem)
{
    return stem.toCaseFolded();
}

} // namespace

QString stem(const QString& name, const QString& fallback)
{
    // Composed form, as macOS would otherwise store "é" decomposed and a teammate on Linux
    // would see another file name.
    const QString text = name.normalized(QString::NormalizationForm_C);
    QString out;
    out.reserve(text.size());
    bool hyphen = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char32_t code = text[i].isHighSurrogate() && i + 1 < text.size()
            ? QChar::surrogateToUcs4(text[i], text[i + 1])
            : text[i].unicode();
        const qsizetype width = QChar::requiresSurrogates(code) ? 2 : 1;
        const bool keep = (QChar::isLetterOrNumber(code) || code == U'_')
            && !QChar::isSurrogate(code) && code < 0xF0000; // no private use
        if (keep) {
            const QString piece = (hyphen && !out.isEmpty() ? u"-"_s : QString())
                + QString::fromUcs4(&code, 1).toLower();
            if (out.size() + piece.size() > kMaxStem)
                break;
            out += piece;
            hyphen = false;
        } else {
            hyphen = true;
        }
        i += width - 1;
    }
    if (out.isEmpty())
        out = fallback;
    if (isDeviceName(out))
        out += u"-1"_s;
    return out;
}

QStringList uniqueStems(
    const QStringList& names, const QString& fallback, const QStringList& reserved)
{
    QSet<QString> taken;
    for (const QString& word : reserved)
        taken.insert(folded(word));
    QStringList stems;
    stems.reserve(names.size());
    QList<bool> placed(names.size(), false);
    // First every name that can have its own stem, so that a later "Users" never takes the
    // "users-2" an earlier one would have had, nor the reverse.
    for (const QString& name : names) {
        const QString own = stem(name, fallback);
        placed[stems.size()] = !taken.contains(folded(own));
        if (placed[stems.size()])
            taken.insert(folded(own));
        stems.append(own);
    }
    for (qsizetype i = 0; i < stems.size(); ++i) {
        if (placed[i])
            continue;
        QString base = stems[i].left(kMaxStem - 6);
        while (!base.isEmpty() && (base.back() == u'-' || base.back().isHighSurrogate()))
            base.chop(1);
        for (int n = 2;; ++n) {
            const QString candidate = base + u'-' + QString::number(n);
            if (!taken.contains(folded(candidate))) {
                taken.insert(folded(candidate));
                stems[i] = candidate;
                break;
            }
        }
    }
    return stems;
}

} // namespace mako::FolderNames
