#pragma once

#include <QElapsedTimer>
#include <QFile>
#include <QObject>

namespace zintu {

// Builds with tests only: how long the user-interface thread was busy, told by how late a
// 10 ms timer fires. Each lateness of a millisecond or more goes to the log as a line
// "steady-clock-ms late-ms", so that a measurement can pick out what it did meanwhile.
class LatenessProbe : public QObject {
  public:
    explicit LatenessProbe(const QString& logFile);

  protected:
    void timerEvent(QTimerEvent* event) override;

  private:
    QFile log_;
    QElapsedTimer sinceTick_;
};

}  // namespace zintu
