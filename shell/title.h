// The window title and the unsaved-changes flag it shows.
#pragma once
#include "model/shell_calls.h"
