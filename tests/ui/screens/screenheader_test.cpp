#include "ui/commands/commands.h"
#include "ui/screens/screenheader.h"
#include "windowtesting.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QToolButton>
#include <QVBoxLayout>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

TEST(ScreenHeader, bindsNameAndURLBothWaysAndAsksToSave)
{
    const struct {
        RequestProtocol protocol;
        QString badge;
        QString placeholder; // a part of it
    } cases[] = {
        {RequestProtocol::graphql, u"GQL"_s, u"GraphQL endpoint URL"_s},
        {RequestProtocol::websocket, u"WS"_s, u"wss://"_s},
        {RequestProtocol::sse, u"SSE"_s, u"SSE endpoint URL"_s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.badge.toStdString());
        StateRun run;
        Commands commands;
        TestWindow window;
        auto* header = new ScreenHeader(run.state, commands, c.protocol, &window);
        (new QVBoxLayout(&window))->addWidget(header);
        window.showNow();
        auto* name = child<QLineEdit>(header, u"requestNameField"_s);
        auto* url = child<QLineEdit>(header, u"urlField"_s);
        EXPECT_EQ(child<QLabel>(header, u"protocolBadge"_s)->text(), c.badge);
        EXPECT_TRUE(url->placeholderText().contains(c.placeholder));
        EXPECT_TRUE(name->text().isEmpty());

        run.state.openFromCollection(
            APIRequest {.name = u"Feed"_s, .requestProtocol = c.protocol}, QUuid::createUuid());
        EXPECT_EQ(name->text(), u"Feed"_s);
        QTest::keyClicks(name, u" 2"_s);
        QTest::keyClicks(url, u"http://127.0.0.1:1/x"_s);
        EXPECT_EQ(run.state.openRequest()->name, u"Feed 2"_s);
        EXPECT_EQ(run.state.openRequest()->url, u"http://127.0.0.1:1/x"_s);

        QSignalSpy saves(&commands, &Commands::saveToCollection);
        click(child<QToolButton>(header, u"saveButton"_s));
        EXPECT_EQ(saves.count(), 1);
        run.state.closeAllTabs();
        EXPECT_TRUE(url->text().isEmpty());
    }
}
