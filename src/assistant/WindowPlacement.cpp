#include "assistant/WindowPlacement.h"

#include <algorithm>

namespace formalys::assistant {

namespace {

// `left` moved as little as needed for `width` to lie on the screen; the left edge wins.
int keptOn(int left, int width, const ScreenRect& screen)
{
    return std::max(screen.left, std::min(left, screen.right() - width));
}

int keptOnVertically(int top, int height, const ScreenRect& screen)
{
    return std::max(screen.top, std::min(top, screen.bottom() - height));
}

} // namespace

ScreenRect centredOn(const ScreenRect& host, int width, int height, const ScreenRect& screen)
{
    const int left = host.left + (host.width - width) / 2;
    const int top = host.top + (host.height - height) / 2;
    return {keptOn(left, width, screen), keptOnVertically(top, height, screen), width, height};
}

SideBySide besideAssistant(const ScreenRect& assistant, int width, const ScreenRect& screen)
{
    width = std::min(width, screen.width / 2);
    SideBySide placed{assistant, {0, assistant.top, width, std::min(assistant.height, screen.height)}};
    const int both = assistant.width + previewGap + width;
    if (assistant.right() + previewGap + width <= screen.right()) {
        placed.preview.left = assistant.right() + previewGap;
    } else if (assistant.left - previewGap - width >= screen.left) {
        placed.preview.left = assistant.left - previewGap - width;
    } else if (both <= screen.width) {
        placed.assistant.left = screen.left + (screen.width - both) / 2;
        placed.preview.left = placed.assistant.right() + previewGap;
    } else {
        placed.preview.left = keptOn(assistant.right() - width, width, screen);
    }
    placed.preview.top = keptOnVertically(assistant.top, placed.preview.height, screen);
    return placed;
}

} // namespace formalys::assistant
