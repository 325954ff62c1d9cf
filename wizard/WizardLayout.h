#pragma once
#include <cstdint>
#include <optional>

// Where the frame's controls go around the page shown: the splash picture at
// the top left, the page area to its right, a two-line bevel below both,
// the buttons under the bevel. Positions and sizes are in pixels; the
// window's outer size is worked out in twips as the form sizes itself.
class WizardLayout {
public:
    struct Size {
        std::int32_t width;
        std::int32_t height;
    };
    struct Rect {
        std::int32_t left;
        std::int32_t top;
        std::int32_t width;
        std::int32_t height;
        bool operator==(const Rect&) const = default;
    };
    struct Point {
        std::int32_t x;
        std::int32_t y;
        bool operator==(const Point&) const = default;
    };
    struct Input {
        Size splash;
        // The page shown; none when there is no page form to lay out.
        std::optional<Size> page;
        std::int32_t backWidth;
        std::int32_t nextWidth;
        Size cancel;
        std::int32_t twipsPerPixelX;
        std::int32_t twipsPerPixelY;
    };
    struct Placement {
        Rect pageArea;
        // The bevel's first line runs from (4, bevelY) to (bevelRight, bevelY),
        // the second one pixel lower.
        std::int32_t bevelY;
        std::int32_t bevelRight;
        Point help;
        Point back;
        Point next;
        Point cancel;
        // The window's outer size.
        Size window;
    };

    static constexpr Point kSplashAt{4, 4};

    // The placement of everything but the splash picture; none without a page.
    static std::optional<Placement> Arrange(const Input& input);
};
