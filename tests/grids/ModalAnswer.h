#pragma once

#include <functional>

class QWidget;

// Runs `act` on the next modal window as soon as the event loop shows it; gives up after about
// five seconds so a test never hangs on a dialog that did not come.
void WhenModal(std::function<void(QWidget*)> act);
