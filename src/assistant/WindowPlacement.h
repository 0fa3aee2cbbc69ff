#pragma once
// Where the assistant and its preview go on the screen, in pixels, frames included. The assistant
// opens centred on the host's window, so that it belongs to it without hiding it at the screen's
// corner. The preview opens beside the assistant, so that the sheet, the buttons and the page are
// all in sight: to its right when the screen has room there, else to its left; when neither side
// has room but the screen is wide enough for both, the assistant moves over so that both fit; only
// on a screen narrower than both does the preview lie over the assistant's right part.

namespace formalys::assistant {

struct ScreenRect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int right() const { return left + width; } // just past the last column
    int bottom() const { return top + height; }
    bool operator==(const ScreenRect&) const = default;
};

// The gap between the assistant and its preview.
inline constexpr int previewGap = 8;

// The assistant of `width` by `height` centred on `host`, kept on `screen` (its top-left corner
// first when it is larger than the screen).
ScreenRect centredOn(const ScreenRect& host, int width, int height, const ScreenRect& screen);

struct SideBySide
{
    ScreenRect assistant; // where it is, or where it moves to
    ScreenRect preview;
};

// The preview, `width` wide (at most half the screen) and as high as the assistant (at most the
// screen), beside the assistant at `assistant`.
SideBySide besideAssistant(const ScreenRect& assistant, int width, const ScreenRect& screen);

} // namespace formalys::assistant
