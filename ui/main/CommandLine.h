#pragma once

#include <QStringList>

namespace zintu {

enum class Information { None, Help, Version };

// What --help or -h, --version or -v ask for; None when the arguments are the game's own
// (the optional slide step).
Information InformationAsked(const QStringList& arguments);

// The text to print, in the interface's language; needs no display.
QString InformationText(Information asked);

}  // namespace zintu
