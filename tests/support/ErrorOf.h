#pragma once

#include <stdexcept>
#include <string>

// The message of the std::runtime_error that `action` throws, or "(nothing thrown)".
template <typename Action>
std::string ErrorOf(Action action) {
    try {
        action();
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return "(nothing thrown)";
}
