#pragma once

struct PreviewSize {
    int Width;
    int Height;
};

// The size at which a picture of pictureWidth x pictureHeight is drawn in a box: pictures at least as wide
// as high take the box width, higher ones the box height; the other side follows the proportions,
// with the ratio held in 40 significant bits and rounded half to even. Not clipped to the box.
PreviewSize FitPreview(int boxWidth, int boxHeight, int pictureWidth, int pictureHeight);
