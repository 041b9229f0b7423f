#pragma once
// Descriptors 0, 1 and 2 are Tarvo's standard streams whatever it was
// started with: a start with one closed (tarvo >&-) would otherwise find
// its display's connection there, and a game's output written into it.

namespace tarvo::posix {

// Opens /dev/null on each of them that is not open.
void OpenMissingStandardStreams();

}  // namespace tarvo::posix
