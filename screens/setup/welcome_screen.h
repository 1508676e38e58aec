// The fake first-run greeting that leads back to the desktop.
#pragma once

#include "screen_definition.h"

extern const rt::ScreenDefinition WelcomeScreen;
