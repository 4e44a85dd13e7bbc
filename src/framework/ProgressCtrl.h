#pragma once

#include "framework/Control.h"

// A progress bar with a 16-bit range.
class ProgressCtrl : public Control {
public:
    void SetRange(short lower, short upper) {
        Send(kPbmSetRange, 0,
             MakeLongParam(static_cast<unsigned short>(lower), static_cast<unsigned short>(upper)));
    }
    int SetPos(int position) {
        return static_cast<int>(Send(kPbmSetPos, static_cast<WordParam>(position)));
    }
    // Adds `increment` to the position; returns the previous position.
    int OffsetPos(int increment) {
        return static_cast<int>(Send(kPbmDeltaPos, static_cast<WordParam>(increment)));
    }
};
