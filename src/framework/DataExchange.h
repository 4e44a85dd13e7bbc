#pragma once

class Control;
class DialogWindow;

// Handed to Dialog::DoDataExchange: attaches control wrappers to the dialog's controls.
class DataExchange {
public:
    explicit DataExchange(DialogWindow& window) : m_window(window) {}

    DialogWindow& GetWindow() const { return m_window; }

private:
    DialogWindow& m_window;
};

// Attaches `control` to the dialog's child control `id` (DDX_Control). The control must exist.
void BindControl(DataExchange& exchange, int id, Control& control);
