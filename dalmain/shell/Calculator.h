#pragma once

#include <QStringList>

namespace quenkit {
class Owner;
}

namespace dalmain {

// The calculator programs tried, in order, for this system.
QStringList calculatorPrograms();

// Starts the first calculator program that is installed. When none is, the user is told so
// and the result is false.
bool startCalculator(quenkit::Owner *owner);

}  // namespace dalmain
