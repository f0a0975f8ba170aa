#include "clitestsupport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace mako::test {

using namespace Qt::StringLiterals;

QJsonValue CliOutcome::json() const
{
    const QJsonDocument document = QJsonDocument::fromJson(out);
    return document.isObject() ? QJsonValue(document.object()) : QJsonValue(document.array());
}

CliOutcome runCli(
    const QTemporaryDir& sandbox, const QStringList& arguments, const QByteArray& input)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"HOME"_s, sandbox.path());
    environment.insert(u"XDG_DATA_HOME"_s, sandbox.filePath(u"data"_s));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(MAKO_CLI_PATH), arguments);
    if (!process.waitForStarted())
        return {};
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

} // namespace mako::test
