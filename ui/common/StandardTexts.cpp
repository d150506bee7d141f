#include "ui/common/StandardTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace zintu {

QLocale::Language InterfaceLanguage(const QStringList& uiLanguages) {
    for (const QString& name : uiLanguages) {
        const QLocale::Language language = QLocale(name).language();
        // "C" names no language: Qt reads it as English, the game as its own default.
        if (name != QLatin1String("C") &&
            (language == QLocale::English || language == QLocale::Russian)) {
            return language;
        }
    }
    return QLocale::Russian;
}

std::unique_ptr<QTranslator> InstallStandardTexts(const QLocale& locale) {
    auto translator = std::make_unique<QTranslator>();
    // "qt" gathers the texts of every Qt module, also where a deployment tool built it.
    if (!translator->load(locale, QStringLiteral("qt"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator.get())) {
        return nullptr;
    }
    return translator;
}

std::vector<std::unique_ptr<QTranslator>> InstallInterfaceTexts(const QLocale& system) {
    std::vector<std::unique_ptr<QTranslator>> installed;
    const QLocale::Language language = InterfaceLanguage(system.uiLanguages());
    if (language == QLocale::English) {
        auto own = std::make_unique<QTranslator>();
        if (own->load(QStringLiteral(":/i18n/zintu_en.qm")) &&
            QCoreApplication::installTranslator(own.get())) {
            installed.push_back(std::move(own));
        }
    }
    // The standard texts follow the game's language, so that a box does not mix two.
    if (auto standard = InstallStandardTexts(QLocale(language))) {
        installed.push_back(std::move(standard));
    }
    return installed;
}

}  // namespace zintu
