#pragma once

#include <QDialog>
#include <QString>

namespace zintu {

// The thanks text of Label4 as composed: its rows are separated by a carriage return alone.
QString ThanksText();

// The About window. Build one for each opening and exec() it: it is modal and centres
// itself over `owner`.
class frmAbout : public QDialog {
    Q_OBJECT

  public:
    explicit frmAbout(QWidget* owner = nullptr);
};

}  // namespace zintu
