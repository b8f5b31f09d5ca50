#include "controls/SliderMath.h"

namespace {

// span × numerator / denominator in 64 bits, so wide ranges cannot overflow.
int Scale(int span, int numerator, int denominator) {
    if (denominator == 0) return 0;
    return static_cast<int>(std::int64_t(span) * numerator / denominator);
}

}  // namespace

int ClampToRange(int value, ValueRange range) {
    if (value < range.minimum) return range.minimum;
    if (value > range.maximum) return range.maximum;
    return value;
}

int ValueAtTrackPoint(int x, int left, int right, ValueRange range) {
    int value = range.minimum + Scale(range.maximum - range.minimum, x - left, right - left);
    return ClampToRange(value, range);
}

int ThumbLeftForValue(int value, ValueRange range, int leftBound, int rightBound, int thumbWidth) {
    if (value < range.minimum || value > range.maximum) value = range.minimum;
    return Scale(rightBound - leftBound - thumbWidth, value - range.minimum, range.maximum - range.minimum) +
           leftBound;
}

int ValueForThumbLeft(int left, ValueRange range, int leftBound, int rightBound, int thumbWidth) {
    int value = range.minimum +
                Scale(range.maximum - range.minimum, left - leftBound, rightBound - thumbWidth - leftBound);
    return ClampToRange(value, range);
}

int HoldDragOffset(int offset, int thumbLeft, int thumbRight, int leftBound, int rightBound) {
    if (thumbLeft + offset < leftBound) return leftBound - thumbLeft;
    if (thumbRight + offset > rightBound) return rightBound - thumbRight;
    return offset;
}

int ProgressFillWidth(int position, ValueRange range, int barWidth) {
    int width = Scale(barWidth, position - range.minimum, range.maximum - range.minimum);
    if (width < 0) return 0;
    if (width > barWidth) return barWidth;
    return width;
}

int ProgressPositionAt(int x, int left, int right, ValueRange range) {
    if (x < left) x = left;
    return ClampToRange(range.minimum + Scale(range.maximum - range.minimum, x - left, right - left), range);
}
