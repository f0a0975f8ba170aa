#include "state/persistenceservice.h"
#include "ui/common/translations.h"
#include "ui/shell/makoapp.h"
#include "ui/shell/singleinstance.h"
#include "version.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

int main(int argc, char* argv[])
{
    // Before the application object, which needs a display that `--version` should not.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("mako %s\n", MAKO_VERSION);
            return 0;
        }
    }
    QApplication application(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(MAKO_VERSION));
    // The system's language, before the window makes its first text.
    mako::installTranslations(&application);
    mako::SingleInstance instance(mako::PersistenceService::standardAppDirectory());
    if (instance.raiseRunningInstance())
        return 0;
    mako::MakoApp mako;
    instance.listen();
    QObject::connect(
        &instance, &mako::SingleInstance::raiseRequested, &mako, &mako::MakoApp::raiseWindow);
    mako.show();
    return application.exec();
}
