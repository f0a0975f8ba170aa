#include "interchange/readablejson.h"

#include "model/jsonwriter.h"

#include <QJsonArray>
#include <QJsonObject>

#include <algorithm>

namespace mako {

namespace {

class Writer {
public:
    explicit Writer(const QStringList& keyOrder)
        : m_keyOrder(keyOrder)
    { }

    void value(const QJsonValue& v, int depth)
    {
        if (v.isArray())
            array(v.toArray(), depth);
        else if (v.isObject())
            object(v.toObject(), depth, false);
        else
            // The compact writer already spells strings and numbers so that they read back
            // exactly (lone surrogates, doubles), and leaves "/" alone.
            m_out += writeJson(v, JsonStyle::Compact);
    }

    QByteArray take() { return std::move(m_out); }

private:
    static bool isPlain(const QJsonObject& o)
    {
        return std::ranges::none_of(
            o, [](const QJsonValue& v) { return v.isArray() || v.isObject(); });
    }

    void newline(int depth)
    {
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
            const QJsonValue element = a.at(i);
            if (element.isObject())
                object(element.toObject(), depth + 1, isPlain(element.toObject()));
            else
                value(element, depth + 1);
        }
        newline(depth);
        m_out += ']';
    }

    QStringList orderedKeys(const QJsonObject& o) const
    {
        QStringList keys = o.keys();
        std::ranges::stable_sort(keys, [this](const QString& a, const QString& b) {
            const qsizetype ra = rank(a);
            const qsizetype rb = rank(b);
            return ra != rb ? ra < rb : a < b;
        });
        return keys;
    }

    qsizetype rank(const QString& key) const
    {
        const qsizetype found = m_keyOrder.indexOf(key);
        return found < 0 ? m_keyOrder.size() : found;
    }

    void object(const QJsonObject& o, int depth, bool oneLine)
    {
        if (o.isEmpty()) {
            m_out += "{}";
            return;
        }
        m_out += '{';
        bool first = true;
        for (const QString& key : orderedKeys(o)) {
            if (!first)
                m_out += oneLine ? ", " : ",";
            first = false;
            if (!oneLine)
                newline(depth + 1);
            m_out += writeJson(QJsonValue(key), JsonStyle::Compact);
            m_out += ": ";
            value(o.value(key), depth + 1);
        }
        if (!oneLine)
            newline(depth);
        m_out += '}';
    }

    const QStringList& m_keyOrder;
    QByteArray m_out;
};

} // namespace

QByteArray writeReadableJson(const QJsonValue& value, const QStringList& keyOrder)
{
    Writer writer(keyOrder);
    writer.value(value, 0);
    return writer.take() + '\n';
}

} // namespace mako
