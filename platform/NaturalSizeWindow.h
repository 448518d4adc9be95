#pragma once

// Throws EInvalidGraphic when a window cannot be given a client area of width × height to show a
// picture at its natural size: X11 window sizes are 16-bit, and a window keeps a copy of its content
// at 4 bytes a pixel, so past the size the JPEG decoder accepts it would cost as much memory as the
// picture that cannot be decoded, and show nothing. Beyond the 16-bit limit it would show nothing at
// all while covering the screen.
void CheckNaturalSizeWindow(int width, int height);
