// Every text the player sees, as the GBK byte strings the game draws; the Unicode text stands
// beside each.
#pragma once

#include "runtime/graph.h"

namespace text {

inline constexpr const char* kTitle = "Trivanta";
inline constexpr const char* kStart = "start";
inline constexpr const char* kHelp = "help";
inline constexpr const char* kExit = "exit";
inline constexpr const char* kBack = "back";
inline constexpr const char* kNext = "next";
inline constexpr const char* kGameOver = "Game over";
inline constexpr const char* kHei = FACE_HEI;                 // 黑体
inline constexpr const char* kSong = FACE_SONG;               // 宋体
inline constexpr const char* kEasy = "\xBC\xF2\xB5\xA5";      // 简单
inline constexpr const char* kMedium = "\xD6\xD0\xB5\xC8";    // 中等
inline constexpr const char* kHard = "\xC0\xA7\xC4\xD1";      // 困难
inline constexpr const char* kVeryHard = "\xB3\xAC\xC4\xD1";  // 超难
inline constexpr const char* k40 = "40";
inline constexpr const char* k120 = "120";
inline constexpr const char* k220 = "220";
inline constexpr const char* kNoTarget = "\xCE\xDE";                      // 无
inline constexpr const char* kNextPiece = "\xCF\xC2\xD2\xBB\xB8\xF6";     // 下一个
inline constexpr const char* kMode = "\xC4\xA3\xCA\xBD";                  // 模式
inline constexpr const char* kTargetLabel = "\xC4\xBF\xB1\xEA\xB7\xD6:";  // 目标分:
inline constexpr const char* kScoreLabel = "\xB7\xD6\xCA\xFD:";           // 分数:
inline constexpr const char* kInitialScore = "0";
inline constexpr const char* kPressQ = "\xB0\xB4Q\xBC\xFC";  // 按Q键
inline constexpr const char* kToQuit = "\xCD\xCB\xB3\xF6";   // 退出
// 请选择一个颜色
inline constexpr const char* kChooseColour =
    "\xC7\xEB\xD1\xA1\xD4\xF1\xD2\xBB\xB8\xF6\xD1\xD5\xC9\xAB";
// 红色请按“R”键
inline constexpr const char* kChooseRed =
    "\xBA\xEC\xC9\xAB\xC7\xEB\xB0\xB4\xA1\xB0R\xA1\xB1\xBC\xFC";
// 绿色请按“G”键
inline constexpr const char* kChooseGreen =
    "\xC2\xCC\xC9\xAB\xC7\xEB\xB0\xB4\xA1\xB0G\xA1\xB1\xBC\xFC";
// 蓝色请按“B”键
inline constexpr const char* kChooseBlue =
    "\xC0\xB6\xC9\xAB\xC7\xEB\xB0\xB4\xA1\xB0"
    "B\xA1\xB1\xBC\xFC";
// 黄色请按“Y”键
inline constexpr const char* kChooseYellow =
    "\xBB\xC6\xC9\xAB\xC7\xEB\xB0\xB4\xA1\xB0Y\xA1\xB1\xBC\xFC";
// 橙色请按“O”键
inline constexpr const char* kChooseOrange =
    "\xB3\xC8\xC9\xAB\xC7\xEB\xB0\xB4\xA1\xB0O\xA1\xB1\xBC\xFC";
// 紫色请按“P”键
inline constexpr const char* kChoosePurple =
    "\xD7\xCF\xC9\xAB\xC7\xEB\xB0\xB4\xA1\xB0P\xA1\xB1\xBC\xFC";
inline constexpr const char* kHelpTitle = "\xB0\xEF\xD6\xFA";  // 帮助
// 游戏使用W、S、A、D四个键进行
inline constexpr const char* kHelp1Line1 =
    "\xD3\xCE\xCF\xB7\xCA\xB9\xD3\xC3W\xA1\xA2S\xA1\xA2"
    "A\xA1\xA2"
    "D\xCB\xC4\xB8\xF6\xBC\xFC\xBD\xF8\xD0\xD0";
// 操作,A、D键左右移动方块，W键交换
inline constexpr const char* kHelp1Line2 =
    "\xB2\xD9\xD7\xF7,A\xA1\xA2"
    "D\xBC\xFC\xD7\xF3\xD3\xD2\xD2\xC6\xB6\xAF\xB7\xBD\xBF\xE9\xA3\xACW\xBC\xFC\xBD\xBB\xBB\xBB";
// 方块的颜色,S键使方块直接落下。当
inline constexpr const char* kHelp1Line3 =
    "\xB7\xBD\xBF\xE9\xB5\xC4\xD1\xD5\xC9\xAB,"
    "S\xBC\xFC\xCA\xB9\xB7\xBD\xBF\xE9\xD6\xB1\xBD\xD3\xC2\xE4\xCF\xC2\xA1\xA3\xB5\xB1";
// 横、竖或斜向有三个以上的方块颜色
inline constexpr const char* kHelp1Line4 =
    "\xBA\xE1\xA1\xA2\xCA\xFA\xBB\xF2\xD0\xB1\xCF\xF2\xD3\xD0\xC8\xFD\xB8\xF6\xD2\xD4\xC9\xCF\xB5"
    "\xC4\xB7\xBD\xBF\xE9\xD1\xD5\xC9\xAB";
// 相同时便可消去，上面的方块会落下
inline constexpr const char* kHelp1Line5 =
    "\xCF\xE0\xCD\xAC\xCA\xB1\xB1\xE3\xBF\xC9\xCF\xFB\xC8\xA5\xA3\xAC\xC9\xCF\xC3\xE6\xB5\xC4\xB7"
    "\xBD\xBF\xE9\xBB\xE1\xC2\xE4\xCF\xC2";
// 来，消去方块会得分。
inline constexpr const char* kHelp1Line6 =
    "\xC0\xB4\xA3\xAC\xCF\xFB\xC8\xA5\xB7\xBD\xBF\xE9\xBB\xE1\xB5\xC3\xB7\xD6\xA1\xA3";
// 当得分超过40分后，将会出现一
inline constexpr const char* kHelp2Line1 =
    "\xB5\xB1\xB5\xC3\xB7\xD6\xB3\xAC\xB9\xFD"
    "40\xB7\xD6\xBA\xF3\xA3\xAC\xBD\xAB\xBB\xE1\xB3\xF6\xCF\xD6\xD2\xBB";
// 些特殊方块。每个都有特殊功能哦！
inline constexpr const char* kHelp2Line2 =
    "\xD0\xA9\xCC\xD8\xCA\xE2\xB7\xBD\xBF\xE9\xA1\xA3\xC3\xBF\xB8\xF6\xB6\xBC\xD3\xD0\xCC\xD8\xCA"
    "\xE2\xB9\xA6\xC4\xDC\xC5\xB6\xA3\xA1";
// 其中那个灰色的方块可不是什么好东
inline constexpr const char* kHelp2Line3 =
    "\xC6\xE4\xD6\xD0\xC4\xC7\xB8\xF6\xBB\xD2\xC9\xAB\xB5\xC4\xB7\xBD\xBF\xE9\xBF\xC9\xB2\xBB\xCA"
    "\xC7\xCA\xB2\xC3\xB4\xBA\xC3\xB6\xAB";
// 西，但那些白色方块(包括圆形方块)
inline constexpr const char* kHelp2Line4 =
    "\xCE\xF7\xA3\xAC\xB5\xAB\xC4\xC7\xD0\xA9\xB0\xD7\xC9\xAB\xB7\xBD\xBF\xE9("
    "\xB0\xFC\xC0\xA8\xD4\xB2\xD0\xCE\xB7\xBD\xBF\xE9)";
// 对你的游戏会有很大帮助。这些白色
inline constexpr const char* kHelp2Line5 =
    "\xB6\xD4\xC4\xE3\xB5\xC4\xD3\xCE\xCF\xB7\xBB\xE1\xD3\xD0\xBA\xDC\xB4\xF3\xB0\xEF\xD6\xFA\xA1"
    "\xA3\xD5\xE2\xD0\xA9\xB0\xD7\xC9\xAB";
// 方块不很经常出现，但一出现你100%
inline constexpr const char* kHelp2Line6 =
    "\xB7\xBD\xBF\xE9\xB2\xBB\xBA\xDC\xBE\xAD\xB3\xA3\xB3\xF6\xCF\xD6\xA3\xAC\xB5\xAB\xD2\xBB\xB3"
    "\xF6\xCF\xD6\xC4\xE3"
    "100%";
// 得分。赶快体验吧！
inline constexpr const char* kHelp2Line7 =
    "\xB5\xC3\xB7\xD6\xA1\xA3\xB8\xCF\xBF\xEC\xCC\xE5\xD1\xE9\xB0\xC9\xA3\xA1";
inline constexpr const char* kArrow = "\xA1\xFA";                           // →
inline constexpr const char* kBeforeClearing = "\xCF\xFB\xB3\xFD\xC7\xB0";  // 消除前
// 蓝色方     上面方
inline constexpr const char* kCaptionTop = "\xC0\xB6\xC9\xAB\xB7\xBD     \xC9\xCF\xC3\xE6\xB7\xBD";
// 块消除     块落下
inline constexpr const char* kCaptionBottom =
    "\xBF\xE9\xCF\xFB\xB3\xFD     \xBF\xE9\xC2\xE4\xCF\xC2";
inline constexpr const char* kScoresThree =
    "\xB5\xC3"
    "3\xB7\xD6";  // 得3分

}  // namespace text
