// The fake first page of the system's setup, between the PE screen and the greeting.
#pragma once

#include "screen_definition.h"

extern const rt::ScreenDefinition SetupScreen;
