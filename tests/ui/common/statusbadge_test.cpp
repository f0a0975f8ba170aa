#include "support/qtprinters.h"
#include "ui/common/metricpill.h"
#include "ui/common/statusbadge.h"

#include <QLocale>

#include <gtest/gtest.h>

using namespace mako;
using namespace Qt::StringLiterals;

TEST(StatusBadge, colourFollowsTheStatusClassAndIsGreyOutsideTwoHundredToFiveNinetyNine)
{
    const std::pair<int, SystemColor> cases[] = {{0, SystemColor::grey}, {101, SystemColor::grey},
        {199, SystemColor::grey}, {200, SystemColor::green}, {299, SystemColor::green},
        {300, SystemColor::blue}, {399, SystemColor::blue}, {404, SystemColor::orange},
        {500, SystemColor::red}, {503, SystemColor::red}, {599, SystemColor::red},
        {600, SystemColor::grey}, {-1, SystemColor::grey}};
    for (const auto& [code, color] : cases)
        EXPECT_EQ(statusColor(code), color) << code;
}

TEST(MetricPill, durationsDropTheFractionOfAMillisecondAndSizesCountIn1024s)
{
    const std::pair<double, QString> durations[]
        = {{0.0004, u"0ms"_s}, {0.2349, u"234ms"_s}, {0, u"0ms"_s}, {12.5, u"12500ms"_s}};
    for (const auto& [seconds, text] : durations)
        EXPECT_EQ(durationText(seconds), text) << seconds;

    const QLocale before;
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(byteCountText(512), u"512 bytes"_s);
    EXPECT_EQ(byteCountText(1536), u"1.5 KiB"_s);
    EXPECT_EQ(byteCountText(200 * 1024 * 1024), u"200.0 MiB"_s);
    QLocale::setDefault(before);
}
