#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>

#include "engine/ScoreTable.h"

class QCheckBox;
class QTableWidget;

namespace zintu {

// The list of the ten best. Build one for each opening, fill it, then exec() it: it is
// modal, has no owner and centres itself on the screen.
class frmScore : public QDialog {
    Q_OBJECT

  public:
    frmScore();

    // Lists the entries down to the first empty slot; the rows below stay blank.
    void Show(const ScoreTable& table);
    // Sets the body cell at row * Cols() + column; indices outside the grid are ignored.
    void SetTextArray(int index, const QString& text);

  private:
    // Number of columns of the body grid Fg1.
    int Cols() const;
    // Index of a body cell, in 16 bits that wrap.
    std::int16_t TextArrayIndex(std::int16_t row, std::int16_t column) const;
    // Empties every body cell; rows and columns stay.
    void Clear();
    void MergeNames();

    QTableWidget* body_ = nullptr;
    QCheckBox* mergeNames_ = nullptr;
};

}  // namespace zintu
