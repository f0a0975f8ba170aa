#pragma once

#include "model/apirequest.h"

#include <QString>
#include <QStringList>

namespace mako {
struct Collection;
}

namespace mako::CodeGenerator {

// Ready-to-paste snippets that send what Mako sends for a request: the same method, URL,
// headers (rows, then authentication, merged by name regardless of letter case, the later
// one winning) and body (none for GET and HEAD). Placeholders are left as typed. Every piece
// of the request is written as a literal of the snippet's language, escaped for it, so no
// request content can break out of a string.

/// The URL with the enabled query rows appended after any query it already has, as sending
/// builds it; "https://" is put in front of a text without a scheme and without placeholders.
QString buildURLWithParams(const APIRequest& request);

QString generateCurl(const APIRequest& request);
QString generateSwift(const APIRequest& request);
QString generateJavaScript(const APIRequest& request);
QString generatePython(const APIRequest& request);
QString generateGo(const APIRequest& request);
QString generateRuby(const APIRequest& request);
QString generatePHP(const APIRequest& request);
/// A k6 script that sends the request once per iteration and checks for a 2xx status. Every
/// {{name}} reads the variable `k6 run -e name=value` passes in.
QString generateK6(const APIRequest& request);

/// One k6 script for the collection: one scenario sending its requests in the order a run
/// sends them, each folder's as a group, inherited auth resolved, and options holding a
/// small load (one user, one iteration) for the user to change.
QString generateK6Collection(const Collection& collection);

/// The language labels in chooser order: cURL, Swift, JavaScript, Python, Go, Ruby, PHP, k6.
QStringList languages();

/// The snippet for the language at `index` of languages(); "" for any other index.
QString generate(int index, const APIRequest& request);

} // namespace mako::CodeGenerator
