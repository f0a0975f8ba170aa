#include "interchange/structureddocument.h"

#include "model/recordjson.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>

#include <yaml-cpp/yaml.h>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

// Aliases let a few bytes name a tree of billions of nodes; past these bounds the document is
// taken for such a one.
constexpr qsizetype kMaxNodes = 2'000'000;
constexpr int kMaxDepth = 256;

struct Budget {
    qsizetype nodes = 0;
    bool exceeded = false;
};

QJsonValue plainScalar(const QString& text)
{
    static const QRegularExpression integer(u"^[-+]?[0-9]+$"_s);
    static const QRegularExpression real(
        u"^[-+]?(\\.[0-9]+|[0-9]+(\\.[0-9]*)?)([eE][-+]?[0-9]+)?$"_s);
    if (text.isEmpty() || text == u"~"_s || text == u"null"_s || text == u"Null"_s
        || text == u"NULL"_s)
        return QJsonValue::Null;
    if (text == u"true"_s || text == u"True"_s || text == u"TRUE"_s)
        return true;
    if (text == u"false"_s || text == u"False"_s || text == u"FALSE"_s)
        return false;
    // A number too long for a double (an id of many digits) stays text, so no digit is lost.
    if (integer.match(text).hasMatch()) {
        bool ok = false;
        const qlonglong value = text.toLongLong(&ok);
        if (ok && std::abs(value) < (1LL << 53))
            return double(value);
        return text;
    }
    if (real.match(text).hasMatch()) {
        bool ok = false;
        const double value = text.toDouble(&ok);
        if (ok)
            return value;
    }
    return text;
}

QJsonValue converted(const YAML::Node& node, int depth, Budget& budget)
{
    if (budget.exceeded || ++budget.nodes > kMaxNodes || depth > kMaxDepth) {
        budget.exceeded = true;
        return {};
    }
    switch (node.Type()) {
    case YAML::NodeType::Scalar: {
        const QString text = QString::fromStdString(node.Scalar());
        // yaml-cpp tags a plain scalar "?" and a quoted (or explicitly tagged !) one "!".
        return node.Tag() == "?" ? plainScalar(text) : QJsonValue(text);
    }
    case YAML::NodeType::Sequence: {
        QJsonArray array;
        for (const YAML::Node& item : node)
            array.append(converted(item, depth + 1, budget));
        return array;
    }
    case YAML::NodeType::Map: {
        QJsonObject object;
        for (const auto& entry : node) {
            const YAML::Node& key = entry.first;
            const QString name = key.IsScalar() ? QString::fromStdString(key.Scalar()) : QString();
            object.insert(name, converted(entry.second, depth + 1, budget));
        }
        return object;
    }
    case YAML::NodeType::Null:
    case YAML::NodeType::Undefined:
        return QJsonValue::Null;
    }
    return {};
}

Error notReadable(const QString& detail)
{
    return Error {QCoreApplication::translate(
        "mako::StructuredDocument", "The file is neither JSON nor YAML (%1).")
                      .arg(detail)};
}

} // namespace

Result<QJsonValue> parseJsonOrYaml(const QByteArray& bytes)
{
    auto json = parseJson(bytes);
    if (json)
        return json;
    YAML::Node root;
    try {
        root = YAML::Load(bytes.toStdString());
    } catch (const YAML::Exception& error) {
        return notReadable(QString::fromStdString(error.what()));
    }
    // A document of one word parses as YAML too; only a mapping or a list is a document here.
    if (!root.IsMap() && !root.IsSequence())
        return json.error();
    Budget budget;
    QJsonValue value;
    try {
        value = converted(root, 0, budget);
    } catch (const YAML::Exception& error) {
        return notReadable(QString::fromStdString(error.what()));
    }
    if (budget.exceeded)
        return notReadable(
            QCoreApplication::translate("mako::StructuredDocument", "too large or too deep"));
    return value;
}

} // namespace mako
