#include "cli/runreport.h"

#include "model/reasonphrase.h"
#include "model/requestenums.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSysInfo>
#include <QXmlStreamWriter>

using namespace Qt::StringLiterals;

namespace mako::cli {

namespace {

QString statusText(int statusCode)
{
    return (QString::number(statusCode) + u' ' + reasonPhrase(statusCode)).trimmed();
}

// XML 1.0 cannot carry most control characters, even escaped; a name or an error text
// could hold one.
QString xmlText(QString text)
{
    text.removeIf(
        [](QChar c) { return c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r'; });
    return text;
}

QString seconds(double value)
{
    return QString::number(value, 'f', 3);
}

QString failureMessage(const RunResult& result)
{
    if (result.error)
        return *result.error;
    return result.statusCode ? u"HTTP "_s + statusText(*result.statusCode) : u"failed"_s;
}

} // namespace

int RunReport::passCount() const
{
    return int(std::count_if(
        results.cbegin(), results.cend(), [](const RunResult& result) { return result.passed; }));
}

int RunReport::failCount() const
{
    return int(results.size()) - passCount();
}

double RunReport::totalDuration() const
{
    double total = 0;
    for (const RunResult& result : results)
        total += result.duration;
    return total;
}

QString iterationLine(int iteration, int iterations)
{
    return u"Iteration %1/%2\n"_s.arg(iteration + 1).arg(iterations);
}

QString resultLine(const Console& console, const RunResult& result)
{
    using Colour = Console::Colour;
    const APIRequest& request = result.request;
    QString line = result.passed ? console.paint(u"PASS"_s, Colour::green)
                                 : console.paint(u"FAIL"_s, Colour::red);
    line += u"  "_s + rawValue(request.method).leftJustified(7) + u' ' + request.name;
    if (result.statusCode)
        line += u"  "_s
            + console.paint(statusText(*result.statusCode), statusColour(*result.statusCode));
    if (result.duration > 0)
        line += u"  "_s + milliseconds(result.duration);
    if (result.error)
        line += u"  "_s + console.paint(*result.error, Colour::red);
    return line + u'\n';
}

QString summaryLine(const Console& console, const RunReport& report)
{
    QString line = console.paint(u"%1 passed"_s.arg(report.passCount()), Console::Colour::green)
        + u", "_s + console.paint(u"%1 failed"_s.arg(report.failCount()), Console::Colour::red);
    if (report.skippedCount() > 0)
        line += u", %1 not run"_s.arg(report.skippedCount());
    return line + u"  Total: "_s + milliseconds(report.totalDuration()) + u'\n';
}

QByteArray jsonReport(const RunReport& report)
{
    QJsonArray results;
    for (const RunResult& result : report.results) {
        QJsonObject json {
            {u"name"_s, result.request.name},
            {u"method"_s, rawValue(result.request.method)},
            {u"url"_s, result.request.url},
            {u"requestId"_s, result.request.id.toString(QUuid::WithoutBraces).toUpper()},
            {u"statusCode"_s, result.statusCode ? QJsonValue(*result.statusCode) : QJsonValue()},
            {u"duration"_s, result.duration},
            {u"passed"_s, result.passed},
            {u"iteration"_s, result.iteration + 1},
        };
        if (result.error)
            json.insert(u"error"_s, *result.error);
        results.append(json);
    }
    const QJsonObject summary {
        {u"total"_s, report.requestCount()},
        {u"iterations"_s, report.iterations},
        {u"passed"_s, report.passCount()},
        {u"failed"_s, report.failCount()},
        {u"skipped"_s, report.skippedCount()},
        {u"duration"_s, report.totalDuration()},
    };
    const QJsonObject root {
        {u"collection"_s, report.collection.name},
        {u"results"_s, results},
        {u"summary"_s, summary},
    };
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

QByteArray junitReport(const RunReport& report)
{
    QByteArray xml;
    QXmlStreamWriter writer(&xml);
    writer.setAutoFormatting(true);
    writer.writeStartDocument();
    const QString name = xmlText(report.collection.name);
    writer.writeStartElement(u"testsuites"_s);
    writer.writeAttribute(u"name"_s, name);
    writer.writeAttribute(u"tests"_s, QString::number(report.requestCount()));
    writer.writeAttribute(u"failures"_s, QString::number(report.failCount()));
    writer.writeAttribute(u"errors"_s, u"0"_s);
    writer.writeAttribute(u"time"_s, seconds(report.totalDuration()));
    const qsizetype perIteration = report.collection.requests.size();
    for (int iteration = 0; iteration < report.iterations; ++iteration) {
        const qsizetype first = iteration * perIteration;
        const QList<RunResult> ran = report.results.mid(first, perIteration);
        const RunReport suite {.collection = report.collection, .results = ran};
        writer.writeStartElement(u"testsuite"_s);
        writer.writeAttribute(u"name"_s,
            report.iterations > 1
                ? xmlText(u"%1 (iteration %2)"_s.arg(report.collection.name).arg(iteration + 1))
                : name);
        writer.writeAttribute(u"tests"_s, QString::number(perIteration));
        writer.writeAttribute(u"failures"_s, QString::number(suite.failCount()));
        writer.writeAttribute(u"errors"_s, u"0"_s);
        writer.writeAttribute(u"skipped"_s, QString::number(suite.skippedCount()));
        writer.writeAttribute(u"time"_s, seconds(suite.totalDuration()));
        // The JUnit schema's timestamp carries no zone designator; it is UTC.
        writer.writeAttribute(
            u"timestamp"_s, report.startedAt.toUTC().toString(u"yyyy-MM-ddTHH:mm:ss"_s));
        writer.writeAttribute(u"hostname"_s, xmlText(QSysInfo::machineHostName()));
        for (qsizetype i = 0; i < perIteration; ++i) {
            const APIRequest& request = report.collection.requests[i];
            writer.writeStartElement(u"testcase"_s);
            writer.writeAttribute(
                u"name"_s, xmlText(rawValue(request.method) + u' ' + request.name));
            writer.writeAttribute(u"classname"_s, name);
            if (i >= ran.size()) {
                writer.writeAttribute(u"time"_s, seconds(0));
                writer.writeEmptyElement(u"skipped"_s);
                writer.writeAttribute(u"message"_s, u"not run: the run stopped at a failure"_s);
            } else {
                const RunResult& result = ran[i];
                writer.writeAttribute(u"time"_s, seconds(result.duration));
                if (!result.passed) {
                    writer.writeStartElement(u"failure"_s);
                    writer.writeAttribute(u"message"_s, xmlText(failureMessage(result)));
                    writer.writeAttribute(u"type"_s, result.error ? u"error"_s : u"status"_s);
                    writer.writeCharacters(xmlText(rawValue(request.method) + u' ' + request.url
                        + u": "_s + failureMessage(result)));
                    writer.writeEndElement();
                }
            }
            writer.writeEndElement();
        }
        writer.writeEndElement();
    }
    writer.writeEndElement();
    writer.writeEndDocument();
    return xml;
}

} // namespace mako::cli
