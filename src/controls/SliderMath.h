// Position arithmetic of the image slider and the image progress bar. All of
// it is integer arithmetic truncated toward zero, as the controls have always
// drawn, so a value maps to the same pixel on every machine.
#pragma once

#include <cstdint>

// A closed range of values; callers guarantee maximum > minimum.
struct ValueRange {
    int minimum;
    int maximum;
};

int ClampToRange(int value, ValueRange range);

// Value for a click at x on a track running from left to right (any one
// coordinate system): minimum + span × (x − left) / (right − left), then held
// within the range. A zero-width track gives the minimum.
int ValueAtTrackPoint(int x, int left, int right, ValueRange range);

// The thumb's left edge for `value`: (right − left − width) × (value − min) /
// (max − min) + left. Values outside the range are taken as the minimum
// (the thumb has always treated them so, not as the nearer end).
int ThumbLeftForValue(int value, ValueRange range, int leftBound, int rightBound, int thumbWidth);

// The value a thumb position stands for: a value shown at a position does not
// snap to a neighbour. Divides by the free travel right − width − left; a
// thumb as wide as its travel gives the minimum.
int ValueForThumbLeft(int left, ValueRange range, int leftBound, int rightBound, int thumbWidth);

// The drag offset held so the thumb [thumbLeft, thumbRight) stays within
// [leftBound, rightBound].
int HoldDragOffset(int offset, int thumbLeft, int thumbRight, int leftBound, int rightBound);

// Progress bar fill: (position − min) × (right − left) / (max − min), held
// within 0..width so an out-of-range position never draws outside the bar.
int ProgressFillWidth(int position, ValueRange range, int barWidth);

// Position for a pointer at x over a progress bar [left, right]: x is raised
// to left when smaller, the result held within the range.
int ProgressPositionAt(int x, int left, int right, ValueRange range);
