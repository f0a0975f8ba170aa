#include "execution/dynamicvariables.h"

#include <QDateTime>
#include <QLocale>
#include <QRandomGenerator>
#include <QUuid>

#include <functional>
#include <vector>

namespace mako {

using namespace Qt::StringLiterals;

namespace {

// Short word lists of our own: collections use these values as plausible filler, so a few
// dozen ordinary words go a long way.
const QStringList kFirstNames {u"Ada"_s, u"Bruno"_s, u"Carla"_s, u"Dmitri"_s, u"Elena"_s,
    u"Farid"_s, u"Greta"_s, u"Hiro"_s, u"Ines"_s, u"Jonas"_s, u"Kamala"_s, u"Luis"_s, u"Mira"_s,
    u"Nils"_s, u"Olga"_s, u"Pavel"_s, u"Rosa"_s, u"Samir"_s, u"Tilda"_s, u"Yusuf"_s};
const QStringList kLastNames {u"Abbott"_s, u"Brandt"_s, u"Castillo"_s, u"Dubois"_s, u"Eriksen"_s,
    u"Fischer"_s, u"Gallo"_s, u"Haas"_s, u"Ivanova"_s, u"Jensen"_s, u"Kowalski"_s, u"Lindqvist"_s,
    u"Moreau"_s, u"Novak"_s, u"Okafor"_s, u"Petrov"_s, u"Quinn"_s, u"Rossi"_s, u"Sato"_s,
    u"Weber"_s};
const QStringList kNamePrefixes {u"Mr."_s, u"Ms."_s, u"Mrs."_s, u"Dr."_s, u"Prof."_s};
const QStringList kNameSuffixes {u"Jr."_s, u"Sr."_s, u"II"_s, u"III"_s, u"PhD"_s};
const QStringList kNouns {u"anchor"_s, u"bridge"_s, u"cable"_s, u"engine"_s, u"field"_s,
    u"garden"_s, u"harbour"_s, u"lantern"_s, u"market"_s, u"orbit"_s, u"pixel"_s, u"river"_s,
    u"signal"_s, u"timber"_s, u"valley"_s, u"window"_s};
const QStringList kVerbs {u"build"_s, u"carry"_s, u"connect"_s, u"deliver"_s, u"index"_s,
    u"measure"_s, u"parse"_s, u"render"_s, u"route"_s, u"sync"_s, u"transmit"_s, u"validate"_s};
const QStringList kAdjectives {u"bright"_s, u"calm"_s, u"digital"_s, u"eager"_s, u"fast"_s,
    u"golden"_s, u"hidden"_s, u"quiet"_s, u"robust"_s, u"silent"_s, u"vivid"_s, u"wooden"_s};
const QStringList kLorem {u"lorem"_s, u"ipsum"_s, u"dolor"_s, u"sit"_s, u"amet"_s, u"consectetur"_s,
    u"adipiscing"_s, u"elit"_s, u"sed"_s, u"do"_s, u"eiusmod"_s, u"tempor"_s, u"incididunt"_s,
    u"labore"_s, u"magna"_s, u"aliqua"_s, u"enim"_s, u"minim"_s, u"veniam"_s, u"nostrud"_s};
const QStringList kColors {u"red"_s, u"orange"_s, u"yellow"_s, u"green"_s, u"teal"_s, u"blue"_s,
    u"indigo"_s, u"violet"_s, u"purple"_s, u"pink"_s, u"brown"_s, u"black"_s, u"white"_s, u"grey"_s,
    u"olive"_s, u"maroon"_s};
const QStringList kCities {u"Lisbon"_s, u"Oslo"_s, u"Lagos"_s, u"Osaka"_s, u"Quito"_s, u"Perth"_s,
    u"Graz"_s, u"Tartu"_s, u"Porto"_s, u"Leeds"_s, u"Nantes"_s, u"Bergen"_s};
const QStringList kStreets {u"Maple Street"_s, u"Harbour Road"_s, u"Mill Lane"_s,
    u"Station Avenue"_s, u"Church Walk"_s, u"Orchard Way"_s, u"River Terrace"_s, u"Hill Close"_s};
const QStringList kCountries {u"Portugal"_s, u"Norway"_s, u"Nigeria"_s, u"Japan"_s, u"Ecuador"_s,
    u"Australia"_s, u"Austria"_s, u"Estonia"_s, u"Canada"_s, u"Kenya"_s};
const QStringList kCountryCodes {
    u"PT"_s, u"NO"_s, u"NG"_s, u"JP"_s, u"EC"_s, u"AU"_s, u"AT"_s, u"EE"_s, u"CA"_s, u"KE"_s};
const QStringList kCurrencyCodes {
    u"EUR"_s, u"USD"_s, u"GBP"_s, u"JPY"_s, u"CHF"_s, u"NOK"_s, u"CAD"_s, u"AUD"_s, u"INR"_s};
const QStringList kCurrencySymbols {u"€"_s, u"$"_s, u"£"_s, u"¥"_s, u"₹"_s, u"kr"_s};
const QStringList kCompanySuffixes {u"Ltd"_s, u"Inc"_s, u"GmbH"_s, u"Group"_s, u"and Sons"_s};
const QStringList kJobLevels {u"Senior"_s, u"Junior"_s, u"Lead"_s, u"Principal"_s, u"Chief"_s};
const QStringList kJobAreas {u"Data"_s, u"Security"_s, u"Marketing"_s, u"Quality"_s,
    u"Operations"_s, u"Research"_s, u"Support"_s};
const QStringList kJobTypes {u"Engineer"_s, u"Analyst"_s, u"Designer"_s, u"Manager"_s,
    u"Consultant"_s, u"Architect"_s, u"Officer"_s};
const QStringList kDepartments {
    u"Books"_s, u"Garden"_s, u"Toys"_s, u"Music"_s, u"Tools"_s, u"Sports"_s, u"Kitchen"_s};
const QStringList kDomainSuffixes {u"com"_s, u"net"_s, u"org"_s, u"io"_s, u"info"_s, u"biz"_s};
// Mail goes to the domains reserved for examples, so a filled-in address reaches nobody.
const QStringList kMailDomains {u"example.com"_s, u"example.org"_s, u"example.net"_s};
const QStringList kFileExtensions {
    u"txt"_s, u"json"_s, u"png"_s, u"pdf"_s, u"csv"_s, u"xml"_s, u"mp3"_s};
const QStringList kMimeTypes {u"text/plain"_s, u"application/json"_s, u"image/png"_s,
    u"application/pdf"_s, u"text/csv"_s, u"application/xml"_s};
const QStringList kLocales {u"en"_s, u"de"_s, u"fr"_s, u"es"_s, u"pt"_s, u"ja"_s, u"nb"_s};
const QStringList kProtocols {u"http"_s, u"https"_s};

QRandomGenerator& random()
{
    return *QRandomGenerator::global();
}

int number(int lowest, int highest)
{
    return int(random().bounded(lowest, highest + 1));
}

const QString& pick(const QStringList& list)
{
    return list.at(int(random().bounded(qsizetype(list.size()))));
}

QString digits(int count)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += QChar(u'0' + number(0, 9));
    return text;
}

QString alphaNumeric(int count)
{
    static const QString characters = u"abcdefghijklmnopqrstuvwxyz0123456789"_s;
    QString text;
    for (int i = 0; i < count; ++i)
        text += characters.at(number(0, int(characters.size()) - 1));
    return text;
}

QString words(const QStringList& list, int count, const QString& separator = u" "_s)
{
    QStringList chosen;
    for (int i = 0; i < count; ++i)
        chosen.append(pick(list));
    return chosen.join(separator);
}

QString sentence()
{
    QString text = words(kLorem, number(4, 9)) + u'.';
    text[0] = text[0].toUpper();
    return text;
}

QString sentences(int count)
{
    QStringList all;
    for (int i = 0; i < count; ++i)
        all.append(sentence());
    return all.join(u' ');
}

QString uuid()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

QString domainWord()
{
    return pick(kAdjectives) + u'-' + pick(kNouns);
}

QString domainName()
{
    return domainWord() + u'.' + pick(kDomainSuffixes);
}

QString userName()
{
    return pick(kFirstNames) + u'.' + pick(kLastNames) + QString::number(number(1, 99));
}

// Dates read the way a script engine prints a date, which is what the filled-in text of
// collections written against one looks like.
QString date(qint64 fromSeconds, qint64 toSeconds)
{
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    const qint64 offset = qint64(random().bounded(quint64(toSeconds - fromSeconds))) + fromSeconds;
    return QLocale::c().toString(QDateTime::fromSecsSinceEpoch(now + offset, Qt::UTC),
        u"ddd MMM dd yyyy HH:mm:ss 'GMT+0000 (Coordinated Universal Time)'"_s);
}

constexpr qint64 kDay = 24 * 60 * 60;

QString ipv6()
{
    QStringList groups;
    for (int i = 0; i < 8; ++i)
        groups.append(u"%1"_s.arg(number(0, 0xffff), 4, 16, QChar(u'0')));
    return groups.join(u':');
}

QString macAddress()
{
    QStringList groups;
    for (int i = 0; i < 6; ++i)
        groups.append(u"%1"_s.arg(number(0, 0xff), 2, 16, QChar(u'0')));
    return groups.join(u':');
}

struct DynamicVariable {
    QString name;
    std::function<QString()> value;
};

const std::vector<DynamicVariable>& dynamicVariables()
{
    static const std::vector<DynamicVariable> all {
        {u"$guid"_s, uuid},
        {u"$timestamp"_s, [] { return QString::number(QDateTime::currentSecsSinceEpoch()); }},
        {u"$isoTimestamp"_s,
            [] { return QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs); }},
        {u"$randomUUID"_s, uuid},
        {u"$randomInt"_s, [] { return QString::number(number(0, 1000)); }},
        {u"$randomAlphaNumeric"_s, [] { return alphaNumeric(1); }},
        {u"$randomBoolean"_s, [] { return number(0, 1) ? u"true"_s : u"false"_s; }},
        {u"$randomColor"_s, [] { return pick(kColors); }},
        {u"$randomHexColor"_s,
            [] { return u"#%1"_s.arg(number(0, 0xffffff), 6, 16, QChar(u'0')); }},
        {u"$randomAbbreviation"_s,
            [] {
                return pick({u"API"_s, u"HTTP"_s, u"JSON"_s, u"SQL"_s, u"TCP"_s, u"XML"_s});
            }},
        {u"$randomIP"_s,
            [] {
                return u"%1.%2.%3.%4"_s.arg(number(0, 255))
                    .arg(number(0, 255))
                    .arg(number(0, 255))
                    .arg(number(0, 255));
            }},
        {u"$randomIPV6"_s, ipv6},
        {u"$randomMACAddress"_s, macAddress},
        {u"$randomPassword"_s, [] { return alphaNumeric(15); }},
        {u"$randomLocale"_s, [] { return pick(kLocales); }},
        {u"$randomSemver"_s,
            [] { return u"%1.%2.%3"_s.arg(number(0, 9)).arg(number(0, 9)).arg(number(0, 9)); }},
        {u"$randomFirstName"_s, [] { return pick(kFirstNames); }},
        {u"$randomLastName"_s, [] { return pick(kLastNames); }},
        {u"$randomFullName"_s, [] { return pick(kFirstNames) + u' ' + pick(kLastNames); }},
        {u"$randomNamePrefix"_s, [] { return pick(kNamePrefixes); }},
        {u"$randomNameSuffix"_s, [] { return pick(kNameSuffixes); }},
        {u"$randomJobTitle"_s,
            [] { return pick(kJobLevels) + u' ' + pick(kJobAreas) + u' ' + pick(kJobTypes); }},
        {u"$randomJobArea"_s, [] { return pick(kJobAreas); }},
        {u"$randomJobType"_s, [] { return pick(kJobTypes); }},
        {u"$randomPhoneNumber"_s,
            [] { return u"%1-%2-%3"_s.arg(digits(3), digits(3), digits(4)); }},
        {u"$randomPhoneNumberExt"_s,
            [] { return u"%1-%2-%3-%4"_s.arg(digits(2), digits(3), digits(3), digits(4)); }},
        {u"$randomCity"_s, [] { return pick(kCities); }},
        {u"$randomStreetName"_s, [] { return pick(kStreets); }},
        {u"$randomStreetAddress"_s,
            [] { return QString::number(number(1, 9999)) + u' ' + pick(kStreets); }},
        {u"$randomCountry"_s, [] { return pick(kCountries); }},
        {u"$randomCountryCode"_s, [] { return pick(kCountryCodes); }},
        {u"$randomLatitude"_s,
            [] { return QString::number(random().generateDouble() * 180 - 90, 'f', 4); }},
        {u"$randomLongitude"_s,
            [] { return QString::number(random().generateDouble() * 360 - 180, 'f', 4); }},
        {u"$randomEmail"_s,
            [] {
                return (pick(kFirstNames) + u'.' + pick(kLastNames)).toLower() + u'@'
                    + pick(kMailDomains);
            }},
        {u"$randomExampleEmail"_s, [] { return userName().toLower() + u'@' + pick(kMailDomains); }},
        {u"$randomUserName"_s, userName},
        {u"$randomUrl"_s, [] { return pick(kProtocols) + u"://"_s + domainName(); }},
        {u"$randomDomainName"_s, domainName},
        {u"$randomDomainSuffix"_s, [] { return pick(kDomainSuffixes); }},
        {u"$randomDomainWord"_s, domainWord},
        {u"$randomProtocol"_s, [] { return pick(kProtocols); }},
        {u"$randomWord"_s, [] { return pick(kNouns); }},
        {u"$randomWords"_s, [] { return words(kNouns, number(2, 5)); }},
        {u"$randomNoun"_s, [] { return pick(kNouns); }},
        {u"$randomVerb"_s, [] { return pick(kVerbs); }},
        {u"$randomAdjective"_s, [] { return pick(kAdjectives); }},
        {u"$randomLoremWord"_s, [] { return pick(kLorem); }},
        {u"$randomLoremWords"_s, [] { return words(kLorem, 3); }},
        {u"$randomLoremSentence"_s, sentence},
        {u"$randomLoremSentences"_s, [] { return sentences(number(2, 6)); }},
        {u"$randomLoremParagraph"_s, [] { return sentences(3); }},
        {u"$randomLoremParagraphs"_s,
            [] { return sentences(3) + u"\n"_s + sentences(3) + u"\n"_s + sentences(3); }},
        {u"$randomLoremSlug"_s, [] { return words(kLorem, 3, u"-"_s); }},
        {u"$randomLoremLines"_s, [] { return sentences(1) + u'\n' + sentences(1); }},
        {u"$randomLoremText"_s, [] { return sentences(number(2, 4)); }},
        {u"$randomDateFuture"_s, [] { return date(kDay, 365 * kDay); }},
        {u"$randomDatePast"_s, [] { return date(-365 * kDay, -kDay); }},
        {u"$randomDateRecent"_s, [] { return date(-kDay, 0); }},
        {u"$randomWeekday"_s,
            [] { return QLocale::c().dayName(number(1, 7), QLocale::LongFormat); }},
        {u"$randomMonth"_s,
            [] { return QLocale::c().monthName(number(1, 12), QLocale::LongFormat); }},
        {u"$randomPrice"_s,
            [] { return QString::number(random().generateDouble() * 1000, 'f', 2); }},
        {u"$randomCurrencyCode"_s, [] { return pick(kCurrencyCodes); }},
        {u"$randomCurrencySymbol"_s, [] { return pick(kCurrencySymbols); }},
        {u"$randomBankAccount"_s, [] { return digits(8); }},
        {u"$randomCompanyName"_s, [] { return pick(kLastNames) + u' ' + pick(kCompanySuffixes); }},
        {u"$randomCompanySuffix"_s, [] { return pick(kCompanySuffixes); }},
        {u"$randomDepartment"_s, [] { return pick(kDepartments); }},
        {u"$randomProduct"_s, [] { return pick(kNouns); }},
        {u"$randomProductName"_s, [] { return pick(kAdjectives) + u' ' + pick(kNouns); }},
        {u"$randomFileName"_s, [] { return pick(kNouns) + u'.' + pick(kFileExtensions); }},
        {u"$randomFileExt"_s, [] { return pick(kFileExtensions); }},
        {u"$randomMimeType"_s, [] { return pick(kMimeTypes); }},
    };
    return all;
}

} // namespace

const QStringList& dynamicVariableNames()
{
    static const QStringList names = [] {
        QStringList all;
        for (const DynamicVariable& variable : dynamicVariables())
            all.append(variable.name);
        return all;
    }();
    return names;
}

std::optional<QString> dynamicVariableValue(QStringView name)
{
    for (const DynamicVariable& variable : dynamicVariables()) {
        if (variable.name == name)
            return variable.value();
    }
    return std::nullopt;
}

} // namespace mako
