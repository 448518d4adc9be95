#include "platform/NaturalSizeWindow.h"

#include <string>

#include "platform/Exceptions.h"
#include "platform/JpegDecoder.h"

namespace {
constexpr int kMaxWindowSide = 32767;
}

void CheckNaturalSizeWindow(int width, int height)
{
    if (width > kMaxWindowSide || height > kMaxWindowSide ||
        static_cast<long long>(width) * height > kMaxDecodedPixels)
        throw EInvalidGraphic("The picture is too large to show at its natural size (" + std::to_string(width) +
                              " \u00d7 " + std::to_string(height) + " pixels)");
}
