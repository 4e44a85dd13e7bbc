#pragma once

#include <string>

#include "framework/Control.h"

// A static text control.
class StaticText : public Control {
public:
    void SetWindowText(const std::string& text) {
        Send(kWmSetText, 0, reinterpret_cast<LongParam>(text.c_str()));
    }
};
