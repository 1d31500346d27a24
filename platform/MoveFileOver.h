#pragma once

// Moves source onto target in one step, replacing a file already there; true once done. On
// failure both stay as they were, so a reader of target sees either the old or the new file.
bool MoveFileOver(const char* source, const char* target);
