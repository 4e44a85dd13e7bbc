#pragma once

#include "framework/Control.h"

// Keeps a control from repainting while it is emptied and filled again: a visible list box
// otherwise repaints and updates its scroll bar for every item added. At the end of the scope
// redrawing is turned back on and the control repainted once.
class RedrawScope {
public:
    explicit RedrawScope(Control& control) : m_control(control) { m_control.SetRedraw(false); }
    ~RedrawScope() {
        m_control.SetRedraw(true);
        m_control.Invalidate();
    }

    RedrawScope(const RedrawScope&) = delete;
    RedrawScope& operator=(const RedrawScope&) = delete;

private:
    Control& m_control;
};
