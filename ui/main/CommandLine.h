#pragma once

#include <QStringList>

#include "ui/main/BallSymbol.h"

namespace zintu {

enum class Information { None, Help, Version };

// What --help or -h, --version or -v ask for; None when the arguments are the game's own
// (--symbols, the optional slide step).
Information InformationAsked(const QStringList& arguments);

// What the game itself takes from its whole argument string: --symbols anywhere, and
// the rest, which sets the slide step.
struct GameArguments {
    Symbols BallSymbols = Symbols::Off;
    QString Step;
};
GameArguments ReadGameArguments(const QString& arguments);

// The text to print, in the interface's language; needs no display.
QString InformationText(Information asked);

}  // namespace zintu
