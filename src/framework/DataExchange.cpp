#include "framework/DataExchange.h"

#include <stdexcept>

#include "framework/Control.h"
#include "framework/DialogWindow.h"

void BindControl(DataExchange& exchange, int id, Control& control) {
    Window* window = exchange.GetWindow().GetControl(id);
    if (!window) throw std::logic_error("the dialog template has no control to bind");
    control.Attach(window);
    exchange.RememberBound(control);
}
