#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace mako::test {

/// A throw-away application folder (and preference file) for one test. The folder itself is
/// not created, so the code under test has to create it as on a first launch.
class TempAppFolder {
public:
    TempAppFolder();

    /// The application folder inside the temporary directory.
    QString path() const;
    QString filePath(const QString& fileName) const;
    /// A preference file beside the application folder.
    QString settingsFile() const;

    /// Writes `bytes` to `fileName`, creating the folder if needed.
    void write(const QString& fileName, const QByteArray& bytes) const;
    /// The content of `fileName`, empty when it does not exist.
    QByteArray read(const QString& fileName) const;
    /// The names of the files in the folder, sorted.
    QStringList fileNames() const;
    /// Permission bits of `fileName` as the file system holds them (for example 0600).
    unsigned mode(const QString& fileName) const;

private:
    QTemporaryDir m_root;
};

} // namespace mako::test
