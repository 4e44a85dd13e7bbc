#pragma once

#include <vector>

class Control;
class DialogWindow;

// Handed to Dialog::DoDataExchange: attaches control wrappers to the dialog's controls and
// remembers them, so that the dialog can detach them when its window goes away.
class DataExchange {
public:
    explicit DataExchange(DialogWindow& window) : m_window(window) {}

    DialogWindow& GetWindow() const { return m_window; }

    void RememberBound(Control& control) { m_bound.push_back(&control); }
    const std::vector<Control*>& GetBoundControls() const { return m_bound; }

private:
    DialogWindow& m_window;
    std::vector<Control*> m_bound;
};

// Attaches `control` to the dialog's child control `id` (DDX_Control). The control must exist:
// a template without it is a programming error and throws std::logic_error.
void BindControl(DataExchange& exchange, int id, Control& control);
