#include "app/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QSettings>
#include <QTranslator>

#include <algorithm>

namespace hxv5 {

namespace {

const QLatin1String kLanguageKey("View/Language");
const QLatin1String kEnglishCode("en");
const QLatin1String kJapaneseCode("ja");

// The catalogues in use: the program's own, built in, and those of Qt that Debian installs.
QList<QPointer<QTranslator>> &installed()
{
    static QList<QPointer<QTranslator>> translators;
    return translators;
}

bool install(const QString &name, const QStringList &folders)
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    const auto load = [&](const QString &folder) {
        return translator->load(QLocale(QLocale::Japanese), name, QStringLiteral("_"), folder);
    };
    if (std::none_of(folders.cbegin(), folders.cend(), load)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    installed().append(translator);
    return true;
}

} // namespace

std::optional<Language> storedLanguage()
{
    const QString code = QSettings().value(kLanguageKey).toString();
    if (code == kEnglishCode)
        return Language::English;
    if (code == kJapaneseCode)
        return Language::Japanese;
    return std::nullopt;
}

void storeLanguage(Language language)
{
    QSettings().setValue(kLanguageKey,
                         language == Language::Japanese ? kJapaneseCode : kEnglishCode);
}

Language chosenLanguage()
{
    return storedLanguage().value_or(languageForLocale(QLocale::system()));
}

bool installTranslations(Language language)
{
    for (const QPointer<QTranslator> &translator : std::as_const(installed()))
        delete translator.data(); // a translator deleted takes itself out of the application
    installed().clear();
    // Dates and times in the status bar follow the language, unless it is the system's own.
    QLocale::setDefault(
        language == languageForLocale(QLocale::system())
            ? QLocale::system()
            : QLocale(language == Language::Japanese ? QLocale::Japanese : QLocale::English));
    if (language == Language::English)
        return true;
    // Qt's catalogue where Qt is installed (Debian's qt6-translations-l10n), or beside the program
    // (the Windows installation brings it).
    const QStringList qtFolders = {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                                   QCoreApplication::applicationDirPath() +
                                       QStringLiteral("/translations")};
    const QStringList builtIn = {QStringLiteral(":/i18n")};
    // Each is tried even when one fails, so that what can be Japanese is.
    const bool qtBase = install(QStringLiteral("qtbase"), qtFolders);
    // Installed after Qt's, so that they are searched first.
    const bool qtGaps = install(QStringLiteral("hxv5_qt"), builtIn);
    const bool own = install(QStringLiteral("hxv5"), builtIn);
    return own && qtBase && qtGaps;
}

} // namespace hxv5
