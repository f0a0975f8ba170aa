#pragma once

#include "execution/hostcertificate.h"
#include "model/apirequest.h"
#include "model/result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace mako::CurlParser {

/// The error for text that is not a curl command with a URL.
inline constexpr char kNotACurlCommand[] = "Could not parse cURL command.";

/// Where the files a command names come from, and how strictly it is taken.
struct ParseOptions {
    /// The folder that relative file names (-d @FILE, -F name=<FILE, -H @FILE, ...) are read
    /// from, as curl reads them from its working folder. Without one no file is read at all: a
    /// command that needs one fails with an error naming the file.
    std::optional<QString> folder;
    /// What "@-" reads (curl's standard input); without it such a command fails.
    std::function<QByteArray()> standardInput;
    /// Whether what the request cannot hold (a file upload, digest authentication, ...) is an
    /// error instead of a warning: a command sent at once must not go out other than curl
    /// would send it.
    bool strict = false;
};

/// A command turned into a request.
struct CurlImport {
    APIRequest request;
    /// What the command asks for that the request cannot hold, one sentence each.
    QStringList warnings;
    /// --cert, --key, --cert-type, --pass and --cacert: a certificate entry for the URL's host
    /// (and its port when the URL names one), as a certificate belongs to a host rather than
    /// to a request. Relative file names are made absolute against the parse's folder.
    std::optional<HostCertificate> certificate;
};

/// curl's "--cert FILE[:PASSPHRASE]": the file and the passphrase, "\:" standing for a colon
/// that belongs to the file name.
std::pair<QString, QString> splitCertificateArgument(const QString& value);

/// Turns a pasted curl command line into the request curl would send. Words are split and
/// unquoted as a POSIX shell does (single and double quotes, $'…' strings, backslash escapes
/// and line continuations), which is how browsers and documentation write the commands people
/// paste. A URL's query stays in the URL exactly as typed. Options that only shape curl's own
/// output are skipped; anything else the request cannot hold is reported. Fails with
/// kNotACurlCommand when the text is not a curl command with a URL, and with a message of its
/// own when the command cannot be reproduced (a method name HTTP does not allow, an unreadable
/// file).
Result<CurlImport> parse(const QString& command, const ParseOptions& options = {});

/// The same for the words after "curl", already split (a command line's own arguments).
Result<CurlImport> parseArguments(const QStringList& arguments, const ParseOptions& options = {});

/// Whether the word is a curl option whose value is the next word ("-H", "--data", "-sX"; not
/// "-XPOST", whose value is attached).
bool needsValue(const QString& word);

/// The words of a shell command line after quote removal; nothing when a quote is left open.
std::optional<QStringList> shellWords(const QString& text);

} // namespace mako::CurlParser
