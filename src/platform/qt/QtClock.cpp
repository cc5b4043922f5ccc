#include "platform/qt/QtClock.h"

#include <QDateTime>

namespace tq {

DateTime QtClock::now() const {
  const QDateTime t = QDateTime::currentDateTime();
  const QDate d = t.date();
  const QTime tm = t.time();
  return {d.year(), d.month(), d.day(), tm.hour(), tm.minute(), tm.second()};
}

}  // namespace tq
