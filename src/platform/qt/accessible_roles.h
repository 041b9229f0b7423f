#pragma once
// What screen readers take Tarvo's own widgets for: the window a frame (a
// plain QWidget would be a "filler"), the picture a graphic.

namespace tarvo {

// Before the window is made; once is enough.
void InstallAccessibleRoles();

}  // namespace tarvo
