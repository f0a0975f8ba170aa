#include "support/tempappfolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace mako::test {

TempAppFolder::TempAppFolder()
{
    EXPECT_TRUE(m_root.isValid()) << m_root.errorString().toStdString();
}

QString TempAppFolder::path() const
{
    return m_root.filePath(u"com.quorin.mako"_s);
}

QString TempAppFolder::filePath(const QString& fileName) const
{
    return QDir(path()).filePath(fileName);
}

QString TempAppFolder::settingsFile() const
{
    return m_root.filePath(u"settings.ini"_s);
}

void TempAppFolder::write(const QString& fileName, const QByteArray& bytes) const
{
    QDir().mkpath(path());
    QFile file(filePath(fileName));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray TempAppFolder::read(const QString& fileName) const
{
    QFile file(filePath(fileName));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList TempAppFolder::fileNames() const
{
    return QDir(path()).entryList(QDir::Files, QDir::Name);
}

unsigned TempAppFolder::mode(const QString& fileName) const
{
    struct stat info { };
    if (::stat(QFile::encodeName(filePath(fileName)).constData(), &info) != 0)
        return 0;
    return info.st_mode & 07777;
}

} // namespace mako::test
