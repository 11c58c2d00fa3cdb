#include "base/help_text.h"

#include <QStringList>

namespace hxv5 {

namespace {

bool forDevelopers(const QString &heading)
{
    const QString text = heading.toLower();
    for (const char *word : {"test", "fuzz", "layout", "develop", "contribut", "sanitiz",
                             "source code", "quick start"}) {
        if (text.contains(QLatin1String(word)))
            return true;
    }
    return false;
}

// A line that opens a section: "## " at the start, outside a fenced code block.
bool opensSection(const QString &line)
{
    return line.startsWith(QLatin1String("## "));
}

} // namespace

QString userPartOfReadme(const QString &markdown)
{
    QStringList kept;
    bool keeping = true;
    bool fenced = false;
    const QStringList lines = markdown.split(QLatin1Char('\n'));
    for (const QString &raw : lines) {
        QString line = raw;
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.startsWith(QLatin1String("```")))
            fenced = !fenced;
        else if (!fenced && opensSection(line))
            keeping = !forDevelopers(line.mid(3));
        if (keeping)
            kept.append(line);
    }
    while (!kept.isEmpty() && kept.last().trimmed().isEmpty())
        kept.removeLast();
    return kept.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace hxv5
