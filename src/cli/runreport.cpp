#include "cli/runreport.h"

#include "model/reasonphrase.h"
#include "model/requestenums.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
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

// A console line or a test under its request's line, continuation lines aligned after the mark.
QString detailLine(const QString& mark, const QString& text)
{
    QString indented = text;
    indented.replace(u'\n', u"\n        "_s);
    return u"      "_s + mark + u' ' + indented + u'\n';
}

// A tick and the name of a test that passed; a cross, the name and the message of one that
// failed (a test of the legacy form fails without a message).
QString testLine(const Console& console, const TestResult& test)
{
    using Colour = Console::Colour;
    if (test.passed)
        return detailLine(console.paint(u"✓"_s, Colour::green), test.name);
    const QString mark = console.paint(u"✗"_s, Colour::red);
    return test.error.isEmpty()
        ? detailLine(mark, test.name)
        : detailLine(mark, test.name + u": "_s + console.paint(test.error, Colour::red));
}

// One <testcase>; `outcome` is the element inside it ("failure", "error", "skipped") or empty
// for a case that passed.
struct JUnitCase {
    QString name;
    QString className;
    double time = 0;
    QString outcome;
    QString message;
    QString type;
    QString text;
    /// The request's console output, which CI systems show with the case.
    QString output;
};

qsizetype countOf(const QList<JUnitCase>& cases, const QString& outcome)
{
    return std::count_if(
        cases.cbegin(), cases.cend(), [&](const JUnitCase& c) { return c.outcome == outcome; });
}

QString suiteName(const RunReport& report, int iteration)
{
    return report.iterations > 1
        ? u"%1 (iteration %2)"_s.arg(report.collection.name).arg(iteration + 1)
        : report.collection.name;
}

// The cases of one request that ran. Its tests are cases of their own whose class is the
// request: Jenkins builds its tree from the class names and GitLab lists them as each case's
// suite, while both flatten nested suites, so this is what keeps a test beside its request.
// The request itself is a case when it has no tests, or when a script failed (an error, which
// JUnit keeps apart from failures). The request's time and console output go with its first
// case, so that the cases' times add up to the run's and each line is shown once.
QList<JUnitCase> requestCases(
    const RunResult& result, const QString& collection, const QString& suite)
{
    const APIRequest& request = result.request;
    const QString requestName = methodName(request) + u' ' + request.name;
    const ScriptOutcome& scripts = result.scripts;
    QList<JUnitCase> cases;
    if (scripts.tests.isEmpty() || scripts.error) {
        JUnitCase own {.name = requestName, .className = collection};
        if (scripts.error) {
            own.outcome = u"error"_s;
            own.message = *scripts.error;
            own.type = u"script"_s;
            own.text = methodName(request) + u' ' + request.url + u": "_s + *scripts.error;
        } else if (!result.passed) {
            own.outcome = u"failure"_s;
            own.message = failureMessage(result);
            own.type = result.error ? u"error"_s : u"status"_s;
            own.text = methodName(request) + u' ' + request.url + u": "_s + failureMessage(result);
        }
        cases.append(own);
    }
    for (const TestResult& test : scripts.tests) {
        JUnitCase c {.name = test.name, .className = suite + u" / "_s + requestName};
        if (!test.passed) {
            c.outcome = u"failure"_s;
            // A test of the legacy form fails without a message.
            c.message = test.error.isEmpty() ? u"failed"_s : test.error;
            c.type = u"test"_s;
            c.text = methodName(request) + u' ' + request.url + u"\n"_s + test.name + u": "_s
                + test.error;
        }
        cases.append(c);
    }
    cases.first().time = result.duration;
    cases.first().output = scripts.console.join(u'\n');
    return cases;
}

// The cases of one (0-based) iteration: those of the requests that ran, then one skipped case
// for each request that did not (the run stopped at a failure, or a script sent it past).
QList<JUnitCase> junitCases(const RunReport& report, int iteration)
{
    const QString suite = suiteName(report, iteration);
    QList<JUnitCase> cases;
    QSet<QUuid> ran;
    for (const RunResult& result : report.results) {
        if (result.iteration != iteration)
            continue;
        cases.append(requestCases(result, report.collection.name, suite));
        ran.insert(result.request.id);
    }
    for (const APIRequest& request : report.collection.requests) {
        if (ran.contains(request.id))
            continue;
        cases.append(JUnitCase {.name = methodName(request) + u' ' + request.name,
            .className = report.collection.name,
            .outcome = u"skipped"_s,
            .message = u"not run"_s});
    }
    return cases;
}

void writeCase(QXmlStreamWriter& writer, const JUnitCase& c)
{
    writer.writeStartElement(u"testcase"_s);
    writer.writeAttribute(u"name"_s, xmlText(c.name));
    writer.writeAttribute(u"classname"_s, xmlText(c.className));
    writer.writeAttribute(u"time"_s, seconds(c.time));
    if (c.outcome == u"skipped"_s) {
        writer.writeEmptyElement(c.outcome);
        writer.writeAttribute(u"message"_s, xmlText(c.message));
    } else if (!c.outcome.isEmpty()) {
        writer.writeStartElement(c.outcome);
        writer.writeAttribute(u"message"_s, xmlText(c.message));
        writer.writeAttribute(u"type"_s, c.type);
        writer.writeCharacters(xmlText(c.text));
        writer.writeEndElement();
    }
    if (!c.output.isEmpty())
        writer.writeTextElement(u"system-out"_s, xmlText(c.output));
    writer.writeEndElement();
}

} // namespace

QString iterationLine(int iteration, int iterations)
{
    return u"Iteration %1/%2\n"_s.arg(iteration + 1).arg(iterations);
}

QString resultLines(const Console& console, const RunResult& result)
{
    using Colour = Console::Colour;
    const APIRequest& request = result.request;
    QString line = result.passed ? console.paint(u"PASS"_s, Colour::green)
                                 : console.paint(u"FAIL"_s, Colour::red);
    line += u"  "_s + methodName(request).leftJustified(7) + u' ' + request.name;
    if (result.statusCode)
        line += u"  "_s
            + console.paint(statusText(*result.statusCode), statusColour(*result.statusCode));
    if (result.duration > 0)
        line += u"  "_s + milliseconds(result.duration);
    if (result.error)
        line += u"  "_s + console.paint(*result.error, Colour::red);
    return line + u'\n' + scriptLines(console, result.scripts);
}

QString scriptLines(const Console& console, const ScriptOutcome& scripts)
{
    using Colour = Console::Colour;
    QString line;
    for (const QString& output : scripts.console)
        line += detailLine(console.paint(u"│"_s, Colour::grey), output);
    for (const TestResult& test : scripts.tests)
        line += testLine(console, test);
    if (scripts.error)
        line += detailLine(
            console.paint(u"!"_s, Colour::red), console.paint(*scripts.error, Colour::red));
    return line;
}

QString summaryLine(const Console& console, const RunReport& report)
{
    const RunTally tally = report.tally();
    const auto counts = [&](int passed, int failed) {
        return console.paint(u"%1 passed"_s.arg(passed), Console::Colour::green) + u", "_s
            + console.paint(u"%1 failed"_s.arg(failed), Console::Colour::red);
    };
    QString line = counts(tally.passedRequests, tally.failedRequests);
    if (report.skippedCount() > 0)
        line += u", %1 not run"_s.arg(report.skippedCount());
    // A run without tests keeps its one-part summary, which scripts may already read.
    if (tally.tests() > 0)
        line = u"Requests: "_s + line + u"  Tests: "_s
            + counts(tally.passedTests, tally.failedTests);
    return line + u"  Total: "_s + milliseconds(tally.duration) + u'\n';
}

QByteArray jsonReport(const RunReport& report)
{
    QJsonArray results;
    for (const RunResult& result : report.results) {
        QJsonArray tests;
        for (const TestResult& test : result.scripts.tests) {
            QJsonObject json {{u"name"_s, test.name}, {u"passed"_s, test.passed}};
            if (!test.passed)
                json.insert(u"error"_s, test.error);
            tests.append(json);
        }
        QJsonObject json {
            {u"name"_s, result.request.name},
            {u"method"_s, methodName(result.request)},
            {u"url"_s, result.request.url},
            {u"requestId"_s, result.request.id.toString(QUuid::WithoutBraces).toUpper()},
            {u"statusCode"_s, result.statusCode ? QJsonValue(*result.statusCode) : QJsonValue()},
            {u"duration"_s, result.duration},
            {u"passed"_s, result.passed},
            {u"iteration"_s, result.iteration + 1},
            {u"tests"_s, tests},
            {u"console"_s, QJsonArray::fromStringList(result.scripts.console)},
        };
        if (result.error)
            json.insert(u"error"_s, *result.error);
        if (result.scripts.error)
            json.insert(u"scriptError"_s, *result.scripts.error);
        results.append(json);
    }
    const RunTally tally = report.tally();
    const QJsonObject summary {
        {u"total"_s, report.requestCount()},
        {u"iterations"_s, report.iterations},
        {u"passed"_s, tally.passedRequests},
        {u"failed"_s, tally.failedRequests},
        {u"skipped"_s, report.skippedCount()},
        {u"duration"_s, tally.duration},
        {u"tests"_s,
            QJsonObject {{u"total"_s, tally.tests()}, {u"passed"_s, tally.passedTests},
                {u"failed"_s, tally.failedTests}}},
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
    QList<QList<JUnitCase>> suites;
    for (int iteration = 0; iteration < report.iterations; ++iteration)
        suites.append(junitCases(report, iteration));
    const auto sum = [&](auto count) {
        qsizetype total = 0;
        for (const QList<JUnitCase>& cases : suites)
            total += count(cases);
        return QString::number(total);
    };

    QByteArray xml;
    QXmlStreamWriter writer(&xml);
    writer.setAutoFormatting(true);
    writer.writeStartDocument();
    writer.writeStartElement(u"testsuites"_s);
    writer.writeAttribute(u"name"_s, xmlText(report.collection.name));
    writer.writeAttribute(u"tests"_s, sum([](const auto& cases) { return cases.size(); }));
    writer.writeAttribute(
        u"failures"_s, sum([](const auto& cases) { return countOf(cases, u"failure"_s); }));
    writer.writeAttribute(
        u"errors"_s, sum([](const auto& cases) { return countOf(cases, u"error"_s); }));
    writer.writeAttribute(u"time"_s, seconds(report.totalDuration()));
    for (int iteration = 0; iteration < report.iterations; ++iteration) {
        const QList<JUnitCase>& cases = suites[iteration];
        double time = 0;
        for (const JUnitCase& c : cases)
            time += c.time;
        writer.writeStartElement(u"testsuite"_s);
        writer.writeAttribute(u"name"_s, xmlText(suiteName(report, iteration)));
        writer.writeAttribute(u"tests"_s, QString::number(cases.size()));
        writer.writeAttribute(u"failures"_s, QString::number(countOf(cases, u"failure"_s)));
        writer.writeAttribute(u"errors"_s, QString::number(countOf(cases, u"error"_s)));
        writer.writeAttribute(u"skipped"_s, QString::number(countOf(cases, u"skipped"_s)));
        writer.writeAttribute(u"time"_s, seconds(time));
        // The JUnit schema's timestamp carries no zone designator; it is UTC.
        writer.writeAttribute(
            u"timestamp"_s, report.startedAt.toUTC().toString(u"yyyy-MM-ddTHH:mm:ss"_s));
        writer.writeAttribute(u"hostname"_s, xmlText(QSysInfo::machineHostName()));
        for (const JUnitCase& c : cases)
            writeCase(writer, c);
        writer.writeEndElement();
    }
    writer.writeEndElement();
    writer.writeEndDocument();
    return xml;
}

} // namespace mako::cli
