#include "filelist/PreviewFit.h"

#include "platform/RunTimeMath.h"

PreviewSize FitPreview(int boxWidth, int boxHeight, int pictureWidth, int pictureHeight)
{
    long double ratio = ToReal48(static_cast<long double>(pictureWidth) / pictureHeight);
    if (ratio >= 1.0L)
        return {boxWidth, static_cast<int>(Round(boxWidth / ratio))};
    return {static_cast<int>(Round(boxHeight * ratio)), boxHeight};
}
