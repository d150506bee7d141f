#pragma once

#include <QLocale>
#include <QTranslator>
#include <memory>

namespace zintu {

// Puts the texts Qt draws itself (file dialogs, message and input box buttons) into the
// language of `locale`, as the platform's own dialogs follow the system's language. Keep
// the result while the program runs; null when Qt has no texts in that language.
std::unique_ptr<QTranslator> InstallStandardTexts(const QLocale& locale);

}  // namespace zintu
