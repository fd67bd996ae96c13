// A page for text tests: painted in one colour, so that whatever text changes shows, with the
// text colours set and 宋体 24 x 12 selected.
#pragma once

#include <algorithm>
#include <array>
#include <climits>
#include <vector>

#include "runtime/graph_state.h"
#include "tests/support/test_page.h"

inline constexpr const char* kHei = FACE_HEI;
inline constexpr const char* kSong = FACE_SONG;
inline constexpr const char* kZhong = "\xD6\xD0";  // 中

inline constexpr RGBVAL kPaper = 0x00FF00;  // what the page holds before any text
inline constexpr RGBVAL kBack = 0x102030;   // the text background
inline constexpr RGBVAL kInk = 0xF0E0D0;    // the pen

// left, top, right (excluded), bottom (excluded), in image pixels.
using Box = std::array<int, 4>;

class TextPage : public TestPage {
public:
    TextPage(int width, int height) : TestPage(width, height) {
        setbackcolorkeep(kBack);
        setpencolor(kInk);
        setfontface(24, 12, kSong);
        repaint();
        graphstate().refreshcountdown = kRefreshFresh;
    }

    // Paints the whole page in paper again, the drawing area reset to the whole page.
    void repaint() {
        setdrawarea(0, 0, imagewidth(image()), imageheight(image()), 1);
        setbrushcolor(kPaper);
        fillbar(0, 0, imagewidth(image()), imageheight(image()));
    }

    // The pixels of a box, row by row.
    std::vector<RGBVAL> picture(const Box& box) const {
        std::vector<RGBVAL> out;
        for (int y = box[1]; y < box[3]; ++y) {
            const RGBVAL* row = image()->pixels + y * imagewidth(image());
            out.insert(out.end(), row + box[0], row + box[2]);
        }
        return out;
    }

    // The smallest box around every pixel that is no longer paper; all zero when none.
    Box changed() const {
        Box box{INT_MAX, INT_MAX, 0, 0};
        const std::vector<RGBVAL> all = picture({0, 0, imagewidth(image()), imageheight(image())});
        for (size_t i = 0; i < all.size(); ++i) {
            const int x = static_cast<int>(i) % imagewidth(image());
            const int y = static_cast<int>(i) / imagewidth(image());
            if (all[i] != kPaper)
                box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x + 1),
                       std::max(box[3], y + 1)};
        }
        return box[2] == 0 ? Box{} : box;
    }

    // How many pixels of the box the pen has coloured, fully or in part.
    int inked(const Box& box) const {
        const auto pixels = picture(box);
        return static_cast<int>(std::count_if(pixels.begin(), pixels.end(),
                                              [](RGBVAL c) { return c != kPaper && c != kBack; }));
    }
};
