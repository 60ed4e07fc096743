// The window title and the unsaved-changes flag it shows.
#pragma once

void UpdateTitle();
void SetModified(bool modified);
