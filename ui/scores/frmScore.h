#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QTableWidget;

namespace zintu {

// The list of the ten best. Build one for each opening, fill it, then exec() it: it is
// modal, has no owner and centres itself on the screen.
class frmScore : public QDialog {
    Q_OBJECT

  public:
    frmScore();

    // Number of columns of the body grid Fg1.
    int Cols() const;
    // Empties every body cell; rows and columns stay.
    void Clear();
    // Sets the body cell at row * Cols() + column; indices outside the grid are ignored.
    void SetTextArray(int index, const QString& text);

  private:
    void MergeNames();

    QTableWidget* body_ = nullptr;
    QCheckBox* mergeNames_ = nullptr;
};

}  // namespace zintu
