#pragma once

#include <string>

class QWidget;

namespace zintu {

// Asks for the name of a new record holder at place `rank`, modally. Returns the answer
// exactly as typed, or an empty string on Cancel and on closing the dialog.
std::u32string AskRecordName(QWidget* parent, int rank);

}  // namespace zintu
