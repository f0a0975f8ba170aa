#pragma once

#include <QTranslator>

namespace mako {

/// The plural forms of Mako's own English texts. A text with a count is written once, as
/// "%n request(s)", and a translation gives each language its forms; English needs one too,
/// or it would read "1 request(s)". This one turns every "(s)" into "s" unless the count is 1,
/// and leaves texts without a count to the next translator (or as they are).
class EnglishPlurals : public QTranslator {
    Q_OBJECT

public:
    using QTranslator::QTranslator;

    QString translate(const char* context, const char* sourceText,
        const char* disambiguation = nullptr, int n = -1) const override;
    bool isEmpty() const override { return false; }
};

} // namespace mako
