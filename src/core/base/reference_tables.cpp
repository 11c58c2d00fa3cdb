#include "base/reference_tables.h"

#include <QCoreApplication>

namespace hxv5 {

QString applicationTitle()
{
    return QString::fromLatin1(
        QT_TRANSLATE_NOOP("hxv5::ProgramTexts", "Tormel HX-V5 Clone Utility"));
}

QString startMarker()
{
    return QStringLiteral("Tormel  HX-V5  Clone  File Start");
}

QString endMarker()
{
    return QStringLiteral("Tormel  HX-V5  Clone  File   End");
}

const QStringList &stepList()
{
    // Entries 14 to 18 are megahertz steps in the radio's own order (6, 1, 10, 7, 8), not sorted.
    static const QStringList steps = {
        QStringLiteral("9KHz"),    QStringLiteral("5KHz"),   QStringLiteral("6.25KHz"),
        QStringLiteral("8.33KHz"), QStringLiteral("10KHz"),  QStringLiteral("12.5KHz"),
        QStringLiteral("15KHz"),   QStringLiteral("20KHz"),  QStringLiteral("25KHz"),
        QStringLiteral("30KHz"),   QStringLiteral("50KHz"),  QStringLiteral("100KHz"),
        QStringLiteral("125KHz"),  QStringLiteral("200KHz"), QStringLiteral("6MHz"),
        QStringLiteral("1MHz"),    QStringLiteral("10MHz"),  QStringLiteral("7MHz"),
        QStringLiteral("8MHz"),
    };
    return steps;
}

QString stepText(int code)
{
    return code >= 0 && code < kStepCount ? stepList().at(code) : QString();
}

const QStringList &toneList()
{
    // The EIA CTCSS tones in ascending order with 69.3 Hz added as code 1.
    static const QStringList tones = {
        QStringLiteral("67.0Hz"),  QStringLiteral("69.3Hz"),  QStringLiteral("71.9Hz"),
        QStringLiteral("74.4Hz"),  QStringLiteral("77.0Hz"),  QStringLiteral("79.7Hz"),
        QStringLiteral("82.5Hz"),  QStringLiteral("85.4Hz"),  QStringLiteral("88.5Hz"),
        QStringLiteral("91.5Hz"),  QStringLiteral("94.8Hz"),  QStringLiteral("97.4Hz"),
        QStringLiteral("100.0Hz"), QStringLiteral("103.5Hz"), QStringLiteral("107.2Hz"),
        QStringLiteral("110.9Hz"), QStringLiteral("114.8Hz"), QStringLiteral("118.8Hz"),
        QStringLiteral("123.0Hz"), QStringLiteral("127.3Hz"), QStringLiteral("131.8Hz"),
        QStringLiteral("136.5Hz"), QStringLiteral("141.3Hz"), QStringLiteral("146.2Hz"),
        QStringLiteral("151.4Hz"), QStringLiteral("156.7Hz"), QStringLiteral("162.2Hz"),
        QStringLiteral("167.9Hz"), QStringLiteral("173.8Hz"), QStringLiteral("179.9Hz"),
        QStringLiteral("186.2Hz"), QStringLiteral("192.8Hz"), QStringLiteral("203.5Hz"),
        QStringLiteral("210.7Hz"), QStringLiteral("218.1Hz"), QStringLiteral("225.7Hz"),
        QStringLiteral("233.6Hz"), QStringLiteral("241.8Hz"), QStringLiteral("250.3Hz"),
    };
    return tones;
}

QString toneText(int code)
{
    return code >= 0 && code < kToneCount ? toneList().at(code) : QString();
}

QString dialogLabel(int specialIndex)
{
    static const char *const labels[kSpecialSlotCount] = {
        "P 0A",
        "P 0B",
        "P 1A",
        "P 1B",
        "P 2A",
        "P 2B",
        "P 3A",
        "P 3B",
        "P 4A",
        "P 4B",
        "AP L",
        "AP H",
        QT_TRANSLATE_NOOP("hxv5::TableTexts", "Priority"),
    };
    if (specialIndex < 0 || specialIndex >= kSpecialSlotCount)
        return {};
    return QString::fromLatin1(labels[specialIndex]);
}

QString scanName(int specialIndex)
{
    static const char *const names[kSpecialSlotCount] = {
        "P0A", "P0B", "P1A", "P1B", "P2A", "P2B",      "P3A",
        "P3B", "P4A", "P4B", "APL", "APH", "Priority",
    };
    if (specialIndex < 0 || specialIndex >= kSpecialSlotCount)
        return {};
    return QString::fromLatin1(names[specialIndex]);
}

const std::array<int, 10> &columnWidths()
{
    static const std::array<int, 10> widths = {555, 870, 480, 705, 450, 690, 690, 495, 795, 1965};
    return widths;
}

int columnWidth(int column)
{
    return column >= 0 && column < 10 ? columnWidths()[static_cast<size_t>(column)] : 0;
}

QString modelCaption(int model)
{
    static const char *const captions[kModelCount] = {
        "HX-V5 D", "V5 A PRO", "V5 B PRO", "V5 A K", "HX-V5 B", "HX-V5 A",
    };
    if (model < 0 || model >= kModelCount)
        return {};
    return QString::fromLatin1(captions[model]);
}

BandPlanEntry bandPlan(int model, int band)
{
    struct Plan
    {
        const char *caption;
        double lower;
        double upper;
    };
    static const Plan variant0[kVfoRowCount] = {
        {"(.531-1.620MHz)", 0.531, 1.62},       {"(1.625-9.995MHz)", 1.625, 9.995},
        {"(76.100-89.995MHz)", 76.1, 89.995},   {"(108.000-141.995MHz)", 108, 141.995},
        {"(142.000-169.995MHz)", 142, 169.995}, {"(380.000-429.995MHz)", 380, 429.995},
        {"(430.000-469.995MHz)", 430, 469.995},
    };
    static const Plan variant4[kVfoRowCount] = {
        {"(.531-1.620MHz)", 0.531, 1.62},       {"(1.625-9.995MHz)", 1.625, 9.995},
        {"(88.100-107.995MHz)", 88.1, 107.995}, {"(108.000-141.995MHz)", 108, 141.995},
        {"(142.000-173.995MHz)", 142, 173.995}, {"(380.000-419.995MHz)", 380, 419.995},
        {"(420.000-511.995MHz)", 420, 511.995},
    };
    static const Plan variant5[kVfoRowCount] = {
        {"(.531-1.620MHz)", 0.531, 1.62},       {"(1.625-9.995MHz)", 1.625, 9.995},
        {"(87.500-107.995MHz)", 87.5, 107.995}, {"(108.000-141.995MHz)", 108, 141.995},
        {"(144.000-145.995MHz)", 144, 145.995}, {"(380.000-419.995MHz)", 380, 419.995},
        {"(430.000-439.995MHz)", 430, 439.995},
    };
    if (band < 1 || band > kVfoRowCount)
        return {};
    const Plan *plan = nullptr;
    switch (model) {
    case 0:
        plan = variant0;
        break;
    case 4:
        plan = variant4;
        break;
    case 5:
        plan = variant5;
        break;
    default:
        return {};
    }
    const Plan &p = plan[band - 1];
    return {QString::fromLatin1(p.caption), p.lower, p.upper};
}

} // namespace hxv5
