#pragma once

#include <QDate>
#include <QDateTime>

// The business clock: "now" and "today" as circulation sees them. Loans, returns, renewals and the
// loan query read the time here rather than from the database server or the system clock directly,
// so every workstation judges a due date by the same rule and tests can stand on a fixed day.
namespace Clock {
// The current local date and time, whole seconds.
QDateTime Now();
// The date part of Now().
QDate Today();
// From now on Now() returns `moment` (seconds dropped); an invalid moment returns to the system clock.
// For tests and demonstrations.
void SetFixed(const QDateTime& moment);
} // namespace Clock
