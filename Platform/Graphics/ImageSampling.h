#pragma once
// How an image is laid down at the scale it is shown at: from which of its
// power-of-two reductions (Image::reduced), and with which filter for the scale
// that remains. Resampling with a convolution costs every device pixel the
// source pixels its kernel spans, on every draw; a reduction is made once and
// kept, and what remains of the scale is then within the reach of a bilinear
// filter, whose cost per device pixel is fixed. A value, chosen per draw by
// GraphicsContext::drawImage.

namespace platform::graphics {

struct ImageSampling {
    // Drawn from the reduction by this factor (1: the image itself).
    int factor = 1;
    // Whether the scale left after the reduction still shrinks the image by
    // more than half along an axis (one too thin to be reduced further, say),
    // so that a bilinear filter would skip source pixels: the convolving
    // filter, whose kernel the reduction has at least made smaller, draws it.
    bool convolves = false;

    // For an image of `width` x `height` pixels shown at `scaleX` x `scaleY`
    // device pixels per image pixel: the largest power of two that leaves the
    // larger scale at or below 1 (so no axis is shown larger than the
    // reduction holds it), no larger than either side of the image.
    // Enlarged, or nearly as large as it is, an image is drawn from itself.
    static ImageSampling forScale(double scaleX, double scaleY, int width, int height);

    bool operator==(const ImageSampling&) const = default;
};

}  // namespace platform::graphics
