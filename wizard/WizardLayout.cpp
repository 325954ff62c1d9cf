#include "WizardLayout.h"

#include "modWizard.h"

namespace {

// What the form adds to its client size for its frame and caption, in twips.
constexpr std::int32_t kFrameWidthTwips = 120;
constexpr std::int32_t kFrameHeightTwips = 410;

}  // namespace

std::optional<WizardLayout::Placement> WizardLayout::Arrange(const Input& input) {
    if (!input.page)
        return std::nullopt;
    const std::int32_t minWidth = input.backWidth + input.nextWidth + input.cancel.width;
    const Rect splash{kSplashAt.x, kSplashAt.y, input.splash.width, input.splash.height};

    Placement placed{};
    Rect& page = placed.pageArea;
    page = {splash.left + splash.width + 6, 0, input.page->width + 2, input.page->height + 2};
    // A page lower than the splash picture is centred on it.
    page.top = splash.height > page.height ? (splash.top + splash.height) / 2 - page.height / 2 : 2;

    std::int32_t x = modWizard::MaxOf(minWidth + 30, page.left + page.width);
    std::int32_t y = modWizard::MaxOf(page.top + page.height, splash.top + splash.height) + 6;
    placed.bevelY = y;
    placed.bevelRight = x + 3;

    x += 4;
    y += 6;
    placed.help = {4, y};
    placed.cancel = {x - 82, y};
    placed.next = {placed.cancel.x - 88, y};
    placed.back = {placed.next.x - 82, y};

    y += 4 + input.cancel.height;
    placed.window = {(x * input.twipsPerPixelX + kFrameWidthTwips) / input.twipsPerPixelX,
                     (y * input.twipsPerPixelY + kFrameHeightTwips) / input.twipsPerPixelY};
    return placed;
}
