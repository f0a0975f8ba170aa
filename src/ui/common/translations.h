#pragma once

#include <QLocale>

class QObject;

namespace mako {

/// Installs the catalogues of `locale`'s languages before any window text is made: Mako's own
/// (built into the program from translations/) and Qt's, which names the standard dialog
/// buttons. Under them lie the English plural forms, which every language falls back to for a
/// text its catalogue lacks. The translators belong to `owner` and leave with it.
void installTranslations(QObject* owner, const QLocale& locale = QLocale());

} // namespace mako
