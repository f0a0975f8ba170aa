#include "ui/common/filedialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

QString jsonFilter()
{
    return QCoreApplication::translate("FileDialogs", "JSON files (*.json)");
}

// Shows `dialog` as a sheet of `window` and hands the chosen file on; the dialog deletes
// itself when it closes.
void present(QFileDialog* dialog, FileDialogs::Chosen chosen, bool jsonOnly = true)
{
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    if (jsonOnly)
        dialog->setNameFilter(jsonFilter());
    QObject::connect(dialog, &QFileDialog::fileSelected, dialog,
        [chosen = std::move(chosen)](const QString& path) {
            if (!path.isEmpty())
                chosen(path);
        });
    dialog->open();
}

} // namespace

void SystemFileDialogs::openJson(QWidget* window, const QString& title, Chosen chosen)
{
    auto* dialog = new QFileDialog(window, title);
    dialog->setObjectName(u"openFileDialog"_s);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setDirectory(QDir::homePath());
    present(dialog, std::move(chosen));
}

void SystemFileDialogs::openFile(QWidget* window, const QString& title, Chosen chosen)
{
    auto* dialog = new QFileDialog(window, title);
    dialog->setObjectName(u"openFileDialog"_s);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setDirectory(QDir::homePath());
    present(dialog, std::move(chosen), false);
}

void SystemFileDialogs::openFolder(QWidget* window, const QString& title, Chosen chosen)
{
    auto* dialog = new QFileDialog(window, title);
    dialog->setObjectName(u"openFolderDialog"_s);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly);
    dialog->setDirectory(QDir::homePath());
    present(dialog, std::move(chosen), false);
}

void SystemFileDialogs::saveJson(
    QWidget* window, const QString& title, const QString& suggestedName, Chosen chosen)
{
    auto* dialog = new QFileDialog(window, title);
    dialog->setObjectName(u"saveFileDialog"_s);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setDefaultSuffix(u"json"_s);
    dialog->setDirectory(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    dialog->selectFile(suggestedName);
    present(dialog, std::move(chosen));
}

void SystemFileDialogs::saveFile(
    QWidget* window, const QString& title, const QString& suggestedName, Chosen chosen)
{
    auto* dialog = new QFileDialog(window, title);
    dialog->setObjectName(u"saveFileDialog"_s);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setDirectory(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    dialog->selectFile(suggestedName);
    present(dialog, std::move(chosen), false);
}

} // namespace mako
