#include "model/jsonwriter.h"

#include "model/jsonescape.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QLocale>

#include <cmath>

namespace mako {

namespace {

// QString::toUtf8 turns a lone UTF-16 surrogate, which a "\ud800" escape in a file we read puts
// into a text, into "?", so the text would change with every save. Such a unit goes to
// appendJsonString as its marker instead, which writes the escape back.
QByteArray utf8KeepingLoneSurrogates(const QString& text)
{
    QByteArray out;
    qsizetype copiedUpTo = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (!QChar::isSurrogate(unit))
            continue;
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size()
            && QChar::isLowSurrogate(text[i + 1].unicode())) {
            ++i;
            continue;
        }
        out += QStringView(text).sliced(copiedUpTo, i - copiedUpTo).toUtf8();
        out += '\xFF';
        out += QByteArray::number(uint(unit), 16); // always four digits: D800 to DFFF
        copiedUpTo = i + 1;
    }
    if (copiedUpTo == 0)
        return text.toUtf8();
    out += QStringView(text).sliced(copiedUpTo).toUtf8();
    return out;
}

class Writer {
public:
    explicit Writer(JsonStyle style)
        : m_pretty(style == JsonStyle::Pretty)
    { }

    void value(const QJsonValue& v, int depth)
    {
        switch (v.type()) {
        case QJsonValue::Null:
        case QJsonValue::Undefined:
            m_out += "null";
            break;
        case QJsonValue::Bool:
            m_out += v.toBool() ? "true" : "false";
            break;
        case QJsonValue::Double:
            number(v.toDouble());
            break;
        case QJsonValue::String:
            string(v.toString());
            break;
        case QJsonValue::Array:
            array(v.toArray(), depth);
            break;
        case QJsonValue::Object:
            object(v.toObject(), depth);
            break;
        }
    }

    QByteArray take() { return std::move(m_out); }

private:
    void number(double d)
    {
        constexpr double kExactIntegerLimit = 9007199254740992.0; // 2^53
        if (!std::isfinite(d)) {
            m_out += "null"; // JSON has no infinities; never produced by our own records
        } else if (d == std::trunc(d) && std::fabs(d) < kExactIntegerLimit
            && !(d == 0 && std::signbit(d))) {
            m_out += QByteArray::number(static_cast<qint64>(d));
        } else {
            m_out += QByteArray::number(d, 'g', QLocale::FloatingPointShortest);
        }
    }

    void string(const QString& text)
    {
        const QByteArray utf8 = utf8KeepingLoneSurrogates(text);
        appendJsonString(m_out, std::string_view(utf8.constData(), size_t(utf8.size())), m_pretty);
    }

    void newline(int depth)
    {
        if (!m_pretty)
            return;
        m_out += '\n';
        m_out.append(2 * depth, ' ');
    }

    void array(const QJsonArray& a, int depth)
    {
        if (a.isEmpty()) {
            m_out += "[]";
            return;
        }
        m_out += '[';
        for (qsizetype i = 0; i < a.size(); ++i) {
            if (i > 0)
                m_out += ',';
            newline(depth + 1);
            value(a.at(i), depth + 1);
        }
        newline(depth);
        m_out += ']';
    }

    void object(const QJsonObject& o, int depth)
    {
        if (o.isEmpty()) {
            m_out += "{}";
            return;
        }
        m_out += '{';
        bool first = true;
        // QJsonObject iterates its keys in ascending order, which the pretty form asks for.
        for (auto it = o.begin(); it != o.end(); ++it) {
            if (!first)
                m_out += ',';
            first = false;
            newline(depth + 1);
            string(it.key());
            m_out += m_pretty ? " : " : ":";
            value(it.value(), depth + 1);
        }
        newline(depth);
        m_out += '}';
    }

    bool m_pretty;
    QByteArray m_out;
};

} // namespace

QByteArray writeJson(const QJsonValue& value, JsonStyle style)
{
    Writer writer(style);
    writer.value(value, 0);
    return writer.take();
}

} // namespace mako
