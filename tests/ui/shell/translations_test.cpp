#include "execution/networkerror.h"
#include "interchange/postmanimporter.h"
#include "model/recordjson.h"
#include "shellrun.h"
#include "sidebar/sidebartesting.h"
#include "ui/common/translations.h"
#include "ui/sidebar/runnersheet.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTranslator>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

// The program's language for one test, as main() chooses it from the system's.
class LanguageRun {
public:
    explicit LanguageRun(const QLocale& locale)
    {
        QLocale::setDefault(locale);
        installTranslations(&m_translators);
    }
    ~LanguageRun() { QLocale::setDefault(m_previous); }

private:
    QLocale m_previous;
    QObject m_translators;
};

QString runnerPrompt(int requestCount)
{
    SidebarRun run;
    QList<APIRequest> requests;
    for (int i = 0; i < requestCount; ++i)
        requests.append(APIRequest {.name = u"r%1"_s.arg(i), .url = u"http://127.0.0.1:1/"_s});
    run.sidebar->showRunner(run.addCollection(u"Run"_s, requests));
    auto* sheet = run.window.findChild<RunnerSheet*>(u"collectionRunnerSheet"_s);
    const auto* label = sheet ? child<QLabel>(sheet, u"runnerEmptyText"_s) : nullptr;
    return label ? label->text() : QString();
}

} // namespace

TEST(Translations, countsTakeTheirPluralForm)
{
    const struct {
        const char* language;
        QLocale locale;
        int count;
        QString prompt;
    } cases[] = {
        {"English, one", QLocale(QLocale::English), 1, u"Click 'Run All' to execute 1 request"_s},
        {"English, two", QLocale(QLocale::English), 2, u"Click 'Run All' to execute 2 requests"_s},
        {"German, one", QLocale(QLocale::German, QLocale::Germany), 1,
            u"Klicken Sie auf „Alle ausführen“, um 1 Anfrage auszuführen"_s},
        {"German, two", QLocale(QLocale::German, QLocale::Germany), 2,
            u"Klicken Sie auf „Alle ausführen“, um 2 Anfragen auszuführen"_s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        LanguageRun language(c.locale);
        EXPECT_EQ(runnerPrompt(c.count), c.prompt);
    }
}

TEST(Translations, theWindowSpeaksTheSystemsLanguage)
{
    LanguageRun language(QLocale(QLocale::German, QLocale::Germany));
    ShellRun run;
    QStringList titles;
    for (const QAction* menu : run.window().menuBar()->actions())
        titles.append(menu->text());
    EXPECT_EQ(titles, (QStringList {u"&Datei"_s, u"&Ansicht"_s, u"&Fenster"_s, u"&Hilfe"_s}));
    EXPECT_EQ(run.action(u"sendRequestAction"_s)->text(), u"Anfrage senden"_s);
    // The core's messages, which the window shows as they come, and the names it gives.
    EXPECT_EQ(NetworkError::invalidURL({}).errorDescription(), u"Bitte geben Sie eine URL ein"_s);
    run.state().openNewRequest();
    ASSERT_TRUE(run.state().openRequest());
    EXPECT_EQ(run.state().openRequest()->name, u"Neue Anfrage"_s);
    EXPECT_EQ(
        AppState::duplicateRequest(*run.state().openRequest()).name, u"Neue Anfrage (Kopie)"_s);
    // Qt's own catalogue names the standard buttons.
    QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text().remove(u'&'), u"Abbrechen"_s);
}

namespace {

// A catalogue that marks every text of the core's file and import messages it is asked for.
class MarkingTranslator : public QTranslator {
public:
    QString translate(const char* context, const char* sourceText, const char*, int) const override
    {
        const QByteArrayView name(context);
        if (name != "mako::RecordJson" && name != "mako::PostmanImporter")
            return {};
        return u"<"_s + QString::fromUtf8(sourceText) + u">"_s;
    }
    bool isEmpty() const override { return false; }
};

} // namespace

// The core's messages that the window shows (a file it cannot read, what an import left out)
// are looked up in the catalogue; mako-cli loads none and stays English.
TEST(Translations, theCoresFileAndImportMessagesAreLookedUpInTheCatalogue)
{
    const QByteArray postman = R"json({"info": {"name": "C"}, "event": [{"listen": "sync",
        "script": {"exec": ["pm.test()"]}}], "item": [{"name": "r", "request": {"method": "POST",
        "url": "http://127.0.0.1/", "body": {"mode": "file", "file": {"src": "/a.bin"}}}}]})json";
    const auto messages = [&postman] {
        QStringList texts;
        texts.append(parseJson("{").errorMessage());
        texts.append(listFromJson<Collection>(QJsonValue(1)).errorMessage());
        texts.append(PostmanImporter::importCollection(postman).value().warnings);
        return texts;
    };
    const QStringList english = messages();
    ASSERT_EQ(english.size(), 4);
    EXPECT_TRUE(english[0].startsWith(u"invalid JSON at offset 1: "_s)) << english[0].toStdString();
    EXPECT_EQ(english[1], u"expected an array"_s);
    EXPECT_EQ(english[2], u"C (collection): sync script dropped"_s);
    EXPECT_EQ(english[3], u"r: binary file body dropped"_s);

    MarkingTranslator marking;
    QCoreApplication::installTranslator(&marking);
    const QStringList marked = messages();
    QCoreApplication::removeTranslator(&marking);
    ASSERT_EQ(marked.size(), 4);
    EXPECT_TRUE(marked[0].startsWith(u"<invalid JSON at offset 1: "_s)) << marked[0].toStdString();
    EXPECT_EQ(marked[1], u"<expected an array>"_s);
    EXPECT_EQ(marked[2], u"<C (collection)>: <sync script dropped>"_s);
    EXPECT_EQ(marked[3], u"r: <binary file body dropped>"_s);
}
