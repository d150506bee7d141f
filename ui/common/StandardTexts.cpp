#include "StandardTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace zintu {

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

}  // namespace zintu
