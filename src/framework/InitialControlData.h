#pragma once

#include <string>
#include <vector>

// One record of a dialog template's initial control data (resource type 240): a message that
// the framework sends a control before the dialog binds it.
struct InitialControlRecord {
    int controlId;
    // The resource format's message code; see InitialControlMessage.
    unsigned message;
    // The record's data bytes as stored; a string record need not end in a NUL.
    std::string data;
};

// Splits the data into records: control id (16 bits), message (16 bits), data length (32 bits)
// and the data, all little-endian, without alignment, ended by a zero id or by the end of the
// data. A record that does not fit in what is left ends the parse and is dropped.
std::vector<InitialControlRecord> ParseInitialControlData(const std::vector<unsigned char>& bytes);

// The control message that a record's message code stands for: the resource format keeps the
// 16-bit platform's codes for adding a string (0x0401 list box, 0x0403 combo box), and the
// current codes mean themselves. 0 for a code the framework does not apply.
unsigned InitialControlMessage(unsigned resourceMessage);
