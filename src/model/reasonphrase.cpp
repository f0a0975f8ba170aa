#include "model/reasonphrase.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace mako {

QString reasonPhrase(int statusCode)
{
    static const QHash<int, QString> phrases {
        {100, u"Continue"_s},
        {101, u"Switching Protocols"_s},
        {102, u"Processing"_s},
        {103, u"Early Hints"_s},
        {200, u"OK"_s},
        {201, u"Created"_s},
        {202, u"Accepted"_s},
        {203, u"Non-Authoritative Information"_s},
        {204, u"No Content"_s},
        {205, u"Reset Content"_s},
        {206, u"Partial Content"_s},
        {207, u"Multi-Status"_s},
        {208, u"Already Reported"_s},
        {226, u"IM Used"_s},
        {300, u"Multiple Choices"_s},
        {301, u"Moved Permanently"_s},
        {302, u"Found"_s},
        {303, u"See Other"_s},
        {304, u"Not Modified"_s},
        {305, u"Use Proxy"_s},
        {307, u"Temporary Redirect"_s},
        {308, u"Permanent Redirect"_s},
        {400, u"Bad Request"_s},
        {401, u"Unauthorized"_s},
        {402, u"Payment Required"_s},
        {403, u"Forbidden"_s},
        {404, u"Not Found"_s},
        {405, u"Method Not Allowed"_s},
        {406, u"Not Acceptable"_s},
        {407, u"Proxy Authentication Required"_s},
        {408, u"Request Timeout"_s},
        {409, u"Conflict"_s},
        {410, u"Gone"_s},
        {411, u"Length Required"_s},
        {412, u"Precondition Failed"_s},
        {413, u"Content Too Large"_s},
        {414, u"URI Too Long"_s},
        {415, u"Unsupported Media Type"_s},
        {416, u"Range Not Satisfiable"_s},
        {417, u"Expectation Failed"_s},
        {421, u"Misdirected Request"_s},
        {422, u"Unprocessable Content"_s},
        {423, u"Locked"_s},
        {424, u"Failed Dependency"_s},
        {425, u"Too Early"_s},
        {426, u"Upgrade Required"_s},
        {428, u"Precondition Required"_s},
        {429, u"Too Many Requests"_s},
        {431, u"Request Header Fields Too Large"_s},
        {451, u"Unavailable For Legal Reasons"_s},
        {500, u"Internal Server Error"_s},
        {501, u"Not Implemented"_s},
        {502, u"Bad Gateway"_s},
        {503, u"Service Unavailable"_s},
        {504, u"Gateway Timeout"_s},
        {505, u"HTTP Version Not Supported"_s},
        {506, u"Variant Also Negotiates"_s},
        {507, u"Insufficient Storage"_s},
        {508, u"Loop Detected"_s},
        {511, u"Network Authentication Required"_s},
    };
    return phrases.value(statusCode);
}

} // namespace mako
