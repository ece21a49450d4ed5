// The registry file of a unit-test program (made by its main): a case that
// must not see what earlier cases of the same process wrote starts over.
#pragma once

// Puts the test registry back as the program began with it (empty, or the
// copy of the prepared one). The process's registry reloads it at its next
// use, since the file changed.
void ResetTestRegistry();
