#include "execution/multipartbuilder.h"

namespace mako::MultipartBuilder {

QByteArray buildBody(const QList<KeyValuePair>& fields, const std::optional<QByteArray>& fileData,
    const std::optional<QString>& fileName, const QString& boundary)
{
    const QByteArray delimiter = "--" + boundary.toUtf8();
    QByteArray body;
    for (const KeyValuePair& field : fields) {
        if (!field.isApplicable())
            continue;
        body += delimiter + "\r\n";
        body += "Content-Disposition: form-data; name=\"" + field.key.toUtf8() + "\"\r\n\r\n";
        body += field.value.toUtf8() + "\r\n";
    }
    if (fileData && fileName) {
        body += delimiter + "\r\n";
        body += "Content-Disposition: form-data; name=\"file\"; filename=\"" + fileName->toUtf8()
            + "\"\r\n";
        body += "Content-Type: application/octet-stream\r\n\r\n";
        body += *fileData + "\r\n";
    }
    body += delimiter + "--\r\n";
    return body;
}

} // namespace mako::MultipartBuilder
