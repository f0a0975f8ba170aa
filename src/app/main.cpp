#include "ui/shell/makoapp.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    mako::MakoApp mako;
    mako.show();
    return application.exec();
}
