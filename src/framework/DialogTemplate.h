#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

// The part of a dialog template resource that decides where the window goes.
struct DialogTemplateHeader {
    std::uint32_t style;
    int x;
    int y;
    bool extended;
};

// Reads the header of a regular (DLGTEMPLATE) or extended (DLGTEMPLATEEX) template; nothing
// when the bytes are too short to hold one.
std::optional<DialogTemplateHeader> ReadDialogTemplateHeader(const unsigned char* bytes,
                                                             std::size_t size);

// Whether the framework centres the dialog on the work area once it is initialised: an unowned
// popup whose template gives position 0, 0, which stands for "no position of its own", unless
// its style asks the platform to centre it or to take the position as it is.
bool CentresOnWorkArea(const DialogTemplateHeader& header, bool owned);
