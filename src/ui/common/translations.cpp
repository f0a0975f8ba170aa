#include "ui/common/translations.h"

#include "ui/common/englishplurals.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

// Tries the locale's languages in the user's order ("de-AT", "de", ...), as QTranslator does.
void installCatalogue(
    QObject* owner, const QLocale& locale, const QString& name, const QString& folder)
{
    auto* translator = new QTranslator(owner);
    if (translator->load(locale, name, u"_"_s, folder))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace

void installTranslations(QObject* owner, const QLocale& locale)
{
    // The last one installed is asked first: the plural forms go in first, as the fallback.
    QCoreApplication::installTranslator(new EnglishPlurals(owner));
    // English is the language of the source texts; its only catalogue is the plural forms.
    if (locale.language() == QLocale::English || locale.language() == QLocale::C)
        return;
    installCatalogue(
        owner, locale, u"qtbase"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    installCatalogue(owner, locale, u"mako"_s, u":/i18n"_s);
}

} // namespace mako
