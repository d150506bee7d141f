#pragma once

#include <QLocale>
#include <QStringList>
#include <QTranslator>
#include <memory>
#include <vector>

namespace zintu {

// The interface's language from the user's preferred ones, best first: English when an
// English entry comes before any Russian one, Russian otherwise (C and POSIX included).
QLocale::Language InterfaceLanguage(const QStringList& uiLanguages);

// Puts the texts Qt draws itself (file dialogs, message and input box buttons) into the
// language of `locale`, as the platform's own dialogs follow the system's language. Keep
// the result while the program runs; null when Qt has no texts in that language.
std::unique_ptr<QTranslator> InstallStandardTexts(const QLocale& locale);

// The game's own texts and Qt's in the interface's language for `system`; the game's
// translations are embedded under ":/i18n". Keep the result while the program runs.
std::vector<std::unique_ptr<QTranslator>> InstallInterfaceTexts(const QLocale& system);

}  // namespace zintu
