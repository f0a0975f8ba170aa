#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <optional>

namespace mako {

/// One `pm.test` (or legacy `tests["name"]`) of a test script, as it ended. Memory only.
struct TestResult {
    QString name;
    bool passed = false;
    /// Why it failed (the assertion's message); empty when it passed.
    QString error;
    /// Declared with `pm.test.skip` (or without a function): not run, and not failed.
    bool skipped = false;

    bool operator==(const TestResult&) const = default;
};

/// What the scripts around one request left behind: their tests in the order they were
/// declared, their console output, and a script's own failure. Memory only.
struct ScriptOutcome {
    QList<TestResult> tests;
    /// One line per `console.*` call, in order; warnings and errors start with their level.
    QStringList console;
    /// An exception or time-out of a script, with the script it happened in and its line,
    /// e.g. "Tests: ReferenceError: token is not defined (line 3)".
    std::optional<QString> error;

    int failedTests() const
    {
        return int(std::count_if(tests.cbegin(), tests.cend(),
            [](const TestResult& test) { return !test.passed && !test.skipped; }));
    }
    /// No test failed and no script failed.
    bool passed() const { return !error && failedTests() == 0; }
    bool isEmpty() const { return tests.isEmpty() && console.isEmpty() && !error; }

    bool operator==(const ScriptOutcome&) const = default;
};

} // namespace mako
