#pragma once

#include "framework/Control.h"

// A push button; enabling comes from Control. A disabled button sends no BN_CLICKED.
class Button : public Control {};
